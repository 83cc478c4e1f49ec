// What the worker shows in the progress dialog.  Each call is a
// synchronous window call that runs on the user-interface thread.
#pragma once
#include <stdint.h>

void SetProgressText(int control, const char* text);
void SetProgressRange(uint32_t maximum);   // 0 to maximum
void ReportProgress(uint32_t position);
