// demoext.dll: the demo's shared library, installed into the Windows
// system directory.  The demo application finds it there by the ordinary
// library search and shows its text, which proves the library arrived.
#include <windows.h>

#include "demo_ext.h"

extern "C" LPCSTR DemoExtensionText(void)
{
    return DEMO_EXT_TEXT;
}

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
