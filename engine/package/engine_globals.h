// The engine module's global state: the launcher's record, the
// installation state, the texts the loader copies out of the package, and
// the exported data.  One instance each, for the life of the module.
#pragma once
#include <windows.h>

#include "engine/package/engine_api.h"
#include "engine/package/install_state.h"
#include "engine/package/layout.h"
#include "engine/package/string_sections.h"
#include "launcher/setup_context.h"

enum { kWorkTextCount = 10 };  // szString and the work texts behind it

typedef char* (ENGINE_API* MessageFetcher)(int id, char* buffer, uint32_t bufferSize);

extern SetupContext* g_context;     // the launcher's record, from MainFunc
extern HINSTANCE g_module;          // this module
extern InstallState g_state;
extern volatile uint32_t installComplete;  // set by the worker when all went well
extern char titleText[kPathTextSize];
extern char captionText[kPathTextSize];
extern char fontFace[kFontFaceLimit + 1];

extern "C" {
extern char szString[kWorkTextCount * kWorkTextSize];
extern HWND g_hWnd;
extern MessageFetcher g_GetString;
}

// The work text k (0 is szString itself).
static inline char* WorkText(int k) { return szString + k * kWorkTextSize; }

// String n of a section of the package's string table; "" when missing.
const char* PackageString(uint32_t sectionOffset, int n);
static inline const char* MainString(int n) { return PackageString(0, n); }

// ExpandPath with the engine's current values, into dest of destSize bytes.
char* ExpandPath(const char* source, char* dest, int destSize);
