// The overwrite prompt, dialog 113: an existing target against the file
// of the record.  Shown by the worker thread, owned by the progress dialog.
#pragma once
#include <windows.h>

#include "engine/package/layout.h"

struct OverwritePrompt {
  char path[kPathTextSize];
  DWORD existingSize;
  FILETIME existingTime;
  DWORD newSize;
  FILETIME newTime;
};

// The user's answers "All over" and "Skip all" stay for the whole run.
extern DWORD overwriteAll;
extern DWORD skipAll;

// 1: replace the existing file, 0: keep it.
int AskOverwrite(OverwritePrompt* prompt);
