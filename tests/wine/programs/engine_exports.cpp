// engine_exports: loads the real tolvaeng.dll and calls its path exports by
// their decorated names, as a module of its own would.  CreateDir and
// WriteDepth work on the Wine drive; a progress bar of class "Diagr" is
// painted on the display and read back.  Environment:
//   ENGINE_DLL   the engine module to load
//   ENGINE_WORK  an existing, empty directory to work in (C:\...)
//   ENGINE_FILE  the name of a file in ENGINE_WORK (a component that
//                cannot become a directory)
//   ENGINE_NODRIVE  the root of a drive that does not exist ("Q:\" style)
// Prints one line per check; the exit code is the number of failed checks.
#include <windows.h>

#include "engine/package/engine_api.h"
#include "engine/package/install_state.h"

typedef char* (ENGINE_API* TextProc)(char*);
typedef char* (ENGINE_API* GetFullNameProc)(char*, const char*, const char*, int);
typedef char* (ENGINE_API* EndSlashProc)(char*, int);
typedef int (ENGINE_API* CreateDirProc)(char*, DWORD*);
typedef void (ENGINE_API* WriteDepthProc)(InstallState*, char*, int);
typedef void (ENGINE_API* RegDiagrClassProc)(HINSTANCE);

// The progress bar's commands and first colours.
enum { kBarPosition = 0x1402, kBarMaximum = 0x1403, kBarMinimum = 0x1404,
       kBarColour = 0x1405, kBarBackColour = 0x1406 };
enum { kBarWidth = 200, kBarHeight = 20, kBarClearRow = 1 };  // no text on row 1
#define BAR_BLUE RGB(0, 0, 255)
#define BAR_WHITE RGB(255, 255, 255)

static const char* const g_exportNames[] = {
    "_MainFunc@8",    "_InitDll@4",    "_CloseDll@0",     "_GetFullName@16", "_NoQuote@4",
    "_InQuote@4",     "_EndSlash@8",   "_CreateDir@8",    "_WriteDepth@12",  "_GetDirName@4",
    "_RegDiagrClass@4", "g_GetString", "g_hWnd",          "szString"};

static HANDLE g_hOut;
static HMODULE g_hEngine;
static int g_failures;
static char g_work[MAX_PATH];
static char g_file[MAX_PATH];
static char g_noDrive[MAX_PATH];

static void Print(LPCSTR lpszLine)
{
    DWORD written;
    WriteFile(g_hOut, lpszLine, (DWORD)lstrlenA(lpszLine), &written, NULL);
    WriteFile(g_hOut, "\r\n", 2, &written, NULL);
}

static void Check(BOOL ok, LPCSTR lpszWhat, LPCSTR lpszSeen)
{
    char line[1024];
    wsprintfA(line, "%s %s (%s)", ok ? "ok" : "FAIL", lpszWhat, lpszSeen);
    Print(line);
    if (!ok) g_failures++;
}

static void CheckText(LPCSTR lpszWhat, LPCSTR lpszSeen, LPCSTR lpszWanted)
{
    char what[600];
    wsprintfA(what, "%s is \"%s\"", lpszWhat, lpszWanted);
    Check(lstrcmpiA(lpszSeen, lpszWanted) == 0, what, lpszSeen);
}

static void CheckNumber(LPCSTR lpszWhat, int seen, int wanted)
{
    char what[300], shown[32];
    wsprintfA(what, "%s is %d", lpszWhat, wanted);
    wsprintfA(shown, "%d", seen);
    Check(seen == wanted, what, shown);
}

static void* Export(LPCSTR lpszName)
{
    return (void*)GetProcAddress(g_hEngine, lpszName);
}

static void CheckExportTable(void)
{
    for (int i = 0; i < (int)(sizeof g_exportNames / sizeof g_exportNames[0]); i++)
        Check(Export(g_exportNames[i]) != NULL, "GetProcAddress finds", g_exportNames[i]);
}

