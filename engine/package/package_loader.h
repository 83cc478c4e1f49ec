// LoadPackage: finds the package (inside the executable or in disk1.pak
// beside it), reads its header, string table and text blocks, and sets the
// default installation directory.
#pragma once

// 1 when the package is ready; 0 when it is not (a message was shown, or
// the user cancelled the search for disk1.pak).
int LoadPackage(void);
