// The hold and stop of the worker: one manual-reset event that is set
// while the worker may run, and two flags.
#include "engine/worker/worker_control.h"

#include <windows.h>

#include "engine/package/message_ids.h"
#include "engine/worker/worker_thread.h"

namespace {

HANDLE g_runEvent;
DWORD g_workerId;
volatile LONG g_stopRequested;
volatile LONG g_prompting;

}  // namespace

void OpenWorkerControl(void) {
  g_runEvent = CreateEventA(0, TRUE, TRUE, 0);
  g_stopRequested = 0;
  g_prompting = 0;
}

void CloseWorkerControl(void) {
  CloseHandle(g_runEvent);
  g_runEvent = 0;
  g_workerId = 0;
}

// Reset first, then look: a worker that entered a prompt before the reset
// has already said so, one that enters later waits at the checkpoint in
// front of the prompt.
int HoldWorker(void) {
  ResetEvent(g_runEvent);
  if (!g_prompting) return 1;
  SetEvent(g_runEvent);
  return 0;
}

void ReleaseWorker(int stop) {
  if (stop) InterlockedExchange(&g_stopRequested, 1);
  SetEvent(g_runEvent);
}

void SetWorkerThreadId(unsigned long id) { g_workerId = id; }

void WorkerCheckpoint(void) {
  if (GetCurrentThreadId() != g_workerId) return;
  WaitForSingleObject(g_runEvent, INFINITE);
  if (g_stopRequested) StopWorker();
}

void BeginWorkerPrompt(void) {
  InterlockedExchange(&g_prompting, 1);
  WorkerCheckpoint();
}

void EndWorkerPrompt(void) { InterlockedExchange(&g_prompting, 0); }
