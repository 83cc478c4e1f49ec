// dos_device: gives a drive letter to a directory for the Wine tests, the
// way subst does, so that the drive is listed like any other:
//   dos_device K: Z:\some\directory     define
//   dos_device K:                       remove
// Exit code 0 on success.
#include <windows.h>

// The next space-separated word of the command line, ended in place.
static LPSTR NextWord(LPSTR* lplpszLine)
{
    LPSTR lpszWord = *lplpszLine;
    LPSTR lpszEnd;

    while (*lpszWord == ' ')
        lpszWord++;
    lpszEnd = lpszWord;
    while (*lpszEnd && *lpszEnd != ' ')
        lpszEnd++;
    *lplpszLine = *lpszEnd ? lpszEnd + 1 : lpszEnd;
    *lpszEnd = 0;
    return lpszWord;
}

extern "C" int mainCRTStartup(void)
{
    LPSTR lpszLine = GetCommandLineA();
    LPSTR lpszDevice, lpszTarget;
    BOOL bDone;

    if (*lpszLine == '"') {          // a quoted program path may hold spaces
        lpszLine++;
        while (*lpszLine && *lpszLine != '"')
            lpszLine++;
        if (*lpszLine)
            lpszLine++;
    } else {
        NextWord(&lpszLine);
    }
    lpszDevice = NextWord(&lpszLine);
    lpszTarget = NextWord(&lpszLine);
    if (*lpszTarget)
        bDone = DefineDosDeviceA(0, lpszDevice, lpszTarget);
    else
        bDone = DefineDosDeviceA(DDD_REMOVE_DEFINITION, lpszDevice, NULL);
    ExitProcess(bDone && *lpszDevice ? 0 : 1);
    return 0;
}
