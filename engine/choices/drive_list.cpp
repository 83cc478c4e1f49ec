// The browser's drive list: one item per drive root, with the volume label
// of a fixed drive or the remote name of a network drive; the item data is
// the drive type.
#include "engine/choices/choices.h"

#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/package/text.h"
#include "engine/resources/resource_ids.h"

enum {
    kDriveStringsSize = 26 * 4 + 2,  // "a:\" and a NUL per letter, a final NUL
    kDriveNameSize = 3,              // "c:" and its NUL
};

static const char kDefaultDrive[] = "c:";

static HWND DriveList(HWND hDlg)
{
    return GetDlgItem(hDlg, IDC_BROWSER_DRIVES);
}

// Drive letters compare without case; the colon must match too.
static BOOL IsSameDrive(LPCSTR lpszA, LPCSTR lpszB)
{
    return lpszA[0] && (lpszA[0] | 0x20) == (lpszB[0] | 0x20) && lpszA[1] == lpszB[1];
}

static void SelectDrive(HWND hDlg, LPCSTR lpszDrive)
{
    char szName[kDriveNameSize];
    HWND hDrives = DriveList(hDlg);

    CopyText(szName, lpszDrive, sizeof szName);
    SendMessageA(hDrives, CB_SETCURSEL,
                 (WPARAM)SendMessageA(hDrives, CB_FINDSTRING, (WPARAM)-1, (LPARAM)szName), 0);
}

// "c: " followed by the volume label or the remote name.
static UINT AddDrive(HWND hDrives, LPCSTR lpszRoot)
{
    char szItem[kPathTextSize], szName[kDriveNameSize];
    DWORD cchRemote = kPathTextSize - kDriveRootSize;
    UINT uType = GetDriveTypeA(lpszRoot);
    LRESULT lIndex;

    CopyText(szItem, lpszRoot, kDriveRootSize);
    szItem[2] = ' ';
    CopyText(szName, lpszRoot, sizeof szName);
    if (uType == DRIVE_FIXED)
        GetVolumeInformationA(lpszRoot, szItem + 3, kPathTextSize - kDriveRootSize,
                              NULL, NULL, NULL, NULL, 0);
    else if (uType == DRIVE_REMOTE)
        WNetGetConnectionA(szName, szItem + 3, &cchRemote);
    lIndex = SendMessageA(hDrives, CB_ADDSTRING, 0, (LPARAM)szItem);
    SendMessageA(hDrives, CB_SETITEMDATA, (WPARAM)lIndex, uType);
    return uType;
}

// Selects the first fixed drive, or the drive that startDir names.
void FillDriveList(HWND hDlg)
{
    char szRoots[kDriveStringsSize], szChosen[kDriveNameSize];
    LPCSTR lpszRoot;
    DWORD cchRoots = GetLogicalDriveStringsA(sizeof szRoots, szRoots);

    if (cchRoots == 0 || cchRoots >= sizeof szRoots)
        szRoots[0] = 0;
    szChosen[0] = 0;
    for (lpszRoot = szRoots; *lpszRoot; lpszRoot += TextLength(lpszRoot) + 1) {
        if (AddDrive(DriveList(hDlg), lpszRoot) == DRIVE_FIXED && szChosen[0] == 0)
            CopyText(szChosen, lpszRoot, sizeof szChosen);
        if (IsSameDrive(g_lpBrowse->startDir, lpszRoot))
            CopyText(szChosen, lpszRoot, sizeof szChosen);
    }
    if (szChosen[0])
        SelectDrive(hDlg, szChosen);
}

static void GetSelectedDrive(HWND hDlg, LPSTR lpszRoot)
{
    char szItem[kPathTextSize];
    HWND hDrives = DriveList(hDlg);
    LRESULT lIndex = SendMessageA(hDrives, CB_GETCURSEL, 0, 0);

    szItem[0] = 0;
    if (lIndex >= 0 && SendMessageA(hDrives, CB_GETLBTEXTLEN, (WPARAM)lIndex, 0) < kPathTextSize)
        SendMessageA(hDrives, CB_GETLBTEXT, (WPARAM)lIndex, (LPARAM)szItem);
    CopyText(lpszRoot, szItem, kDriveNameSize);
}

// startDir, or else the current directory of its drive; an empty startDir
// starts at the selected drive's root.
void EnterStartDirectory(HWND hDlg)
{
    char szDrive[kDriveRootSize];
    LPCSTR lpszStart = g_lpBrowse->startDir;
    BOOL bEntered;

    GetSelectedDrive(hDlg, szDrive);
    if (lpszStart[0] == 0) {
        AppendText(szDrive, "\\", sizeof szDrive);
        bEntered = SetCurrentDirectoryA(szDrive);
    } else {
        bEntered = SetCurrentDirectoryA(lpszStart) || SetCurrentDirectoryA(szDrive);
    }
    if (!bEntered)
        SelectDrive(hDlg, kDefaultDrive);
}

// A drive that cannot be read leaves the list as it is and the selection
// goes back to the drive of the current directory.
void ChangeDrive(HWND hDlg)
{
    char szRoot[kDriveRootSize], szCurrent[kPathTextSize];

    SetCursor(LoadCursorA(NULL, IDC_WAIT));
    GetSelectedDrive(hDlg, szRoot);
    AppendText(szRoot, "\\", sizeof szRoot);
    if (SetCurrentDirectoryA(szRoot)) {
        RefreshDirectoryList(hDlg);
    } else {
        ShowChoiceMessage(hDlg, kMsgAttention, MB_OK | MB_ICONINFORMATION, kMsgCantReadDisk, szRoot);
        szCurrent[0] = 0;
        GetCurrentDirectoryA(sizeof szCurrent, szCurrent);
        SelectDrive(hDlg, szCurrent);
    }
    SetCursor(LoadCursorA(NULL, IDC_ARROW));
}
