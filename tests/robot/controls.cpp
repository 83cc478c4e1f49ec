// The controls of a dialog: looking them up by id, notifying the dialog as
// a user's action would, and the dump.
#include "robot.h"

LRESULT SendQuiet(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;

    SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, kRobotSendTimeoutMs, &result);
    return (LRESULT)result;
}

HWND FindControl(HWND hwndDialog, int id)
{
    return GetDlgItem(hwndDialog, id);
}

// What a control sends its dialog when the user acts on it.
void PostCommand(HWND hwndDialog, int id, int code, HWND hwndControl)
{
    PostMessageA(hwndDialog, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)hwndControl);
}

static BOOL IsClass(LPCSTR lpszClass, LPCSTR lpszName)
{
    return lstrcmpiA(lpszClass, lpszName) == 0;
}

// The state a control of this class has beyond its text.
static void DescribeState(HWND hwnd, LPCSTR lpszClass, LPSTR lpszState)
{
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    LONG kind = style & BS_TYPEMASK;

    lpszState[0] = '\0';
    if (IsClass(lpszClass, "ListBox"))
        wsprintfA(lpszState, " count=%d selected=%d", (int)SendQuiet(hwnd, LB_GETCOUNT, 0, 0),
                  (int)SendQuiet(hwnd, LB_GETCURSEL, 0, 0));
    else if (IsClass(lpszClass, "ComboBox"))
        wsprintfA(lpszState, " count=%d selected=%d", (int)SendQuiet(hwnd, CB_GETCOUNT, 0, 0),
                  (int)SendQuiet(hwnd, CB_GETCURSEL, 0, 0));
    else if (IsClass(lpszClass, "Button") && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON &&
             kind != BS_GROUPBOX && kind != BS_OWNERDRAW)
        wsprintfA(lpszState, " checked=%d", (int)SendQuiet(hwnd, BM_GETCHECK, 0, 0));
}

static BOOL CALLBACK DumpProc(HWND hwnd, LPARAM lParam)
{
    HWND hwndDialog = (HWND)lParam;
    char szClass[64], szText[kRobotTextSize - 200], szState[64];
    RECT rc;

    GetClassNameA(hwnd, szClass, sizeof(szClass));
    ReadWindowText(hwnd, szText, sizeof(szText));
    DescribeState(hwnd, szClass, szState);
    GetWindowRect(hwnd, &rc);
    MapWindowPoints(NULL, hwndDialog, (POINT*)&rc, 2);
    Say("  id=%d class=%s text=\"%s\" style=0x%08lx%s%s rect=%d,%d,%d,%d%s",
        GetDlgCtrlID(hwnd), szClass, szText, (DWORD)GetWindowLongA(hwnd, GWL_STYLE),
        IsWindowVisible(hwnd) ? " visible" : " hidden",
        IsWindowEnabled(hwnd) ? " enabled" : " disabled", rc.left, rc.top, rc.right, rc.bottom,
        szState);
    return TRUE;
}

// Rectangles are in pixels of the dialog's client area, the window's own
// frame too (its left edge is then minus the frame's width).
void DumpControls(HWND hwndDialog)
{
    RECT rc;

    SayWindow("window ", hwndDialog);
    GetWindowRect(hwndDialog, &rc);
    MapWindowPoints(NULL, hwndDialog, (POINT*)&rc, 2);
    Say("  frame rect=%d,%d,%d,%d", rc.left, rc.top, rc.right, rc.bottom);
    EnumChildWindows(hwndDialog, DumpProc, (LPARAM)hwndDialog);
}
