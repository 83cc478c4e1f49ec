// Stand-in engine module: records the setup context it receives, checks the
// decoder it is lent, and optionally plays the running installer.
#include <windows.h>

#include "launcher/engine_link.h"
#include "stub_engine.h"

static HINSTANCE g_hinstStub;
static HANDLE g_hReport;

static void ReportLine(LPCSTR lpszName, LPCSTR lpszValue)
{
    char szLine[kPathTextSize + 64];
    DWORD cbWritten;
    int length = wsprintfA(szLine, "%s=%s\r\n", lpszName, lpszValue);

    WriteFile(g_hReport, szLine, (DWORD)length, &cbWritten, NULL);
}

static void ReportNumber(LPCSTR lpszName, DWORD value)
{
    char szValue[16];

    wsprintfA(szValue, "%lu", value);
    ReportLine(lpszName, szValue);
}

static BOOL OpenReport(const SetupContext* context)
{
    char szPath[kPathTextSize + 32];

    wsprintfA(szPath, "%s\\%s", context->exeDir, STUB_REPORT_FILE);
    g_hReport = CreateFileA(szPath, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, NULL);
    if (g_hReport == INVALID_HANDLE_VALUE)
        return FALSE;
    SetFilePointer(g_hReport, 0, NULL, FILE_END);
    return TRUE;
}

// Reads the module file this stub was loaded from.
static BYTE* ReadModuleFile(LPCSTR lpszPath, DWORD* pcbFile)
{
    HANDLE hFile;
    BYTE* lpBytes;

    hFile = CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return NULL;
    *pcbFile = GetFileSize(hFile, NULL);
    lpBytes = (BYTE*)HeapAlloc(GetProcessHeap(), 0, *pcbFile + 1);
    if (lpBytes != NULL)
        ReadFile(hFile, lpBytes, *pcbFile, pcbFile, NULL);
    CloseHandle(hFile);
    return lpBytes;
}

static LPCSTR CompareImage(const BYTE* lpOutput, const BYTE* lpFile, DWORD cbFile)
{
    DWORD i;

    if (lpFile == NULL)
        return "unreadable";
    if (cbFile > kIoBufferSize)
        return "larger than the buffer";
    for (i = 0; i < cbFile; i++)
        if (lpOutput[i] != lpFile[i])
            return "differs";
    return "module file";
}

// output must still hold the module file's bytes, and the lent decoder must
// produce them again from input.
static void ReportBuffers(SetupContext* context, LPCSTR lpszModuleFile)
{
    DWORD cbFile = 0, i;
    BYTE* lpFile = ReadModuleFile(lpszModuleFile, &cbFile);

    ReportNumber("decodedSize", context->input[0] | context->input[1] << 8 |
                                    context->input[2] << 16 | (DWORD)context->input[3] << 24);
    ReportNumber("engineFileSize", cbFile);
    ReportLine("output", CompareImage(context->output, lpFile, cbFile));
    for (i = 0; i < kIoBufferSize; i++)
        context->output[i] = 0;
    context->decode();
    ReportLine("decode", CompareImage(context->output, lpFile, cbFile));
    if (lpFile != NULL)
        HeapFree(GetProcessHeap(), 0, lpFile);
}

static void ReportContext(SetupContext* context, HMODULE hModule)
{
    char szModuleFile[kPathTextSize];

    GetModuleFileNameA(hModule, szModuleFile, sizeof(szModuleFile));
    ReportLine("run", "");
    ReportLine("modulePath", context->modulePath);
    ReportLine("volumePath", context->volumePath);
    ReportLine("exeDir", context->exeDir);
    ReportLine("tempDir", context->tempDir);
    ReportLine("windowsDir", context->windowsDir);
    ReportLine("systemDir", context->systemDir);
    ReportLine("volumeDir", context->volumeDir);
    ReportLine("engineFile", szModuleFile);
    ReportLine("moduleHandle", hModule == g_hinstStub ? "own" : "foreign");
    ReportBuffers(context, szModuleFile);
}

static LRESULT CALLBACK StubWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_TIMER:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

static BOOL WaitRequested(const SetupContext* context)
{
    char szPath[kPathTextSize + 32];

    wsprintfA(szPath, "%s\\%s", context->exeDir, STUB_WAIT_FILE);
    return GetFileAttributesA(szPath) != INVALID_FILE_ATTRIBUTES;
}

// A normal (not maximised) main window, so that a test can see the second
// start maximise it.
static void RunMainWindow(void)
{
    WNDCLASSA wc;
    HWND hwnd;
    MSG msg;

    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = StubWndProc;
    wc.hInstance = g_hinstStub;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = TOLVANE_MAIN_CLASS;
    RegisterClassA(&wc);
    hwnd = CreateWindowA(TOLVANE_MAIN_CLASS, STUB_WINDOW_TITLE, WS_OVERLAPPEDWINDOW, 50, 50, 400,
                         300, NULL, NULL, g_hinstStub, NULL);
    SetTimer(hwnd, 1, STUB_WINDOW_LIFETIME_MS, NULL);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    UnregisterClassA(TOLVANE_MAIN_CLASS, g_hinstStub);
}

extern "C" int WINAPI MainFunc(SetupContext* context, HMODULE hModule)
{
    if (!OpenReport(context))
        return 0;
    ReportContext(context, hModule);
    if (WaitRequested(context)) {
        ReportLine("window", "shown");
        RunMainWindow();
        ReportLine("window", "closed");
    }
    ReportLine("end", "");
    CloseHandle(g_hReport);
    return 0;
}

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE hinstDLL, DWORD fdwReason, LPVOID lpReserved)
{
    (void)lpReserved;
    if (fdwReason == DLL_PROCESS_ATTACH)
        g_hinstStub = hinstDLL;
    return TRUE;
}
