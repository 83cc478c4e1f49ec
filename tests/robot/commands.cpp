// The script commands.  "wait" chooses the current window; the other
// commands work on it.  A failing command says what it expected and what
// it saw, and shows the window (or the list of windows) as it is now.
#include "robot.h"

typedef int (*CommandHandler)(const ScriptLine* line);

struct Command {
    LPCSTR lpszName;
    int minWords;   // with the command's own name
    int maxWords;
    CommandHandler handler;
    LPCSTR lpszUsage;
};

struct NamedId {
    LPCSTR lpszName;
    int id;
};

static HWND g_hwndCurrent;

static const NamedId g_answers[] = {
    {"ok", IDOK}, {"cancel", IDCANCEL}, {"abort", IDABORT}, {"retry", IDRETRY},
    {"ignore", IDIGNORE}, {"yes", IDYES}, {"no", IDNO},
};

static int ScriptError(const ScriptLine* line, LPCSTR lpszProblem, LPCSTR lpszWord)
{
    Say("script line %d: %s%s", line->lineNumber, lpszProblem, lpszWord);
    return kRobotScriptError;
}

static int FailWithWindow(HWND hwnd)
{
    if (hwnd != NULL && IsWindow(hwnd)) {
        Say("the window now:");
        DumpControls(hwnd);
    } else {
        ListTopWindows();
    }
    return kRobotFailed;
}

// Text shown in the transcript: line breaks and tabs made visible, so one
// control's text stays on one transcript line.
static void ShowableText(LPCSTR lpszText, LPSTR lpszShown, int cchShown)
{
    int out = 0;

    for (; *lpszText != '\0' && out < cchShown - 3; lpszText++) {
        char c = *lpszText;
        char escape = c == '\r' ? 'r' : c == '\n' ? 'n' : c == '\t' ? 't' : 0;
        if (escape != 0) {
            lpszShown[out++] = '\\';
            lpszShown[out++] = escape;
        } else {
            lpszShown[out++] = c;
        }
    }
    lpszShown[out] = '\0';
}

static BOOL NeedWindow(void)
{
    if (g_hwndCurrent != NULL && IsWindow(g_hwndCurrent))
        return TRUE;
    Say("FAIL: no current window: it has closed, or no \"wait\" found one");
    ListTopWindows();
    return FALSE;
}

// The class=, caption= and timeout= words of a line; FALSE on any other.
static BOOL ParseQuery(const ScriptLine* line, WindowQuery* query)
{
    int i, seconds = kRobotDefaultTimeoutS;
    LPCSTR lpszValue;

    query->lpszClass = NULL;
    query->lpszCaption = NULL;
    for (i = 1; i < line->wordCount; i++) {
        LPCSTR lpszWord = line->words[i];
        if ((lpszValue = OptionValue(lpszWord, "class")) != NULL)
            query->lpszClass = lpszValue;
        else if ((lpszValue = OptionValue(lpszWord, "caption")) != NULL)
            query->lpszCaption = lpszValue;
        else if ((lpszValue = OptionValue(lpszWord, "timeout")) == NULL ||
                 !ParseNumber(lpszValue, &seconds))
            return FALSE;
    }
    query->timeoutMs = (DWORD)seconds * 1000;
    return TRUE;
}

static BOOL HasCriteria(const WindowQuery* query)
{
    return query->lpszClass != NULL || query->lpszCaption != NULL;
}

static void DescribeQuery(const WindowQuery* query, LPSTR lpszText)
{
    wsprintfA(lpszText, "class=\"%s\" caption=\"%s\"",
              query->lpszClass != NULL ? query->lpszClass : "(any)",
              query->lpszCaption != NULL ? query->lpszCaption : "(any)");
}

