// The directory browser, dialog 100: the user walks the directory tree by
// changing the process's current directory; the list always shows it.
#include "engine/choices/choices.h"

#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/resources/resource_ids.h"

// The record of the browser that is open; there is one at a time.
BrowseRecord* g_lpBrowse;

static void InitBrowser(HWND hDlg, BrowseRecord* lpRecord)
{
    char szCaption[kPathTextSize];

    g_lpBrowse = lpRecord;
    SetItemMessage(hDlg, IDCANCEL, kMsgCancel);
    SetItemMessage(hDlg, IDOK, kMsgOk);
    SetWindowTextA(hDlg, g_GetString(kMsgSelectDirectory, szCaption, sizeof szCaption));
    SubclassDirectoryList(hDlg);
    FillDriveList(hDlg);
    EnterStartDirectory(hDlg);
    RefreshDirectoryList(hDlg);
}

static void OnBrowserCommand(HWND hDlg, int nId, int nNotify)
{
    switch (nId) {
    case IDOK:
        GetDlgItemTextA(hDlg, IDC_BROWSER_PATH, g_lpBrowse->chosenPath, sizeof g_lpBrowse->chosenPath);
        EndDialog(hDlg, 1);
        break;
    case IDCANCEL:
        EndDialog(hDlg, 0);
        break;
    case IDC_BROWSER_LIST:
        if (nNotify == LBN_DBLCLK)
            OpenSelectedDirectory(hDlg);
        break;
    case IDC_BROWSER_DRIVES:
        if (nNotify == CBN_SELCHANGE)
            ChangeDrive(hDlg);
        break;
    }
}

static INT_PTR CALLBACK BrowserDialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        InitBrowser(hDlg, (BrowseRecord*)lParam);
        return FALSE;  // the list already has the focus
    case WM_COMMAND:
        OnBrowserCommand(hDlg, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawBrowserItem((const DRAWITEMSTRUCT*)lParam);
        return TRUE;
    case WM_DESTROY:
        RestoreDirectoryList(hDlg);
        return FALSE;
    }
    return FALSE;
}

// The current directory is left where browsing ended, OK or not.
extern "C" int ENGINE_API GetDirName(void* lpRecord)
{
    return DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_BROWSER), g_hWnd,
                           BrowserDialogProc, (LPARAM)lpRecord) == 1;
}
