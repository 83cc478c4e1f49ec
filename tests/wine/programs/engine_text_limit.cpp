// engine_text_limit: runs the real engine through "_MainFunc@8" with a
// setup context of its own whose decoder fills the whole 65535-byte output
// buffer without a NUL, as a text of 65535 bytes or more decodes.  A second
// thread checks that the licence and readme dialogs show the text cut to
// 65279 characters, then declines its way out.  Environment:
//   ENGINE_DLL        the engine module
//   ENGINE_INSTALLER  an installer whose package has a licence and a readme
// Prints one line per check; the exit code is the number of failed checks.
#include <windows.h>

#include "engine/package/engine_api.h"
#include "engine/package/layout.h"
#include "launcher/setup_context.h"

typedef void (ENGINE_API* MainFuncProc)(SetupContext*, HINSTANCE);

enum {
    kShownLimit = kTextDecodedLimit - 1,  // characters the dialogs may show
    kWaitMs = 20000,
    kPollMs = 50,
    kFillByte = 'T',
};

static HANDLE g_hOut;
static int g_failures;
static SetupContext g_context;
static volatile LONG g_decodes;

static void Print(LPCSTR lpszLine)
{
    DWORD written;
    WriteFile(g_hOut, lpszLine, (DWORD)lstrlenA(lpszLine), &written, NULL);
    WriteFile(g_hOut, "\r\n", 2, &written, NULL);
}

static void CheckNumber(LPCSTR lpszWhat, int seen, int wanted)
{
    char line[300];
    wsprintfA(line, "%s %s is %d (%d)", seen == wanted ? "ok" : "FAIL", lpszWhat, wanted, seen);
    Print(line);
    if (seen != wanted) g_failures++;
}

// Stands in for the launcher's decoder: a text that fills all of output.
static void FillingDecoder(void)
{
    for (int i = 0; i < kIoBufferSize; i++) g_context.output[i] = kFillByte;
    InterlockedIncrement(&g_decodes);
}

static HWND WaitForWindow(LPCSTR lpszCaption)
{
    for (int waited = 0; waited < kWaitMs; waited += kPollMs) {
        HWND hwnd = FindWindowA("#32770", lpszCaption);
        if (hwnd != NULL && IsWindowVisible(hwnd)) return hwnd;
        Sleep(kPollMs);
    }
    char line[200];
    wsprintfA(line, "FAIL no window \"%s\" within %d ms", lpszCaption, kWaitMs);
    Print(line);
    g_failures++;
    return NULL;
}

static void Press(HWND hwnd, int id)
{
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// The length of the text that a dialog's control shows.
static void CheckShownText(HWND hwndDialog, int id, LPCSTR lpszWhat)
{
    HWND hwndText = GetDlgItem(hwndDialog, id);
    int length = (int)SendMessageA(hwndText, WM_GETTEXTLENGTH, 0, 0);
    CheckNumber(lpszWhat, length, kShownLimit);
}

static DWORD WINAPI DriveDialogs(LPVOID)
{
    HWND hwnd = WaitForWindow("License agreement");
    if (hwnd == NULL) return 0;
    CheckShownText(hwnd, 1004, "licence text length");
    Press(hwnd, 1007);
    if ((hwnd = WaitForWindow("Readme")) == NULL) return 0;
    CheckShownText(hwnd, 1009, "readme text length");
    Press(hwnd, 1010);
    // The options dialog follows; leave it with Exit and Yes.
    Sleep(500);
    if ((hwnd = WaitForWindow("Text Limit Setup")) == NULL) return 0;
    Press(hwnd, 1007);
    if ((hwnd = WaitForWindow("Confirmation")) == NULL) return 0;
    Press(hwnd, IDYES);
    return 0;
}

static BOOL ReadSetting(LPCSTR lpszName, LPSTR lpszValue)
{
    DWORD length = GetEnvironmentVariableA(lpszName, lpszValue, kPathTextSize);
    return length > 0 && length < kPathTextSize;
}

// The paths the launcher would give; exeDir is the installer's directory.
static void FillContext(void)
{
    lstrcpyA(g_context.volumePath, g_context.modulePath);
    lstrcpyA(g_context.exeDir, g_context.modulePath);
    for (int i = lstrlenA(g_context.exeDir); i > 0; i--)
        if (g_context.exeDir[i] == '\\') { g_context.exeDir[i] = 0; break; }
    lstrcpyA(g_context.volumeDir, g_context.exeDir);
    GetTempPathA(kPathTextSize - 1, g_context.tempDir);
    GetWindowsDirectoryA(g_context.windowsDir, kPathTextSize - 1);
    GetSystemDirectoryA(g_context.systemDir, kPathTextSize - 1);
    g_context.decode = FillingDecoder;
    g_context.input = (uint8_t*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, kIoBufferSize);
    g_context.output = (uint8_t*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, kIoBufferSize);
}

extern "C" int mainCRTStartup(void)
{
    char dll[kPathTextSize];
    g_hOut = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!ReadSetting("ENGINE_DLL", dll) || !ReadSetting("ENGINE_INSTALLER", g_context.modulePath)) {
        Print("FAIL ENGINE_DLL and ENGINE_INSTALLER must name the engine and an installer");
        ExitProcess(1);
    }
    FillContext();
    HMODULE hEngine = LoadLibraryA(dll);
    MainFuncProc pfnMainFunc = (MainFuncProc)(void*)GetProcAddress(hEngine, "_MainFunc@8");
    if (pfnMainFunc == NULL) {
        Print("FAIL no _MainFunc@8 in the engine");
        ExitProcess(1);
    }
    HANDLE hThread = CreateThread(NULL, 0, DriveDialogs, NULL, 0, NULL);
    pfnMainFunc(&g_context, hEngine);
    WaitForSingleObject(hThread, kWaitMs);
    CheckNumber("decoder runs", (int)g_decodes, 2);
    FreeLibrary(hEngine);
    ExitProcess((UINT)g_failures);
    return g_failures;
}
