// smoke: proves that a program built like ours runs under Wine and can do
// what the installer tests depend on: write a file on drive C:, write and
// read back a registry value, and create a window that another process can
// find by its class.  Prints one line per check; the exit code is the
// number of checks that failed.
#include <windows.h>

// tests/wine/smoke_test.sh looks for these from outside.
#define SMOKE_DIR   "C:\\tolvane-smoke"
#define SMOKE_FILE  SMOKE_DIR "\\smoke.txt"
#define SMOKE_TEXT  "tolvane smoke"
#define SMOKE_KEY   "Software\\Tolvane\\Smoke"
#define SMOKE_VALUE "Check"
#define SMOKE_CLASS "TolvaneSmoke"

static HANDLE g_hOut;

static void Print(LPCSTR format, LPCSTR arg)
{
    char line[512];
    DWORD written;
    int length = wsprintfA(line, format, arg);
    WriteFile(g_hOut, line, (DWORD)length, &written, NULL);
}

static BOOL WriteSmokeFile(void)
{
    HANDLE hFile;
    DWORD written;
    DWORD length = (DWORD)lstrlenA(SMOKE_TEXT);
    BOOL ok;

    CreateDirectoryA(SMOKE_DIR, NULL);
    hFile = CreateFileA(SMOKE_FILE, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    ok = WriteFile(hFile, SMOKE_TEXT, length, &written, NULL) && written == length;
    return CloseHandle(hFile) && ok;
}

static BOOL WriteAndReadValue(void)
{
    HKEY hKey;
    DWORD disposition;
    DWORD type = 0;
    char data[64];
    DWORD size = sizeof(data);
    BOOL ok;

    if (RegCreateKeyExA(HKEY_CURRENT_USER, SMOKE_KEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, NULL, &hKey, &disposition) != ERROR_SUCCESS)
        return FALSE;
    ok = RegSetValueExA(hKey, SMOKE_VALUE, 0, REG_SZ, (const BYTE*)SMOKE_TEXT,
                        (DWORD)lstrlenA(SMOKE_TEXT) + 1) == ERROR_SUCCESS
      && RegQueryValueExA(hKey, SMOKE_VALUE, NULL, &type, (BYTE*)data, &size) == ERROR_SUCCESS
      && type == REG_SZ
      && lstrcmpA(data, SMOKE_TEXT) == 0;
    RegCloseKey(hKey);
    return ok;
}

static LRESULT CALLBACK SmokeWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

// Also shows the window, so the check fails when the X display is unusable.
static BOOL CreateAndFindWindow(void)
{
    WNDCLASSA wc;
    HWND hWnd;
    MSG msg;
    BOOL found;

    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = SmokeWndProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = SMOKE_CLASS;
    if (!RegisterClassA(&wc))
        return FALSE;
    hWnd = CreateWindowA(SMOKE_CLASS, SMOKE_TEXT, WS_OVERLAPPEDWINDOW, 10, 10, 320, 200,
                         NULL, NULL, wc.hInstance, NULL);
    if (!hWnd)
        return FALSE;
    ShowWindow(hWnd, SW_SHOWNORMAL);
    UpdateWindow(hWnd);
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    found = FindWindowA(SMOKE_CLASS, NULL) == hWnd && IsWindowVisible(hWnd);
    DestroyWindow(hWnd);
    return found;
}

static int Check(BOOL ok, LPCSTR what)
{
    Print(ok ? "ok    %s\r\n" : "FAIL  %s\r\n", what);
    return ok ? 0 : 1;
}

extern "C" int mainCRTStartup(void)
{
    int failures = 0;

    g_hOut = GetStdHandle(STD_OUTPUT_HANDLE);
    failures += Check(WriteSmokeFile(), "file " SMOKE_FILE " written");
    failures += Check(WriteAndReadValue(),
                      "value HKCU\\" SMOKE_KEY " " SMOKE_VALUE " written and read back");
    failures += Check(CreateAndFindWindow(), "window of class " SMOKE_CLASS " shown and found");
    ExitProcess((UINT)failures);
    return failures;
}
