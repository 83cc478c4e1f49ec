// The licence dialog (112) and the readme dialog (117).  Both show a long
// text in a read-only edit control and take every visible text from the
// message catalogue.
#pragma once
#include <windows.h>

// What the readme dialog shows (its dialog parameter).
enum ReadmeSource {
  kReadmeFromPackage = 0,  // the package's readme block, before installing
  kReadmeFromFile = 1,     // the file of main string 4, after installing
};

// 1 = accepted; 0 = declined and the quit confirmed.
INT_PTR ShowLicenceDialog(void);

// 1 = closed with its button; 0 = Esc, close box, or the file could not be
// shown.
INT_PTR ShowReadmeDialog(HWND owner, ReadmeSource source);
