// The progress bar control, window class "Diagr": a bar filled from the
// left with the percentage in its middle, driven by WM_COMMAND codes.
#pragma once
#include <windows.h>

#include "engine/package/engine_api.h"

#define PROGRESS_BAR_CLASS "Diagr"

// Commands: WM_COMMAND with the code as the whole wParam, the value in
// lParam.
enum ProgressBarCommand {
  kBarSetPosition = 0x1402,  // clamped to the range; repaints at once
  kBarSetMaximum = 0x1403,
  kBarSetMinimum = 0x1404,
  kBarSetBarColour = 0x1405,
  kBarSetBackColour = 0x1406,
};

extern "C" void ENGINE_API RegDiagrClass(HINSTANCE instance);
