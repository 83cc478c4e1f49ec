#include "engine/shell/main_window.h"

#include "engine/package/engine_globals.h"
#include "engine/resources/resource_ids.h"
#include "engine/shell/backdrop_paint.h"
#include "engine/shell/text_dialogs.h"
#include "engine/shell/sequence_steps.h"

namespace {

// Licence, readme, options, installation; then the window closes.  Runs
// inside a command handler, so the backdrop keeps painting meanwhile.
void RunDialogSequence(HWND window) {
  bool go = true;
  if (g_state.header.licenceSize) go = ShowLicenceDialog() == 1;
  if (go) {
    if (g_state.header.readmeSize) ShowReadmeDialog(g_hWnd, kReadmeFromPackage);
    if (ShowOptionsDialog()) RunInstallation();
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      PostMessageA(window, WM_COMMAND, kCmdRunSequence, 0);
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_PAINT:
      PaintBackdrop(window);
      return 0;
    case WM_COMMAND:
      if (wParam == kCmdRunSequence) {
        RunDialogSequence(window);
        return 0;
      }
      if (wParam == kCmdCreateGroup && g_state.wantGroup) CreateProgramGroup(window);
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void RegisterMainWindowClass(void) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = g_module;
  windowClass.hIcon = LoadIconA(g_module, MAKEINTRESOURCEA(IDI_ENGINE));
  windowClass.hCursor = LoadCursorA(0, IDC_ARROW);
  windowClass.lpszClassName = MAIN_WINDOW_CLASS;
  RegisterClassA(&windowClass);
}

void CreateMainWindow(void) {
  bool fullScreen = g_state.header.fullScreen != 0;
  DWORD style = WS_OVERLAPPEDWINDOW | (fullScreen ? WS_MAXIMIZE : WS_MINIMIZE);
  g_hWnd = CreateWindowExA(0, MAIN_WINDOW_CLASS, captionText, style, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, g_module, 0);
  ShowWindow(g_hWnd, fullScreen ? SW_SHOWMAXIMIZED : SW_SHOWMINIMIZED);
  UpdateWindow(g_hWnd);
}
