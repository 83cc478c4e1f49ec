// The engine module's entry points: the attach hook and MainFunc, which the
// launcher calls with its setup context and which returns when the
// installer's user interface has ended.
#include "engine/package/engine_globals.h"
#include "engine/package/message_fetcher.h"
#include "engine/package/package_loader.h"
#include "engine/shell/main_window.h"
#include "engine/shell/progress_bar.h"
#include "engine/shell/sequence_steps.h"
#include "engine/shell/text_dialogs.h"

SetupContext* g_context;
HINSTANCE g_module;
volatile uint32_t installComplete;
HWND g_hWnd;

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = module;
  return TRUE;
}

namespace {

void RunMessageLoop(void) {
  MSG message;
  while (GetMessageA(&message, 0, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// After a good installation: the readme file and the installed
// application, when the user chose them.
void FinishInstallation(void) {
  if (!installComplete) return;
  if (g_state.wantReadme) ShowReadmeDialog(0, kReadmeFromFile);
  if (g_state.wantRun) {
    ExpandPath(MainString(kMainRunApp), szString, kWorkTextSize);
    SetCurrentDirectoryA(g_state.installDir);
    RunProcess(szString, 0);
  }
}

}  // namespace

extern "C" void ENGINE_API MainFunc(SetupContext* context, HINSTANCE module) {
  g_context = context;
  g_module = module;
  RegisterMainWindowClass();
  if (!LoadPackage()) return;
  RegDiagrClass(module);
  InitDll(GetString);
  installComplete = 0;
  CreateMainWindow();
  RunMessageLoop();
  FinishInstallation();
  CloseDll();
  HeapFree(GetProcessHeap(), 0, g_state.strings);
}
