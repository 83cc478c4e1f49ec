// The installer's main window: class "Tolvane", a painted backdrop whose
// first command runs the dialog sequence.
#pragma once
#include <windows.h>

// Private commands (WM_COMMAND, the whole wParam; lParam 0).
enum MainWindowCommand {
  kCmdRunSequence = 0x1407,  // posted to itself on WM_CREATE
  kCmdCreateGroup = 0x1408,  // posted by the worker after a good installation
};

#define MAIN_WINDOW_CLASS "Tolvane"

void RegisterMainWindowClass(void);

// Creates and shows the window, maximised or minimised by the package's
// fullScreen flag; stores it in g_hWnd.
void CreateMainWindow(void);
