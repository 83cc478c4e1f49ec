// The worker thread: opens the package, writes the log header, runs the
// record loop and the after-copy steps, and ends through exactly one of
// its return, FatalExit or StopWorker.
#include "engine/worker/worker_thread.h"

#include <windows.h>

#include "engine/package/engine_globals.h"
#include "engine/package/layout.h"
#include "engine/package/message_ids.h"
#include "engine/package/text.h"
#include "engine/resources/resource_ids.h"
#include "engine/shell/main_window.h"
#include "engine/system/after_copy.h"
#include "engine/system/tail_record.h"
#include "engine/system/uninstall_log.h"
#include "engine/worker/archive_reader.h"
#include "engine/worker/progress_report.h"
#include "engine/worker/record_loop.h"
#include "engine/worker/worker_control.h"

namespace {

void CloseStateHandle(StateHandle* handle) {
  if (*handle) CloseHandle(*handle);
  *handle = 0;
}

void FreeBuffer(uint8_t** buffer) {
  if (*buffer) HeapFree(GetProcessHeap(), 0, *buffer);
  *buffer = 0;
}

// Every exit path runs this on the worker thread, so each handle and
// buffer is released once: a released field is 0 for the next caller.
void ReleaseWorkerResources(void) {
  CloseStateHandle(&g_state.outFile);
  CloseStateHandle(&g_state.tailFile);
  CloseStateHandle(&g_state.archive);
  FreeBuffer(&g_state.readBuffer);
  FreeBuffer(&g_state.writeBuffer);
}

// No message of its own fits a failed allocation: "System error" it is.
void AllocateBuffers(void) {
  HANDLE heap = GetProcessHeap();
  g_state.writeBuffer = (uint8_t*)HeapAlloc(heap, 0, kIoBufferSize);
  g_state.readBuffer = (uint8_t*)HeapAlloc(heap, HEAP_ZERO_MEMORY, kIoBufferSize);
  g_state.readPos = g_state.readFill = 0;
  if (!g_state.writeBuffer || !g_state.readBuffer) FatalExit(kMsgSystemError, "");
}

void ShowFinished(void) {
  char text[kPathTextSize];
  SetProgressText(IDC_PROGRESS_FILE, g_GetString(kMsgInstallComplete, text, sizeof text));
  SetProgressText(IDC_PROGRESS_BUTTON, g_GetString(kMsgOk, text, sizeof text));
}

}  // namespace

unsigned long __stdcall WorkerThread(void*) {
  char text[kPathTextSize];
  SetWorkerThreadId(GetCurrentThreadId());
  SetProgressText(IDC_PROGRESS_FILE, "");
  SetProgressText(IDC_PROGRESS_BUTTON, g_GetString(kMsgBreak, text, sizeof text));
  SetProgressRange(g_state.header.totalSize);
  g_state.volume = 1;
  AllocateBuffers();
  OpenVolume(g_context->volumePath);
  SeekRecordStream();
  if (g_state.header.writeLog) WriteLogHeader();
  RunRecordLoop();
  ReleaseWorkerResources();
  if (g_state.header.tailLogPath) AppendTailRecord();
  ApplyAfterCopySteps();
  WorkerCheckpoint();
  PostMessageA(g_hWnd, WM_COMMAND, kCmdCreateGroup, 0);
  ShowFinished();
  installComplete = 1;
  return kExitSuccess;
}

void FatalExit(uint32_t code, const char* text) {
  if (text) CopyText(szString, text, kWorkTextSize);
  ReleaseWorkerResources();
  SendMessageA((HWND)g_state.progressDialog, WM_COMMAND, kCmdWorkerEnding, 0);
  ExitThread(code);
}

void StopWorker(void) {
  ReleaseWorkerResources();
  ExitThread(kExitCancelled);
}
