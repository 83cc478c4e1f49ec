// demo.exe: the application the demo package installs.  One window with the
// product name, the directory the program runs from and what its library
// demoext.dll says; the window size comes from demo.cfg beside the program.
#include <windows.h>

#include "demo_ext.h"

#define DEMO_CLASS      "TolvaneDemo"
#define DEMO_CAPTION    "Tolvane Demo"
#define DEMO_PRODUCT    "Tolvane Demo 1.0"
#define DEMO_CONFIG     "demo.cfg"
#define DEMO_TEXT_ID    100     // the window's text, read by the main job's robot
#define DEMO_MARGIN     16
#define DEFAULT_WIDTH   640
#define DEFAULT_HEIGHT  480

static char g_szDir[MAX_PATH];          // the program's directory, no trailing backslash
static char g_szText[3 * MAX_PATH];

// The directory of this program: demo.cfg lies there, and it is what the
// window reports as the installation.
static void FindProgramDir(void)
{
    DWORD length = GetModuleFileNameA(NULL, g_szDir, sizeof(g_szDir));

    while (length > 0 && g_szDir[length - 1] != '\\')
        length--;
    g_szDir[length > 0 ? length - 1 : 0] = '\0';
}

static int ConfigNumber(LPCSTR lpszKey, int defaultValue)
{
    char szConfig[MAX_PATH + 16];

    wsprintfA(szConfig, "%s\\" DEMO_CONFIG, g_szDir);
    return (int)GetPrivateProfileIntA("Window", lpszKey, defaultValue, szConfig);
}

// The library is looked up like any other: the system directory is on the
// search path, so finding it there shows the installation put it there.
static LPCSTR ExtensionText(void)
{
    HMODULE hLib = LoadLibraryA(DEMO_EXT_LIBRARY);
    DemoExtensionTextProc pfnText;

    if (hLib == NULL)
        return DEMO_EXT_LIBRARY " is missing.";
    pfnText = (DemoExtensionTextProc)(void*)GetProcAddress(hLib, DEMO_EXT_FUNCTION);
    return pfnText != NULL ? pfnText() : DEMO_EXT_LIBRARY " has no " DEMO_EXT_FUNCTION ".";
}

static LRESULT CALLBACK DemoWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        CreateWindowA("STATIC", g_szText, WS_CHILD | WS_VISIBLE | SS_LEFT, DEMO_MARGIN, DEMO_MARGIN,
                      0, 0, hWnd, (HMENU)DEMO_TEXT_ID, ((LPCREATESTRUCTA)lParam)->hInstance, NULL);
        return 0;
    case WM_SIZE:
        MoveWindow(GetDlgItem(hWnd, DEMO_TEXT_ID), DEMO_MARGIN, DEMO_MARGIN,
                   LOWORD(lParam) - 2 * DEMO_MARGIN, HIWORD(lParam) - 2 * DEMO_MARGIN, TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

static BOOL CreateDemoWindow(HINSTANCE hInstance)
{
    WNDCLASSA wc;
    HWND hWnd;

    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = DemoWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(NULL, (LPCSTR)IDI_APPLICATION);
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = DEMO_CLASS;
    if (!RegisterClassA(&wc))
        return FALSE;
    hWnd = CreateWindowA(DEMO_CLASS, DEMO_CAPTION, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                         ConfigNumber("Width", DEFAULT_WIDTH), ConfigNumber("Height", DEFAULT_HEIGHT),
                         NULL, NULL, hInstance, NULL);
    if (hWnd == NULL)
        return FALSE;
    ShowWindow(hWnd, SW_SHOWNORMAL);
    UpdateWindow(hWnd);
    return TRUE;
}

extern "C" int WinMainCRTStartup(void)
{
    MSG msg;

    FindProgramDir();
    wsprintfA(g_szText, DEMO_PRODUCT "\r\n\r\nRunning from %s\r\n%s", g_szDir, ExtensionText());
    if (!CreateDemoWindow(GetModuleHandleA(NULL)))
        ExitProcess(1);
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    ExitProcess((UINT)msg.wParam);
    return 0;
}
