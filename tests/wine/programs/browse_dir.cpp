// browse_dir: loads the real tolvaeng.dll, gives it a message fetcher with
// the default texts through InitDll, and calls the exported GetDirName as
// another module would.  Environment:
//   ENGINE_DLL    the engine module to load
//   BROWSE_START  startDir of the browse record
//   BROWSE_FILE   fileName of the browse record (may be unset)
// Prints the result, chosenPath and the current directory afterwards; the
// exit code is 0 when the browser ran (whatever the user chose).
#include <windows.h>

#include "engine/choices/browse_record.h"
#include "engine/package/default_messages.h"
#include "engine/package/engine_api.h"
#include "engine/package/message_ids.h"

typedef char* (ENGINE_API* FetcherProc)(int, char*, DWORD);
typedef void (ENGINE_API* InitDllProc)(FetcherProc);
typedef void (ENGINE_API* CloseDllProc)(void);
typedef int (ENGINE_API* GetDirNameProc)(BrowseRecord*);

static char g_szText[kWorkTextSize];

static char* ENGINE_API FetchDefault(int id, char* buffer, DWORD size)
{
    const char* text = DefaultMessageText(id);

    if (buffer == NULL)
        buffer = g_szText;
    lstrcpynA(buffer, text != NULL ? text : DefaultMessageText(kMsgSystemError), (int)size);
    return buffer;
}

static void Print(LPCSTR lpszName, LPCSTR lpszValue)
{
    char line[kPathTextSize + 32];
    DWORD written;
    int length = wsprintfA(line, "%s=%s\r\n", lpszName, lpszValue);

    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, (DWORD)length, &written, NULL);
}

extern "C" int mainCRTStartup(void)
{
    static BrowseRecord record;
    char szEngine[MAX_PATH], szCurrent[MAX_PATH];
    HMODULE hEngine;
    GetDirNameProc lpfnGetDirName;
    InitDllProc lpfnInitDll;
    CloseDllProc lpfnCloseDll;
    int result;

    GetEnvironmentVariableA("ENGINE_DLL", szEngine, sizeof szEngine);
    GetEnvironmentVariableA("BROWSE_START", record.startDir, sizeof record.startDir);
    GetEnvironmentVariableA("BROWSE_FILE", record.fileName, sizeof record.fileName);
    hEngine = LoadLibraryA(szEngine);
    lpfnInitDll = (InitDllProc)(void (*)(void))GetProcAddress(hEngine, "_InitDll@4");
    lpfnCloseDll = (CloseDllProc)(void (*)(void))GetProcAddress(hEngine, "_CloseDll@0");
    lpfnGetDirName = (GetDirNameProc)(void (*)(void))GetProcAddress(hEngine, "_GetDirName@4");
    if (!lpfnInitDll || !lpfnCloseDll || !lpfnGetDirName) {
        Print("error", "no engine exports");
        ExitProcess(2);
    }
    lpfnInitDll(FetchDefault);
    result = lpfnGetDirName(&record);
    lpfnCloseDll();
    GetCurrentDirectoryA(sizeof szCurrent, szCurrent);
    Print("result", result == 1 ? "1" : result == 0 ? "0" : "other");
    Print("chosen", record.chosenPath);
    Print("current", szCurrent);
    FreeLibrary(hEngine);
    ExitProcess(0);
    return 0;
}