static int CmdWait(const ScriptLine* line)
{
    WindowQuery query;
    char szQuery[600];
    DWORD start = GetTickCount();
    HWND hwnd;

    if (!ParseQuery(line, &query) || !HasCriteria(&query))
        return ScriptError(line, "wait needs class= and/or caption=, and takes timeout=", "");
    DescribeQuery(&query, szQuery);
    while ((hwnd = FindTopWindow(&query)) == NULL) {
        if (GetTickCount() - start >= query.timeoutMs) {
            Say("FAIL: waited %lu s for a window %s; none appeared", query.timeoutMs / 1000, szQuery);
            ListTopWindows();
            return kRobotFailed;
        }
        Sleep(kRobotPollMs);
    }
    g_hwndCurrent = hwnd;
    SayWindow("found ", hwnd);
    return kRobotPassed;
}

// Without class= or caption=, the current window is waited for.
static BOOL IsGone(const WindowQuery* query)
{
    if (HasCriteria(query))
        return FindTopWindow(query) == NULL;
    return !IsWindow(g_hwndCurrent) || !IsWindowVisible(g_hwndCurrent);
}

static int CmdWaitGone(const ScriptLine* line)
{
    WindowQuery query;
    char szQuery[600];
    DWORD start = GetTickCount();

    if (!ParseQuery(line, &query))
        return ScriptError(line, "wait-gone takes class=, caption= and timeout=", "");
    if (HasCriteria(&query))
        DescribeQuery(&query, szQuery);
    else if (g_hwndCurrent != NULL)
        wsprintfA(szQuery, "0x%08lx", (DWORD)(ULONG_PTR)g_hwndCurrent);
    else
        return ScriptError(line, "wait-gone without class= or caption= needs a window from wait", "");
    while (!IsGone(&query)) {
        if (GetTickCount() - start >= query.timeoutMs) {
            Say("FAIL: waited %lu s for the window %s to close; it is still there",
                query.timeoutMs / 1000, szQuery);
            ListTopWindows();
            return kRobotFailed;
        }
        Sleep(kRobotPollMs);
    }
    Say("gone %s", szQuery);
    return kRobotPassed;
}

// The control named by the word, or NULL after saying why.
static HWND ControlOf(const ScriptLine* line, int word, int* pId)
{
    HWND hwnd;

    if (!ParseNumber(line->words[word], pId)) {
        ScriptError(line, "not a control id: ", line->words[word]);
        return NULL;
    }
    hwnd = FindControl(g_hwndCurrent, *pId);
    if (hwnd == NULL) {
        Say("FAIL: the window has no control with id %d", *pId);
        FailWithWindow(g_hwndCurrent);
    }
    return hwnd;
}

// Script errors and failures both end the script; tell them apart.
static int ControlProblem(const ScriptLine* line, int word)
{
    int id;
    return ParseNumber(line->words[word], &id) ? kRobotFailed : kRobotScriptError;
}

static int CompareText(LPCSTR lpszWhat, LPCSTR lpszSeen, LPCSTR lpszWanted, BOOL whole)
{
    char szShown[kRobotTextSize];
    int seenLength = lstrlenA(lpszSeen), wantedLength = lstrlenA(lpszWanted), i;
    BOOL found = FALSE;

    if (whole)
        found = lstrcmpA(lpszSeen, lpszWanted) == 0;
    for (i = 0; !whole && !found && i + wantedLength <= seenLength; i++)
        found = CompareStringA(LOCALE_INVARIANT, 0, lpszSeen + i, wantedLength, lpszWanted,
                               wantedLength) == CSTR_EQUAL;
    ShowableText(lpszSeen, szShown, sizeof(szShown));
    if (found) {
        Say("ok %s \"%s\"", lpszWhat, szShown);
        return kRobotPassed;
    }
    Say("FAIL: %s is \"%s\"", lpszWhat, szShown);
    ShowableText(lpszWanted, szShown, sizeof(szShown));
    Say("      wanted %s\"%s\"", whole ? "" : "a text containing ", szShown);
    return FailWithWindow(g_hwndCurrent);
}

static int ExpectText(const ScriptLine* line, BOOL whole)
{
    char szText[kRobotTextSize], szWhat[64];
    int id;
    HWND hwnd;

    if (!NeedWindow())
        return kRobotFailed;
    if ((hwnd = ControlOf(line, 1, &id)) == NULL)
        return ControlProblem(line, 1);
    ReadWindowText(hwnd, szText, sizeof(szText));
    wsprintfA(szWhat, "text of control %d", id);
    return CompareText(szWhat, szText, line->words[2], whole);
}

