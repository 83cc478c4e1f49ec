// The transcript: every line goes to standard output and, when asked, to a
// file as well.
#include <stdarg.h>

#include "robot.h"

static HANDLE g_hTranscript = INVALID_HANDLE_VALUE;

BOOL OpenTranscript(LPCSTR lpszPath)
{
    g_hTranscript = CreateFileA(lpszPath, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    return g_hTranscript != INVALID_HANDLE_VALUE;
}

static void WriteAll(HANDLE hOut, LPCSTR lpszText, int length)
{
    DWORD cbWritten;

    if (hOut != INVALID_HANDLE_VALUE && hOut != NULL)
        WriteFile(hOut, lpszText, (DWORD)length, &cbWritten, NULL);
}

// One line, terminated here.  wvsprintfA writes at most 1024 characters.
void Say(LPCSTR lpszFormat, ...)
{
    char szLine[1026];
    va_list args;
    int length;

    va_start(args, lpszFormat);
    length = wvsprintfA(szLine, lpszFormat, args);
    va_end(args);
    szLine[length++] = '\n';
    WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), szLine, length);
    WriteAll(g_hTranscript, szLine, length);
}

void SayWindow(LPCSTR lpszPrefix, HWND hwnd)
{
    char szClass[256], szCaption[256];
    DWORD pid = 0;

    szClass[0] = '\0';
    GetClassNameA(hwnd, szClass, sizeof(szClass));
    ReadWindowText(hwnd, szCaption, sizeof(szCaption));
    GetWindowThreadProcessId(hwnd, &pid);
    Say("%s0x%08lx class=\"%s\" caption=\"%s\"%s%s%s pid=%lu", lpszPrefix, (DWORD)(ULONG_PTR)hwnd, szClass, szCaption,
        IsWindowVisible(hwnd) ? " visible" : " hidden", IsZoomed(hwnd) ? " maximized" : "",
        IsIconic(hwnd) ? " minimized" : "", pid);
}
