// The path fields of the setup context, filled before the engine exists.
#include "launcher.h"

SetupContext g_context;

static void CopyDirectoryPart(LPSTR lpszDir, LPCSTR lpszPath)
{
    int slash = lstrlenA(lpszPath) - 1;

    while (slash >= 0 && lpszPath[slash] != '\\')
        slash--;
    // Copies the characters before the backslash: "C:\setup.exe" gives "C:".
    if (slash > 0)
        lstrcpynA(lpszDir, lpszPath, slash + 1);
}

// Started from within the temporary directory, the installer must not put
// its module file there; "c:\" stands in.
static void AvoidCurrentDirectory(LPSTR lpszTempDir)
{
    char szCurrent[kPathTextSize];
    DWORD length = GetCurrentDirectoryA(kPathTextSize - 1, szCurrent);

    // A directory too long for the buffer leaves it unwritten.
    if (length == 0 || length >= kPathTextSize - 1)
        return;
    if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, szCurrent, -1,
                       lpszTempDir, -1) == CSTR_EQUAL)
        lstrcpyA(lpszTempDir, LAUNCHER_SUBSTITUTE_TEMP);
}

void FillContextPaths(void)
{
    GetModuleFileNameA(NULL, g_context.modulePath, kPathTextSize);
    // Older systems leave a cut path without its terminator.
    g_context.modulePath[kPathTextSize - 1] = '\0';
    lstrcpyA(g_context.volumePath, g_context.modulePath);
    CopyDirectoryPart(g_context.exeDir, g_context.modulePath);
    lstrcpyA(g_context.volumeDir, g_context.exeDir);
    GetTempPathA(kPathTextSize - 1, g_context.tempDir);
    AvoidCurrentDirectory(g_context.tempDir);
    GetSystemDirectoryA(g_context.systemDir, kPathTextSize - 1);
    GetWindowsDirectoryA(g_context.windowsDir, kPathTextSize - 1);
}
