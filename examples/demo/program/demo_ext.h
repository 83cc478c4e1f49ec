// What demoext.dll offers the demo application.
#pragma once

#define DEMO_EXT_LIBRARY  "demoext.dll"
#define DEMO_EXT_FUNCTION "DemoExtensionText"
#define DEMO_EXT_TEXT     "demoext.dll 1.0 is loaded from the system directory."

// Plain C calling convention on both architectures, so the export keeps
// its plain name on i686 too.
typedef LPCSTR (*DemoExtensionTextProc)(void);
