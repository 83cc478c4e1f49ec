// The engine block read from the launcher's own file, and the module file
// it decodes to.
#include "launcher.h"

BOOL ReadEngineBlock(void)
{
    HANDLE hFile;
    DWORD cbRead;

    hFile = CreateFileA(g_context.modulePath, GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    // A short file surfaces later as a module that does not load.
    SetFilePointer(hFile, kEngineBlockOffset, NULL, FILE_BEGIN);
    ReadFile(hFile, g_input, kEngineBlockSize, &cbRead, NULL);
    CloseHandle(hFile);
    return TRUE;
}

static void JoinEnginePath(LPSTR lpszPath, LPCSTR lpszDir)
{
    int length = lstrlenA(lpszDir);
    LPCSTR lpszSeparator = (length > 0 && lpszDir[length - 1] == '\\') ? "" : "\\";

    wsprintfA(lpszPath, LAUNCHER_PATH_FORMAT, lpszDir, lpszSeparator, TOLVANE_ENGINE_FILE);
}

static HANDLE CreateEngineFile(LPCSTR lpszPath)
{
    return CreateFileA(lpszPath, GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, NULL);
}

// Creates the module file in tempDir, else in the Windows directory, which
// then serves as the engine's temporary directory for the whole run.
// lpszPath receives the path tried last.
BOOL WriteEngineModule(LPSTR lpszPath)
{
    HANDLE hFile;
    DWORD cbWritten;

    JoinEnginePath(lpszPath, g_context.tempDir);
    hFile = CreateEngineFile(lpszPath);
    if (hFile == INVALID_HANDLE_VALUE) {
        lstrcpyA(g_context.tempDir, g_context.windowsDir);
        JoinEnginePath(lpszPath, g_context.tempDir);
        hFile = CreateEngineFile(lpszPath);
        if (hFile == INVALID_HANDLE_VALUE)
            return FALSE;
    }
    DecodeEngineBlock();
    WriteFile(hFile, g_output, g_decodedSize, &cbWritten, NULL);
    CloseHandle(hFile);
    return TRUE;
}
