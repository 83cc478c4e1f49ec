// robot.exe SCRIPT [TRANSCRIPT]
// Runs the script (a file, or "-" for standard input) line by line and
// stops at the first failing command.  Exit code 0: every command passed;
// 1: a command failed; 2: the script or the command line is wrong.
#include "robot.h"

enum { kScriptLimit = 256 * 1024 };

// Reads all of a file or of standard input; NUL-terminated.
static LPSTR ReadScript(LPCSTR lpszPath)
{
    HANDLE hFile;
    LPSTR lpszText;
    DWORD total = 0, cbRead;
    BOOL fromStdin = lstrcmpA(lpszPath, "-") == 0;

    hFile = fromStdin ? GetStdHandle(STD_INPUT_HANDLE)
                      : CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return NULL;
    lpszText = (LPSTR)HeapAlloc(GetProcessHeap(), 0, kScriptLimit + 1);
    while (lpszText != NULL && total < kScriptLimit &&
           ReadFile(hFile, lpszText + total, kScriptLimit - total, &cbRead, NULL) && cbRead > 0)
        total += cbRead;
    if (!fromStdin)
        CloseHandle(hFile);
    if (lpszText != NULL)
        lpszText[total] = '\0';
    return lpszText;
}

// Ends the line that starts at lpszLine in place, without its line break;
// returns where the next one starts.
static LPSTR CutLine(LPSTR lpszLine)
{
    LPSTR lpszEnd = lpszLine;

    while (*lpszEnd != '\0' && *lpszEnd != '\n')
        lpszEnd++;
    if (*lpszEnd == '\0')
        return lpszEnd;
    if (lpszEnd > lpszLine && lpszEnd[-1] == '\r')
        lpszEnd[-1] = '\0';
    *lpszEnd = '\0';
    return lpszEnd + 1;
}

static int RunScript(LPSTR lpszScript)
{
    ScriptLine line;
    char szEcho[kRobotTextSize];
    LPSTR lpszLine = lpszScript, lpszNext;
    int result, commands = 0;

    for (line.lineNumber = 1; *lpszLine != '\0'; line.lineNumber++, lpszLine = lpszNext) {
        lpszNext = CutLine(lpszLine);
        lstrcpynA(szEcho, lpszLine, sizeof(szEcho));
        if (!SplitScriptLine(lpszLine, &line)) {
            Say("script line %d: an open quote or more than %d words", line.lineNumber,
                kRobotMaxWords);
            return kRobotScriptError;
        }
        if (line.wordCount == 0)
            continue;
        Say("> %s", szEcho);
        result = RunCommand(&line);
        if (result != kRobotPassed) {
            Say("robot: stopped at script line %d", line.lineNumber);
            return result;
        }
        commands++;
    }
    Say("PASS: %d commands", commands);
    return kRobotPassed;
}

// The words after the program's own name.
static BOOL ReadArguments(ScriptLine* args)
{
    static char szCommandLine[kRobotTextSize];
    LPSTR lpszArgs = szCommandLine;

    lstrcpynA(szCommandLine, GetCommandLineA(), sizeof(szCommandLine));
    if (*lpszArgs == '"') {
        for (lpszArgs++; *lpszArgs != '\0' && *lpszArgs != '"'; lpszArgs++)
            ;
    }
    while (*lpszArgs != '\0' && *lpszArgs != ' ' && *lpszArgs != '\t')
        lpszArgs++;
    return SplitScriptLine(lpszArgs, args) && (args->wordCount == 1 || args->wordCount == 2);
}

static int RunRobot(void)
{
    ScriptLine args;
    LPSTR lpszScript;

    if (!ReadArguments(&args)) {
        Say("usage: robot.exe SCRIPT [TRANSCRIPT]   (SCRIPT - reads standard input)");
        return kRobotScriptError;
    }
    if (args.wordCount == 2 && !OpenTranscript(args.words[1])) {
        Say("robot: cannot create the transcript %s", args.words[1]);
        return kRobotScriptError;
    }
    lpszScript = ReadScript(args.words[0]);
    if (lpszScript == NULL) {
        Say("robot: cannot read the script %s", args.words[0]);
        return kRobotScriptError;
    }
    return RunScript(lpszScript);
}

extern "C" int mainCRTStartup(void)
{
    ExitProcess((UINT)RunRobot());
    return 0;
}
