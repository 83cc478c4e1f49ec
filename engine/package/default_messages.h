// The English texts a package carries unless its author overrides them.
#pragma once

// Default text of message id (message 220 in its readable form), or 0 for
// an id without a string of its own.
const char* DefaultMessageText(int id);
