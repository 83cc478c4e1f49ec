// The test robot: runs a small script of commands against the top-level
// windows of the Wine session (our dialogs and message boxes) and writes a
// transcript.  See docs/robot.md for the script language.
#pragma once
#include <windows.h>

enum {
    kRobotTextSize = 1024,       // texts read from or written to controls
    kRobotMaxWords = 8,          // words of one script line
    kRobotDefaultTimeoutS = 10,  // "wait" and "wait-gone" without timeout=
    kRobotPollMs = 50,
    kRobotSettleMs = 50,         // after an action, for the window to react
    kRobotSendTimeoutMs = 2000,  // a window that does not answer counts as hung
    kRobotStateWaitMs = 3000,    // a state change (maximise, enable) may lag its cause
};

// Exit codes of robot.exe.
enum { kRobotPassed = 0, kRobotFailed = 1, kRobotScriptError = 2 };

// One script line split into words; a quoted word loses its quotes and
// "key=value" words keep the key in front of the value.
struct ScriptLine {
    int lineNumber;
    int wordCount;
    char* words[kRobotMaxWords];
};

// What "wait" and "wait-gone" look for; NULL fields match anything.
struct WindowQuery {
    LPCSTR lpszClass;
    LPCSTR lpszCaption;
    DWORD timeoutMs;
};

// transcript.cpp
BOOL OpenTranscript(LPCSTR lpszPath);
void Say(LPCSTR lpszFormat, ...);
void SayWindow(LPCSTR lpszPrefix, HWND hwnd);

// script_line.cpp: splits a line in place; FALSE on an open quote or too
// many words.  Blank and comment lines give no words.
BOOL SplitScriptLine(LPSTR lpszLine, ScriptLine* line);
LPCSTR OptionValue(LPCSTR lpszWord, LPCSTR lpszKey);
BOOL ParseNumber(LPCSTR lpszWord, int* pValue);

// windows_find.cpp
BOOL WindowMatches(HWND hwnd, const WindowQuery* query);
HWND FindTopWindow(const WindowQuery* query);
void ListTopWindows(void);
BOOL ReadWindowText(HWND hwnd, LPSTR lpszText, int cchText);

// controls.cpp
HWND FindControl(HWND hwndDialog, int id);
void DumpControls(HWND hwndDialog);
void PostCommand(HWND hwndDialog, int id, int code, HWND hwndControl);
LRESULT SendQuiet(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// commands.cpp: runs one command line; returns kRobotPassed, kRobotFailed
// (the transcript tells why) or kRobotScriptError.
int RunCommand(const ScriptLine* line);
