// WM_PAINT of the main window: bands, the title with its shadow, and the
// credit line (message 221).
#pragma once
#include <windows.h>

void PaintBackdrop(HWND window);