static int CmdExpectText(const ScriptLine* line)
{
    return ExpectText(line, TRUE);
}

static int CmdExpectTextContains(const ScriptLine* line)
{
    return ExpectText(line, FALSE);
}

static int CmdExpectCaption(const ScriptLine* line)
{
    char szText[kRobotTextSize];

    if (!NeedWindow())
        return kRobotFailed;
    ReadWindowText(g_hwndCurrent, szText, sizeof(szText));
    return CompareText("caption", szText, line->words[1], TRUE);
}

static BOOL HasState(HWND hwnd, LPCSTR lpszState, BOOL* pKnown)
{
    LRESULT check = SendQuiet(hwnd, BM_GETCHECK, 0, 0);

    *pKnown = TRUE;
    if (lstrcmpA(lpszState, "maximized") == 0) return IsZoomed(hwnd);
    if (lstrcmpA(lpszState, "minimized") == 0) return IsIconic(hwnd);
    if (lstrcmpA(lpszState, "normal") == 0) return !IsZoomed(hwnd) && !IsIconic(hwnd);
    if (lstrcmpA(lpszState, "visible") == 0) return IsWindowVisible(hwnd);
    if (lstrcmpA(lpszState, "hidden") == 0) return !IsWindowVisible(hwnd);
    if (lstrcmpA(lpszState, "enabled") == 0) return IsWindowEnabled(hwnd);
    if (lstrcmpA(lpszState, "disabled") == 0) return !IsWindowEnabled(hwnd);
    if (lstrcmpA(lpszState, "checked") == 0) return check == BST_CHECKED;
    if (lstrcmpA(lpszState, "unchecked") == 0) return check == BST_UNCHECKED;
    *pKnown = FALSE;
    return FALSE;
}

static int ExpectState(const ScriptLine* line, HWND hwnd, LPCSTR lpszWhat, LPCSTR lpszState)
{
    BOOL known;
    DWORD waited;

    /* States change asynchronously (a posted SC_MAXIMIZE, say), so give
       the window a moment before calling it a failure. */
    for (waited = 0;; waited += kRobotPollMs) {
        if (HasState(hwnd, lpszState, &known)) {
            Say("ok %s is %s", lpszWhat, lpszState);
            return kRobotPassed;
        }
        if (!known)
            return ScriptError(line, "unknown state: ", lpszState);
        if (waited >= kRobotStateWaitMs)
            break;
        Sleep(kRobotPollMs);
    }
    Say("FAIL: %s is not %s", lpszWhat, lpszState);
    return FailWithWindow(g_hwndCurrent);
}

static int CmdExpectState(const ScriptLine* line)
{
    if (!NeedWindow())
        return kRobotFailed;
    return ExpectState(line, g_hwndCurrent, "the window", line->words[1]);
}

static int CmdExpectControl(const ScriptLine* line)
{
    char szWhat[32];
    int id;
    HWND hwnd;

    if (!NeedWindow())
        return kRobotFailed;
    if ((hwnd = ControlOf(line, 1, &id)) == NULL)
        return ControlProblem(line, 1);
    wsprintfA(szWhat, "control %d", id);
    return ExpectState(line, hwnd, szWhat, line->words[2]);
}

static int CmdDump(const ScriptLine* line)
{
    (void)line;
    if (!NeedWindow())
        return kRobotFailed;
    DumpControls(g_hwndCurrent);
    return kRobotPassed;
}

static int CmdList(const ScriptLine* line)
{
    (void)line;
    ListTopWindows();
    return kRobotPassed;
}

static int CmdSetText(const ScriptLine* line)
{
    int id;
    HWND hwnd;

    if (!NeedWindow())
        return kRobotFailed;
    if ((hwnd = ControlOf(line, 1, &id)) == NULL)
        return ControlProblem(line, 1);
    SendQuiet(hwnd, WM_SETTEXT, 0, (LPARAM)line->words[2]);
    Say("set text of control %d", id);
    return kRobotPassed;
}

