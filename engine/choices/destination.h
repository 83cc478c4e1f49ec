// The destination that the options dialog installs into, from the text the
// user left in the destination field.
#pragma once

// installDir (kPathTextSize bytes) := typed when its second character is a
// colon, else currentDir and typed joined with one backslash (a leading
// backslash of typed dropped).  No trailing backslash, except that a bare
// drive root keeps (or gets) its own: "C:\" and "C:" both give "C:\", so
// the space check and the directory creation see a real root.
char* MakeDestination(char* installDir, const char* typed, const char* currentDir);
