// Finding top-level windows by class and caption, and listing them when a
// wait fails.
#include "robot.h"

struct FindState {
    const WindowQuery* query;
    HWND hwndFound;
};

BOOL ReadWindowText(HWND hwnd, LPSTR lpszText, int cchText)
{
    DWORD_PTR length = 0;

    lpszText[0] = '\0';
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, (WPARAM)cchText, (LPARAM)lpszText, SMTO_ABORTIFHUNG,
                             kRobotSendTimeoutMs, &length))
        return FALSE;
    lpszText[length < (DWORD_PTR)cchText ? length : (DWORD_PTR)cchText - 1] = '\0';
    return TRUE;
}

static BOOL SameText(LPCSTR lpszA, LPCSTR lpszB)
{
    return lstrcmpA(lpszA, lpszB) == 0;
}

// Only visible windows count: a dialog is not ready before it shows.
BOOL WindowMatches(HWND hwnd, const WindowQuery* query)
{
    char szText[kRobotTextSize];

    if (!IsWindowVisible(hwnd))
        return FALSE;
    if (query->lpszClass != NULL) {
        GetClassNameA(hwnd, szText, sizeof(szText));
        if (!SameText(szText, query->lpszClass))
            return FALSE;
    }
    if (query->lpszCaption != NULL) {
        if (!ReadWindowText(hwnd, szText, sizeof(szText)) || !SameText(szText, query->lpszCaption))
            return FALSE;
    }
    return TRUE;
}

static BOOL CALLBACK FindProc(HWND hwnd, LPARAM lParam)
{
    FindState* state = (FindState*)lParam;

    if (!WindowMatches(hwnd, state->query))
        return TRUE;
    state->hwndFound = hwnd;
    return FALSE;
}

HWND FindTopWindow(const WindowQuery* query)
{
    FindState state = {query, NULL};

    EnumWindows(FindProc, (LPARAM)&state);
    return state.hwndFound;
}

static BOOL CALLBACK ListProc(HWND hwnd, LPARAM lParam)
{
    int* pHidden = (int*)lParam;

    if (IsWindowVisible(hwnd))
        SayWindow("  ", hwnd);
    else
        (*pHidden)++;
    return TRUE;
}

void ListTopWindows(void)
{
    int hidden = 0;

    Say("top-level windows now:");
    EnumWindows(ListProc, (LPARAM)&hidden);
    Say("  (and %d hidden ones)", hidden);
}
