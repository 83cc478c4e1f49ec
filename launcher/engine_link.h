// What the launcher and the engine module agree on besides the setup
// context record: the module's file name, its entry point and the class of
// the engine's main window (the launcher looks for it to bring a running
// installer to the front).
#pragma once
#include <windows.h>

#include "setup_context.h"

#define TOLVANE_ENGINE_FILE "tolvaeng.dll"
// Decorated stdcall name with two 4-byte arguments; the engine exports it
// under exactly this name on every architecture so one lookup works.
#define TOLVANE_ENGINE_ENTRY "_MainFunc@8"
#define TOLVANE_MAIN_CLASS "Tolvane"

typedef int(WINAPI* MainFuncEntry)(SetupContext* context, HMODULE module);
