// Steps of the main window's sequence that belong to other parts of the
// engine: the options dialog, the installation, the program group, the
// process runner and the directory browser.  The shell calls them here.
#pragma once
#include <windows.h>

#include "engine/package/engine_api.h"

// Options dialog 102: non-zero = install, 0 = the user quit.
int ShowOptionsDialog(void);

// Progress dialog and worker; returns when the installation has ended and
// any error has been shown.
void RunInstallation(void);

// Creates the program group over DDE (command 0x1408 of the main window).
void CreateProgramGroup(HWND mainWindow);

// Starts commandLine (waiting for it when wait is set); non-zero when the
// process was started.  Reports its own failure.
int RunProcess(const char* commandLine, int wait);

// The directory browser (dialog 100) for a browse record; 1 on OK.
extern "C" int ENGINE_API GetDirName(void* browseRecord);