// A user can press only a button that is there, visible and enabled.
static int PressButton(int id)
{
    HWND hwnd = FindControl(g_hwndCurrent, id);

    if (hwnd == NULL || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) {
        Say("FAIL: cannot press button %d: %s", id,
            hwnd == NULL ? "there is none" : !IsWindowVisible(hwnd) ? "it is hidden" : "it is disabled");
        return FailWithWindow(g_hwndCurrent);
    }
    PostCommand(g_hwndCurrent, id, BN_CLICKED, hwnd);
    Say("pressed %d", id);
    Sleep(kRobotSettleMs);
    return kRobotPassed;
}

static int CmdPress(const ScriptLine* line)
{
    int id;

    if (!ParseNumber(line->words[1], &id))
        return ScriptError(line, "not a control id: ", line->words[1]);
    if (!NeedWindow())
        return kRobotFailed;
    return PressButton(id);
}

static int CmdAnswer(const ScriptLine* line)
{
    int i;

    for (i = 0; i < (int)(sizeof(g_answers) / sizeof(g_answers[0])); i++)
        if (lstrcmpA(line->words[1], g_answers[i].lpszName) == 0)
            return NeedWindow() ? PressButton(g_answers[i].id) : kRobotFailed;
    return ScriptError(line, "unknown answer (ok cancel abort retry ignore yes no): ", line->words[1]);
}

// Escape and Enter as the dialog manager turns them into commands.
static int CmdEscape(const ScriptLine* line)
{
    (void)line;
    if (!NeedWindow())
        return kRobotFailed;
    PostCommand(g_hwndCurrent, IDCANCEL, BN_CLICKED, FindControl(g_hwndCurrent, IDCANCEL));
    Say("escape");
    Sleep(kRobotSettleMs);
    return kRobotPassed;
}

static int CmdEnter(const ScriptLine* line)
{
    LRESULT defId;
    int id = IDOK;

    (void)line;
    if (!NeedWindow())
        return kRobotFailed;
    defId = SendQuiet(g_hwndCurrent, DM_GETDEFID, 0, 0);
    if (HIWORD(defId) == DC_HASDEFID)
        id = LOWORD(defId);
    PostCommand(g_hwndCurrent, id, BN_CLICKED, FindControl(g_hwndCurrent, id));
    Say("enter: command %d", id);
    Sleep(kRobotSettleMs);
    return kRobotPassed;
}

static int CmdClose(const ScriptLine* line)
{
    (void)line;
    if (!NeedWindow())
        return kRobotFailed;
    PostMessageA(g_hwndCurrent, WM_SYSCOMMAND, SC_CLOSE, 0);
    Say("close");
    Sleep(kRobotSettleMs);
    return kRobotPassed;
}

// Selects item n as a click would: the selection, then the notification.
static int SelectItem(const ScriptLine* line, UINT msgCount, UINT msgSelect, int notifyCode)
{
    int id, index, count;
    HWND hwnd;

    if (!NeedWindow())
        return kRobotFailed;
    if ((hwnd = ControlOf(line, 1, &id)) == NULL)
        return ControlProblem(line, 1);
    if (!ParseNumber(line->words[2], &index))
        return ScriptError(line, "not an item index: ", line->words[2]);
    count = (int)SendQuiet(hwnd, msgCount, 0, 0);
    if (index >= count) {
        Say("FAIL: control %d has %d items; there is no item %d", id, count, index);
        return FailWithWindow(g_hwndCurrent);
    }
    SendQuiet(hwnd, msgSelect, (WPARAM)index, 0);
    PostCommand(g_hwndCurrent, id, notifyCode, hwnd);
    if (line->wordCount == 4) {
        if (lstrcmpA(line->words[3], "double") != 0)
            return ScriptError(line, "expected \"double\", not: ", line->words[3]);
        PostCommand(g_hwndCurrent, id, LBN_DBLCLK, hwnd);
    }
    Say("selected item %d of control %d", index, id);
    Sleep(kRobotSettleMs);
    return kRobotPassed;
}

static int CmdSelectList(const ScriptLine* line)
{
    return SelectItem(line, LB_GETCOUNT, LB_SETCURSEL, LBN_SELCHANGE);
}