static void CheckTextHelpers(void)
{
    GetFullNameProc pfnGetFullName = (GetFullNameProc)Export("_GetFullName@16");
    EndSlashProc pfnEndSlash = (EndSlashProc)Export("_EndSlash@8");
    TextProc pfnNoQuote = (TextProc)Export("_NoQuote@4");
    TextProc pfnInQuote = (TextProc)Export("_InQuote@4");
    char text[256];

    CheckText("GetFullName(D:\\Setup, volume 3)", pfnGetFullName(text, "D:\\Setup", NULL, 3),
              "D:\\Setup\\disk3.pak");
    CheckText("GetFullName(C:, \\x)", pfnGetFullName(text, "C:", "\\x", 0), "C:\\x");
    lstrcpyA(text, "C:\\a\\\\");
    CheckText("EndSlash(C:\\a\\\\, 0)", pfnEndSlash(text, 0), "C:\\a\\");
    CheckText("EndSlash(C:\\a\\, 1)", pfnEndSlash(text, 1), "C:\\a\\");
    lstrcpyA(text, "\"C:\\x y\\z.exe\"");
    CheckText("NoQuote", pfnNoQuote(text), "C:\\x y\\z.exe");
    CheckText("InQuote", pfnInQuote(text), "\"C:\\x y\\z.exe\"");
}

static void CurrentDirectory(LPSTR lpszDir)
{
    GetCurrentDirectoryA(MAX_PATH, lpszDir);
}

static void CheckCreateDir(void)
{
    CreateDirProc pfnCreateDir = (CreateDirProc)Export("_CreateDir@8");
    const char* szShared = (const char*)Export("szString");
    char path[256], wanted[256], current[MAX_PATH];
    DWORD counter = 99;

    // Two new levels below the work directory.
    wsprintfA(path, "%s\\New\\Sub", g_work);
    lstrcpyA(wanted, path);
    CheckNumber("CreateDir(work\\New\\Sub)", pfnCreateDir(path, &counter), 0);
    CheckNumber("levels created", (int)counter, 2);
    CheckText("path afterwards", path, wanted);
    CurrentDirectory(current);
    CheckText("current directory", current, wanted);
    wsprintfA(path, "%s\\New\\Sub\\", g_work);
    CheckNumber("CreateDir again, with a trailing backslash", pfnCreateDir(path, &counter), 0);
    CheckNumber("levels created", (int)counter, 0);
    CheckText("path afterwards", path, wanted);

    // Only the missing last level.
    wsprintfA(path, "%s\\New\\Other", g_work);
    lstrcpyA(wanted, path);
    CheckNumber("CreateDir(work\\New\\Other)", pfnCreateDir(path, &counter), 0);
    CheckNumber("levels created", (int)counter, 1);
    CheckText("path afterwards", path, wanted);

    // A drive root: nothing to create; no counter is fine.
    lstrcpyA(path, "C:\\");
    CheckNumber("CreateDir(C:\\) without counter", pfnCreateDir(path, NULL), 0);
    CheckText("path afterwards", path, "C:\\");

    // A drive that does not exist: 153 with the root in szString.
    wsprintfA(path, "%sNew", g_noDrive);
    CheckNumber("CreateDir on a missing drive", pfnCreateDir(path, &counter), 153);
    CheckText("szString", szShared, g_noDrive);

    // A file in the way: 154 with the component in szString.
    wsprintfA(path, "%s\\%s\\Deeper", g_work, g_file);
    CheckNumber("CreateDir through a file", pfnCreateDir(path, &counter), 154);
    CheckText("szString", szShared, g_file);
}

static void CheckWriteDepth(void)
{
    WriteDepthProc pfnWriteDepth = (WriteDepthProc)Export("_WriteDepth@12");
    static InstallState state;
    char path[256], key[256], value[16], wanted[256];

    wsprintfA(state.logPath, "%s\\uninstal.ini", g_work);
    wsprintfA(path, "%s\\New\\Sub\\", g_work);
    pfnWriteDepth(&state, path, 2);
    CheckText("path after WriteDepth(2)", path, g_work);
    wsprintfA(key, "%s\\New\\Sub", g_work);
    GetPrivateProfileStringA("Directories", key, "missing", value, sizeof value, state.logPath);
    CheckText("log entry for New\\Sub", value, "0");
    wsprintfA(key, "%s\\New", g_work);
    GetPrivateProfileStringA("Directories", key, "missing", value, sizeof value, state.logPath);
    CheckText("log entry for New", value, "0");
    GetPrivateProfileStringA("Directories", g_work, "missing", value, sizeof value, state.logPath);
    CheckText("no log entry for the work directory", value, "missing");

    lstrcpyA(wanted, path);
    pfnWriteDepth(&state, path, 0);
    CheckText("path after WriteDepth(0)", path, wanted);
}

