// The progress dialog: starts the worker, shows its progress, and offers
// "Break" (with the cancel question) while it runs and "OK" at the end.
#include <windows.h>

#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/package/text.h"
#include "engine/resources/resource_ids.h"
#include "engine/shell/progress_bar.h"
#include "engine/shell/sequence_steps.h"
#include "engine/worker/progress_report.h"
#include "engine/worker/worker_control.h"
#include "engine/worker/worker_thread.h"

namespace {

HANDLE workerThread;

// The question uses texts of this thread's own: the held worker may be in
// the middle of using szString.
void AskToCancel(HWND dialog) {
  if (!HoldWorker()) return;
  char question[kPathTextSize], title[kPathTextSize];
  g_GetString(kMsgQuitProgress, question, sizeof question);
  g_GetString(kMsgConfirmation, title, sizeof title);
  int stop = MessageBoxA(dialog, question, title, MB_YESNO | MB_ICONQUESTION) == IDYES;
  ReleaseWorker(stop);
  if (stop) EndDialog(dialog, 0);
}

void OnButton(HWND dialog) {
  DWORD code = 0;
  if (!installComplete) GetExitCodeThread(workerThread, &code);
  if (code == STILL_ACTIVE) AskToCancel(dialog);
  else EndDialog(dialog, 1);
}

void OnInitDialog(HWND dialog) {
  char text[kPathTextSize];
  SetWindowTextA(dialog, captionText);
  SetDlgItemTextA(dialog, IDC_PROGRESS_FILE, "");
  SetDlgItemTextA(dialog, IDC_PROGRESS_TOP, g_GetString(kMsgProgressTop, text, sizeof text));
  g_state.progressDialog = dialog;
  g_state.archive = 0;
  DWORD id;
  workerThread = CreateThread(0, 0, WorkerThread, dialog, 0, &id);
  if (!workerThread) EndDialog(dialog, 0);
}

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    OnInitDialog(dialog);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  if (wParam == IDC_PROGRESS_BUTTON) OnButton(dialog);
  else if (wParam == kCmdWorkerEnding) EndDialog(dialog, 1);
  return TRUE;
}

// The worker may still send to this thread's windows while it winds
// down, so the wait lets sent messages through.
DWORD WaitForWorker(void) {
  while (MsgWaitForMultipleObjects(1, &workerThread, FALSE, INFINITE, QS_SENDMESSAGE) !=
         WAIT_OBJECT_0) {
    MSG message;
    PeekMessageA(&message, 0, 0, 0, PM_NOREMOVE);
  }
  DWORD code;
  GetExitCodeThread(workerThread, &code);
  CloseHandle(workerThread);
  workerThread = 0;
  return code;
}

int IsFormattedFailure(DWORD code) {
  return (code >= kMsgCantOpenDirectory && code <= kMsgErrorReading) ||
         code == kMsgSystemError || code == kMsgCantRunProcess || code == kMsgWrongStructure;
}

int IsPreparedFailure(DWORD code) {
  return code == kMsgWrongSize || code == kMsgCantRunFunction || code == kExitFunctionFailed;
}

void ShowFailure(DWORD code) {
  char format[kPathTextSize], text[kPathTextSize + kWorkTextSize];
  if (IsFormattedFailure(code))
    wsprintfA(text, g_GetString(code, format, sizeof format), szString);
  else if (IsPreparedFailure(code))
    CopyText(text, szString, sizeof text);
  else
    return;
  MessageBoxA(g_hWnd, text, captionText, MB_ICONHAND);
}

}  // namespace

void RunInstallation(void) {
  OpenWorkerControl();
  DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_PROGRESS), g_hWnd, ProgressDialogProc, 0);
  DWORD code = workerThread ? WaitForWorker() : DWORD(kExitCancelled);
  CloseWorkerControl();
  ShowFailure(code);
}

void SetProgressText(int control, const char* text) {
  SetDlgItemTextA((HWND)g_state.progressDialog, control, text);
}

void SetProgressRange(uint32_t maximum) {
  HWND bar = GetDlgItem((HWND)g_state.progressDialog, IDC_PROGRESS_BAR);
  SendMessageA(bar, WM_COMMAND, kBarSetMinimum, 0);
  SendMessageA(bar, WM_COMMAND, kBarSetMaximum, maximum);
}

void ReportProgress(uint32_t position) {
  SendMessageA(GetDlgItem((HWND)g_state.progressDialog, IDC_PROGRESS_BAR), WM_COMMAND,
               kBarSetPosition, position);
}
