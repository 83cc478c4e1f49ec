// Holding and stopping the worker without killing it.  The user-interface
// thread asks for a hold before its cancel question and either releases
// the worker or tells it to stop; the worker honours both at checkpoints,
// which stand before every step that changes the disk, the log or the
// registry and before every window of its own.  A stopped worker releases
// its own handles and buffers and ends; no lock is ever held across a stop.
#pragma once

// User-interface thread.
void OpenWorkerControl(void);          // before the worker starts
void CloseWorkerControl(void);         // after it has ended
// Asks the worker to wait at its next checkpoint.  Returns 0 (and asks
// nothing) while the worker shows a window of its own: its owner, the
// progress dialog, is disabled then, so the request cannot be the user's.
int HoldWorker(void);
void ReleaseWorker(int stop);          // go on, or stop at the checkpoint

// Worker thread.  Calls from any other thread return at once.
void SetWorkerThreadId(unsigned long id);
void WorkerCheckpoint(void);           // waits while held; ends the worker when stopped
void BeginWorkerPrompt(void);          // around the worker's own modal windows
void EndWorkerPrompt(void);