static int CmdSelectCombo(const ScriptLine* line)
{
    if (line->wordCount == 4)
        return ScriptError(line, "select-combo takes no \"double\"", "");
    return SelectItem(line, CB_GETCOUNT, CB_SETCURSEL, CBN_SELCHANGE);
}

static int CmdCheck(const ScriptLine* line)
{
    int id;
    HWND hwnd;
    BOOL on = lstrcmpA(line->words[2], "on") == 0;

    if (!on && lstrcmpA(line->words[2], "off") != 0)
        return ScriptError(line, "check takes on or off, not: ", line->words[2]);
    if (!NeedWindow())
        return kRobotFailed;
    if ((hwnd = ControlOf(line, 1, &id)) == NULL)
        return ControlProblem(line, 1);
    SendQuiet(hwnd, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    PostCommand(g_hwndCurrent, id, BN_CLICKED, hwnd);
    Say("checkbox %d %s", id, on ? "on" : "off");
    Sleep(kRobotSettleMs);
    return kRobotPassed;
}

static int CmdSleep(const ScriptLine* line)
{
    int ms;

    if (!ParseNumber(line->words[1], &ms))
        return ScriptError(line, "not a number of milliseconds: ", line->words[1]);
    Sleep((DWORD)ms);
    return kRobotPassed;
}

// Wine hands the text of another process's list item over as UTF-16 only,
// so it is read wide and converted.
static void ReadItemText(HWND hwnd, BOOL isList, int index, LPSTR lpszText, int cchText)
{
    WCHAR szWide[kRobotTextSize / 2];
    DWORD_PTR length = 0;

    szWide[0] = 0;
    SendMessageTimeoutW(hwnd, isList ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, (WPARAM)index, 0,
                        SMTO_ABORTIFHUNG, kRobotSendTimeoutMs, &length);
    if (length < sizeof(szWide) / sizeof(szWide[0]))
        SendMessageTimeoutW(hwnd, isList ? LB_GETTEXT : CB_GETLBTEXT, (WPARAM)index, (LPARAM)szWide,
                            SMTO_ABORTIFHUNG, kRobotSendTimeoutMs, &length);
    // An owner-drawn list without strings hands over its item data instead,
    // with no terminator.
    szWide[length < sizeof(szWide) / sizeof(szWide[0]) ? length : 0] = 0;
    if (!WideCharToMultiByte(CP_ACP, 0, szWide, -1, lpszText, cchText, NULL, NULL))
        lpszText[0] = '\0';
}

// The items of a list box or combo box, in order, with their item data.
static int CmdItems(const ScriptLine* line)
{
    char szClass[64], szText[kRobotTextSize / 2], szShown[kRobotTextSize / 2];
    int id, i, count;
    BOOL isList;
    HWND hwnd;

    if (!NeedWindow())
        return kRobotFailed;
    if ((hwnd = ControlOf(line, 1, &id)) == NULL)
        return ControlProblem(line, 1);
    GetClassNameA(hwnd, szClass, sizeof(szClass));
    isList = lstrcmpiA(szClass, "ListBox") == 0;
    count = (int)SendQuiet(hwnd, isList ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    Say("items of control %d: %d", id, count);
    for (i = 0; i < count; i++) {
        ReadItemText(hwnd, isList, i, szText, sizeof(szText));
        ShowableText(szText, szShown, sizeof(szShown));
        Say("  item %d \"%s\" data=%ld", i, szShown,
            (long)SendQuiet(hwnd, isList ? LB_GETITEMDATA : CB_GETITEMDATA, (WPARAM)i, 0));
    }
    return kRobotPassed;
}

struct NamedKey {
    LPCSTR lpszName;
    UINT vk;
};

static const NamedKey g_keys[] = {
    {"tab", VK_TAB}, {"escape", VK_ESCAPE}, {"enter", VK_RETURN}, {"up", VK_UP}, {"down", VK_DOWN},
};

// A key pressed while the control has the focus: the key messages go
// through the dialog's message loop like typed ones.
static int CmdKey(const ScriptLine* line)
{
    int id, i;
    HWND hwnd;

    for (i = 0; i < (int)(sizeof(g_keys) / sizeof(g_keys[0])); i++)
        if (lstrcmpA(line->words[2], g_keys[i].lpszName) == 0)
            break;
    if (i == (int)(sizeof(g_keys) / sizeof(g_keys[0])))
        return ScriptError(line, "unknown key (tab escape enter up down): ", line->words[2]);
    if (!NeedWindow())
        return kRobotFailed;
    if ((hwnd = ControlOf(line, 1, &id)) == NULL)
        return ControlProblem(line, 1);
    PostMessageA(hwnd, WM_KEYDOWN, g_keys[i].vk, 1);
    PostMessageA(hwnd, WM_KEYUP, g_keys[i].vk, (LPARAM)0xC0000001);
    Say("key %s to control %d", line->words[2], id);
    Sleep(kRobotSettleMs);
    return kRobotPassed;
}

static int CmdExpectFocus(const ScriptLine* line)
{
    GUITHREADINFO info;
    int id;
    HWND hwnd;

    if (!NeedWindow())
        return kRobotFailed;
    if ((hwnd = ControlOf(line, 1, &id)) == NULL)
        return ControlProblem(line, 1);
    info.cbSize = sizeof(info);
    if (GetGUIThreadInfo(GetWindowThreadProcessId(g_hwndCurrent, NULL), &info) && info.hwndFocus == hwnd) {
        Say("ok control %d has the focus", id);
        return kRobotPassed;
    }
    Say("FAIL: control %d does not have the focus; control %d has it", id,
        info.hwndFocus != NULL ? GetDlgCtrlID(info.hwndFocus) : 0);
    return FailWithWindow(g_hwndCurrent);
}

static const Command g_commands[] = {
    {"wait", 2, 4, CmdWait, "wait class=C caption=T timeout=S"},
    {"wait-gone", 1, 4, CmdWaitGone, "wait-gone [class=C] [caption=T] [timeout=S]"},
    {"expect-caption", 2, 2, CmdExpectCaption, "expect-caption TEXT"},
    {"expect-text", 3, 3, CmdExpectText, "expect-text ID TEXT"},
    {"expect-text-contains", 3, 3, CmdExpectTextContains, "expect-text-contains ID TEXT"},
    {"expect-state", 2, 2, CmdExpectState, "expect-state STATE"},
    {"expect-control", 3, 3, CmdExpectControl, "expect-control ID STATE"},
    {"dump", 1, 1, CmdDump, "dump"},
    {"list", 1, 1, CmdList, "list"},
    {"set-text", 3, 3, CmdSetText, "set-text ID TEXT"},
    {"press", 2, 2, CmdPress, "press ID"},
    {"answer", 2, 2, CmdAnswer, "answer ok|cancel|abort|retry|ignore|yes|no"},
    {"escape", 1, 1, CmdEscape, "escape"},
    {"enter", 1, 1, CmdEnter, "enter"},
    {"close", 1, 1, CmdClose, "close"},
    {"select-list", 3, 4, CmdSelectList, "select-list ID INDEX [double]"},
    {"select-combo", 3, 3, CmdSelectCombo, "select-combo ID INDEX"},
    {"check", 3, 3, CmdCheck, "check ID on|off"},
    {"sleep", 2, 2, CmdSleep, "sleep MILLISECONDS"},
    {"items", 2, 2, CmdItems, "items ID"},
    {"key", 3, 3, CmdKey, "key ID tab|escape|enter|up|down"},
    {"expect-focus", 2, 2, CmdExpectFocus, "expect-focus ID"},
};

int RunCommand(const ScriptLine* line)
{
    int i;

    for (i = 0; i < (int)(sizeof(g_commands) / sizeof(g_commands[0])); i++) {
        const Command* command = &g_commands[i];
        if (lstrcmpA(line->words[0], command->lpszName) != 0)
            continue;
        if (line->wordCount < command->minWords || line->wordCount > command->maxWords)
            return ScriptError(line, "usage: ", command->lpszUsage);
        return command->handler(line);
    }
    return ScriptError(line, "unknown command: ", line->words[0]);
}
