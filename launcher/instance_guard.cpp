// Single-instance guard: a counter in a section that every process of the
// same executable file maps shared, so only the first start sees -1.
#include "launcher.h"

__attribute__((section(".Shared"), shared)) volatile LONG instanceCounter = -1;

BOOL AnotherInstanceRuns(void)
{
    HWND hwndRunning;

    if (InterlockedIncrement(&instanceCounter) == 0)
        return FALSE;

    // Minimising first and then maximising brings the window to the front
    // even when another program holds the foreground.
    hwndRunning = FindWindowA(TOLVANE_MAIN_CLASS, NULL);
    ShowWindow(hwndRunning, SW_MINIMIZE);
    ShowWindow(hwndRunning, SW_SHOWMAXIMIZED);
    return TRUE;
}
