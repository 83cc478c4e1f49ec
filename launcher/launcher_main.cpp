// The installer executable's entry: unpack the engine module, run it, and
// remove it again.  The process exits with 0 on every path.
#include "launcher.h"

static void SetSystemCursor(LPCSTR lpszCursor)
{
    SetCursor(LoadCursorA(NULL, lpszCursor));
}

static void ShowError(LPCSTR lpszFormat, LPCSTR lpszName)
{
    char szMessage[kMessageTextSize];

    wsprintfA(szMessage, lpszFormat, lpszName);
    SetSystemCursor(IDC_ARROW);
    MessageBoxA(NULL, szMessage, LAUNCHER_ERROR_CAPTION, MB_ICONERROR);
}

// Loads the module file and runs the engine; FALSE when the module does not
// load or has no entry.  Either way the module is unloaded and deleted.
static BOOL RunEngine(LPCSTR lpszPath)
{
    HMODULE hEngine;
    MainFuncEntry lpfnMain = NULL;

    hEngine = LoadLibraryA(lpszPath);
    g_context.decode = DecodeEngineBlock;
    g_context.input = g_input;
    g_context.output = g_output;
    if (hEngine != NULL)
        lpfnMain = (MainFuncEntry)(void (*)(void))GetProcAddress(hEngine, TOLVANE_ENGINE_ENTRY);
    if (lpfnMain != NULL) {
        SetSystemCursor(IDC_ARROW);
        lpfnMain(&g_context, hEngine);
    }
    if (hEngine != NULL)
        FreeLibrary(hEngine);
    DeleteFileA(lpszPath);
    return lpfnMain != NULL;
}

static void RunInstaller(void)
{
    char szEnginePath[kEngineFileTextSize];

    FillContextPaths();
    if (!ReadEngineBlock())
        ShowError(LAUNCHER_CANNOT_READ, g_context.modulePath);
    else if (!WriteEngineModule(szEnginePath))
        ShowError(LAUNCHER_CANNOT_CREATE, szEnginePath);
    else if (!RunEngine(szEnginePath))
        ShowError(LAUNCHER_CANNOT_LOAD, szEnginePath);
}

extern "C" int WinMainCRTStartup(void)
{
    if (!AnotherInstanceRuns()) {
        SetSystemCursor(IDC_WAIT);
        // Without its two buffers the launcher has nothing to work with and
        // no message for it: it ends quietly before touching any file.
        if (AllocateBuffers())
            RunInstaller();
        FreeBuffers();
    }
    ExitProcess(0);
    return 0;
}
