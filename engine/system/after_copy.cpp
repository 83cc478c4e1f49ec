// The steps after the record loop: registry entries, INI entries, then the
// after-copy action (a program run and waited for, or a library function
// called with a parameter) and, when asked, the deletion of its file.
#include "engine/system/after_copy.h"

#include <windows.h>

#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/package/path_text.h"
#include "engine/package/text.h"
#include "engine/resources/resource_ids.h"
#include "engine/shell/sequence_steps.h"
#include "engine/system/ini_entries.h"
#include "engine/system/registry_entries.h"
#include "engine/worker/progress_report.h"
#include "engine/worker/worker_control.h"
#include "engine/worker/worker_thread.h"

namespace {

// Called like the engine's own exports: the parameter text in szString and
// the main window as owner; 0 means failure with the reason in the text.
typedef int(ENGINE_API* AfterCopyFunction)(char* parameter, HWND owner);

bool IsProgram(void) { return MainString(kMainAfterCopyFunc)[0] == 0; }

void RunProgram(void) {
  if (!RunProcess(szString, 1)) FatalExit(kMsgCantRunProcess, 0);
}

void CallFunction(void) {
  char library[kWorkTextSize];
  const char* name = MainString(kMainAfterCopyFunc);
  CopyText(library, NoQuote(szString), sizeof library);
  WorkerCheckpoint();
  HMODULE module = LoadLibraryA(library);
  AfterCopyFunction function = module ? (AfterCopyFunction)(void (*)(void))GetProcAddress(module, name) : 0;
  if (!function) {
    char format[kWorkTextSize], text[1024];
    wsprintfA(text, g_GetString(kMsgCantRunFunction, format, sizeof format), name, library);
    FatalExit(kMsgCantRunFunction, text);
  }
  ExpandPath(MainString(kMainAfterCopyParam), szString, kWorkTextSize);
  if (!function(szString, g_hWnd)) FatalExit(kExitFunctionFailed, 0);
  FreeLibrary(module);
}

// A program's command line may be a quoted path followed by arguments:
// only the path names the file.
void DeleteActionFile(void) {
  char path[kWorkTextSize];
  ExpandPath(MainString(kMainAfterCopy), path, sizeof path);
  NoQuote(path);
  if (IsProgram())
    for (char* c = path; *c; c++)
      if (*c == '"') {
        *c = 0;
        break;
      }
  WorkerCheckpoint();
  DeleteFileA(path);
}

void RunAfterCopyAction(void) {
  char text[kPathTextSize];
  if (MainString(kMainAfterCopy)[0] == 0) return;
  SetProgressText(IDC_PROGRESS_FILE, g_GetString(kMsgWaiting, text, sizeof text));
  ExpandPath(MainString(kMainAfterCopy), szString, kWorkTextSize);
  if (IsProgram())
    RunProgram();
  else
    CallFunction();
  if (g_state.header.deleteAfterRun) DeleteActionFile();
}

}  // namespace

void ApplyAfterCopySteps(void) {
  ApplyRegistryEntries();
  ApplyIniEntries();
  RunAfterCopyAction();
}
