// Starting a program: the after-copy program (waited for) and the
// application run at the end (not waited for).
#include <windows.h>

#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/package/text.h"
#include "engine/shell/sequence_steps.h"
#include "engine/worker/worker_control.h"

namespace {

// The caption goes to a buffer of its own: the command line, often in
// szString, must survive for the caller's own report.
void ReportNotStarted(const char* commandLine) {
  char format[kWorkTextSize], caption[kPathTextSize], text[1024];
  wsprintfA(text, g_GetString(kMsgCantRunProcess, format, sizeof format), commandLine);
  g_GetString(kMsgAttention, caption, sizeof caption);
  BeginWorkerPrompt();
  MessageBoxA(0, text, caption, MB_ICONINFORMATION);
  EndWorkerPrompt();
}

}  // namespace

int RunProcess(const char* commandLine, int wait) {
  char line[kWorkTextSize];  // CreateProcessA may write into its command line
  CopyText(line, commandLine, sizeof line);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  WorkerCheckpoint();
  if (!CreateProcessA(0, line, 0, 0, TRUE, CREATE_DEFAULT_ERROR_MODE | NORMAL_PRIORITY_CLASS, 0, 0,
                      &startup, &process)) {
    ReportNotStarted(commandLine);
    return 0;
  }
  // The primary thread, not the process: its end is the program's end here.
  if (wait) WaitForSingleObject(process.hThread, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 1;
}
