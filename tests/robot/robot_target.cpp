// robot_target.exe [max]: a small dialog for the robot's own tests.  It
// counts the notifications it gets and, when the dialog ends, prints how
// it ended and the state of every control on standard output.
#include <stdarg.h>
#include <windows.h>

#include "robot_target.h"

struct TargetState {
    char szFolder[256];
    int listChanges, listDoubleClicks, comboChanges, rememberClicks;
    int list, combo, remember;
    BOOL closeSeen;
};

static TargetState g_state;
static const char* const g_listItems[] = {"alpha", "beta", "gamma"};
static const char* const g_comboItems[] = {"one", "two", "three"};

static void Print(LPCSTR lpszFormat, ...)
{
    char szLine[1100];
    DWORD cbWritten;
    va_list args;
    int length;

    va_start(args, lpszFormat);
    length = wvsprintfA(szLine, lpszFormat, args);
    va_end(args);
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), szLine, (DWORD)length, &cbWritten, NULL);
}

static void FillControls(HWND hDlg)
{
    int i;

    SetDlgItemTextA(hDlg, IDC_FOLDER, "C:\\Apps");
    for (i = 0; i < 3; i++) {
        SendDlgItemMessageA(hDlg, IDC_LIST, LB_ADDSTRING, 0, (LPARAM)g_listItems[i]);
        SendDlgItemMessageA(hDlg, IDC_COMBO, CB_ADDSTRING, 0, (LPARAM)g_comboItems[i]);
    }
    SendDlgItemMessageA(hDlg, IDC_COMBO, CB_SETCURSEL, 0, 0);
}

static void Finish(HWND hDlg, int result)
{
    GetDlgItemTextA(hDlg, IDC_FOLDER, g_state.szFolder, sizeof(g_state.szFolder));
    g_state.list = (int)SendDlgItemMessageA(hDlg, IDC_LIST, LB_GETCURSEL, 0, 0);
    g_state.combo = (int)SendDlgItemMessageA(hDlg, IDC_COMBO, CB_GETCURSEL, 0, 0);
    g_state.remember = IsDlgButtonChecked(hDlg, IDC_REMEMBER);
    EndDialog(hDlg, result);
}

static void Ask(HWND hDlg)
{
    int answer = MessageBoxA(hDlg, "Really?", "Question", MB_YESNO | MB_ICONQUESTION);

    SetDlgItemTextA(hDlg, IDC_ANSWER, answer == IDYES ? "yes" : "no");
}

static void OnCommand(HWND hDlg, int id, int code)
{
    if (id == IDOK || id == IDCANCEL)
        Finish(hDlg, id);
    else if (id == IDC_ASK && code == BN_CLICKED)
        Ask(hDlg);
    else if (id == IDC_LIST && code == LBN_SELCHANGE)
        g_state.listChanges++;
    else if (id == IDC_LIST && code == LBN_DBLCLK)
        g_state.listDoubleClicks++;
    else if (id == IDC_COMBO && code == CBN_SELCHANGE)
        g_state.comboChanges++;
    else if (id == IDC_REMEMBER && code == BN_CLICKED)
        g_state.rememberClicks++;
}

static INT_PTR CALLBACK TargetDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        FillControls(hDlg);
        // Posted: maximised right here, the dialog comes up normal in
        // Wine's virtual desktop all the same.
        if (lParam)
            PostMessageA(hDlg, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        return TRUE;
    case WM_CLOSE:
        g_state.closeSeen = TRUE;
        return FALSE;
    case WM_COMMAND:
        OnCommand(hDlg, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

static BOOL WantsMaximized(void)
{
    LPCSTR lpszLine = GetCommandLineA();
    int length = lstrlenA(lpszLine);

    return length >= 4 && lstrcmpiA(lpszLine + length - 4, " max") == 0;
}

extern "C" int mainCRTStartup(void)
{
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_TARGET), NULL,
                                     TargetDlgProc, WantsMaximized());

    Print("end=%s\n", result == IDOK ? "ok" : result == IDCANCEL ? "cancel" : "failed");
    Print("folder=%s\n", g_state.szFolder);
    Print("list=%d changes=%d double=%d\n", g_state.list, g_state.listChanges,
          g_state.listDoubleClicks);
    Print("combo=%d changes=%d\n", g_state.combo, g_state.comboChanges);
    Print("remember=%d clicks=%d\n", g_state.remember, g_state.rememberClicks);
    Print("close=%d\n", g_state.closeSeen);
    ExitProcess(result == IDOK || result == IDCANCEL ? 0 : 1);
    return 0;
}
