// The directory part of a path text, cut in place.
#pragma once

// Cuts path at its last backslash (the backslash goes too).  Returns 0,
// leaving path as it was, when it has no backslash.
int CutToDirectory(char* path);
