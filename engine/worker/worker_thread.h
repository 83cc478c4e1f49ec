// The installation worker thread and its exits.  The exit code is 0 for
// success, kExitCancelled after a stop, otherwise the id of the message
// that describes the failure, with its name or text in szString.
#pragma once
#include <stdint.h>

enum {
  kCmdWorkerEnding = 2024,    // to the progress dialog: the worker fails
};

unsigned long __stdcall WorkerThread(void* dialog);

// Ends the worker with code; text (when given) goes into szString first.
// Closes the open files, releases the buffers and ends the progress
// dialog.  Worker thread only; named after the exit routine of the design,
// it overloads (and never calls) the kernel's one-argument FatalExit.
[[noreturn]] void FatalExit(uint32_t code, const char* text);

// Ends the worker after the user confirmed the cancel: releases what it
// holds and ends with kExitCancelled, touching nothing else.
[[noreturn]] void StopWorker(void);
