// The options dialog: destination, Browse, the three choices, OK and Exit.
#include "engine/choices/choices.h"

#include "engine/choices/free_space.h"
#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/resources/resource_ids.h"

static void InitOptionsDialog(HWND hDlg)
{
    char szText[kFormattedTextSize];

    SetDialogIcon(hDlg);
    SetWindowTextA(hDlg, captionText);
    SetDlgItemTextA(hDlg, IDC_OPTIONS_DIRECTORY, g_state.installDir);
    SetItemMessage(hDlg, IDC_OPTIONS_FRAME, kMsgDestinationDirectory);
    SetItemMessage(hDlg, IDC_OPTIONS_BROWSE, kMsgBrowse);
    SetItemMessage(hDlg, IDC_OPTIONS_GROUP, kMsgCreateFolder);
    SetItemMessage(hDlg, IDC_OPTIONS_README, kMsgViewReadme);
    SetItemMessage(hDlg, IDC_OPTIONS_RUN, kMsgRunApplication);
    LayOutOptionBoxes(hDlg);
    SetItemMessage(hDlg, IDOK, kMsgOk);
    SetItemMessage(hDlg, IDC_OPTIONS_EXIT, kMsgExit);
    wsprintfA(szText, g_GetString(kMsgRequired, NULL, kWorkTextSize),
              RequiredKilobytes(g_state.header.totalSize));
    SetDlgItemTextA(hDlg, IDC_OPTIONS_REQUIRED, szText);
    SetOptionStartValues(hDlg);
}

// The browser gets the options dialog as its owner for the time it is open.
static void BrowseForDestination(HWND hDlg)
{
    BrowseRecord record;
    HWND hPrevious;
    int nChosen;

    ZeroMemory(&record, sizeof record);
    GetDlgItemTextA(hDlg, IDC_OPTIONS_DIRECTORY, record.startDir, sizeof record.startDir);
    hPrevious = g_hWnd;
    g_hWnd = hDlg;
    nChosen = GetDirName(&record);
    g_hWnd = hPrevious;
    if (nChosen)
        SetDlgItemTextA(hDlg, IDC_OPTIONS_DIRECTORY, record.chosenPath);
}

static void AcceptOptions(HWND hDlg)
{
    if (!AcceptDestination(hDlg))
        return;
    g_state.wantGroup = IsDlgButtonChecked(hDlg, IDC_OPTIONS_GROUP) == BST_CHECKED;
    g_state.wantReadme = IsDlgButtonChecked(hDlg, IDC_OPTIONS_README) == BST_CHECKED;
    g_state.wantRun = IsDlgButtonChecked(hDlg, IDC_OPTIONS_RUN) == BST_CHECKED;
    EndDialog(hDlg, 1);
}

static void AskToQuit(HWND hDlg)
{
    if (ConfirmQuit(hDlg))
        EndDialog(hDlg, 0);
}

// Escape (IDCANCEL) has no control here and does nothing; only Exit and
// the close box quit.
static INT_PTR CALLBACK OptionsDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (uMsg) {
    case WM_INITDIALOG:
        InitOptionsDialog(hDlg);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            AcceptOptions(hDlg);
            break;
        case IDC_OPTIONS_EXIT:
            AskToQuit(hDlg);
            break;
        case IDC_OPTIONS_BROWSE:
            BrowseForDestination(hDlg);
            break;
        }
        return FALSE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != SC_CLOSE)
            return FALSE;
        AskToQuit(hDlg);
        return TRUE;
    }
    return FALSE;
}

int ShowOptionsDialog(void)
{
    return DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_OPTIONS), g_hWnd, OptionsDialogProc, 0) == 1;
}