static void CheckPixel(HWND hwnd, int x, LPCSTR lpszWhat, COLORREF wanted)
{
    HDC hdc = GetDC(hwnd);
    COLORREF seen = GetPixel(hdc, x, kBarClearRow);
    ReleaseDC(hwnd, hdc);
    char what[200], shown[32];
    wsprintfA(what, "%s: column %d is %06lx", lpszWhat, x, (unsigned long)wanted);
    wsprintfA(shown, "%06lx", (unsigned long)seen);
    Check(seen == wanted, what, shown);
}

static void SendBar(HWND hwnd, WPARAM code, LPARAM value)
{
    SendMessageA(hwnd, WM_COMMAND, code, value);
}

// A "Diagr" control painted for real: the done part in the bar colour, the
// rest in the background colour.
static void CheckProgressBar(void)
{
    RegDiagrClassProc pfnRegDiagrClass = (RegDiagrClassProc)Export("_RegDiagrClass@4");
    pfnRegDiagrClass((HINSTANCE)g_hEngine);
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, "Diagr", "", WS_POPUP | WS_VISIBLE, 0, 0, kBarWidth,
                                kBarHeight, NULL, NULL, (HINSTANCE)g_hEngine, NULL);
    Check(hwnd != NULL, "a Diagr window", "CreateWindowExA");
    if (hwnd == NULL) return;
    UpdateWindow(hwnd);
    CheckPixel(hwnd, 0, "new control", BAR_WHITE);
    CheckPixel(hwnd, kBarWidth - 1, "new control", BAR_WHITE);

    SendBar(hwnd, kBarPosition, 50);
    CheckPixel(hwnd, 98, "50 of 100", BAR_BLUE);
    CheckPixel(hwnd, 99, "50 of 100", BAR_WHITE);
    SendBar(hwnd, kBarPosition, 1000);  // clamped to 100
    CheckPixel(hwnd, kBarWidth - 2, "100 of 100", BAR_BLUE);
    CheckPixel(hwnd, kBarWidth - 1, "100 of 100", BAR_WHITE);

    // Colours and range show at the next position only.
    SendBar(hwnd, kBarColour, RGB(255, 0, 0));
    SendBar(hwnd, kBarBackColour, RGB(0, 255, 0));
    SendBar(hwnd, kBarMaximum, 3);
    CheckPixel(hwnd, 0, "before the next position", BAR_BLUE);
    SendBar(hwnd, kBarPosition, 1);
    CheckPixel(hwnd, 0, "1 of 3 in new colours", RGB(255, 0, 0));
    CheckPixel(hwnd, 65, "1 of 3 in new colours", RGB(255, 0, 0));
    CheckPixel(hwnd, 66, "1 of 3 in new colours", RGB(0, 255, 0));

    // An empty range counts as complete.
    SendBar(hwnd, kBarMaximum, 0);
    SendBar(hwnd, kBarPosition, 0);
    CheckPixel(hwnd, kBarWidth - 2, "empty range", RGB(255, 0, 0));
    CheckPixel(hwnd, kBarWidth - 1, "empty range", RGB(0, 255, 0));
    DestroyWindow(hwnd);
}

static BOOL ReadSetting(LPCSTR lpszName, LPSTR lpszValue)
{
    DWORD length = GetEnvironmentVariableA(lpszName, lpszValue, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        Check(FALSE, "environment variable", lpszName);
        return FALSE;
    }
    return TRUE;
}

extern "C" int mainCRTStartup(void)
{
    char dll[MAX_PATH];
    g_hOut = GetStdHandle(STD_OUTPUT_HANDLE);
    if (ReadSetting("ENGINE_DLL", dll) && ReadSetting("ENGINE_WORK", g_work) &&
        ReadSetting("ENGINE_FILE", g_file) && ReadSetting("ENGINE_NODRIVE", g_noDrive)) {
        g_hEngine = LoadLibraryA(dll);
        Check(g_hEngine != NULL, "LoadLibraryA", dll);
        if (g_hEngine != NULL) {
            CheckExportTable();
            CheckTextHelpers();
            CheckCreateDir();
            CheckWriteDepth();
            CheckProgressBar();
            FreeLibrary(g_hEngine);
        }
    }
    ExitProcess((UINT)g_failures);
    return g_failures;
}
