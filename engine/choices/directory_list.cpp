// The browser's directory list: one line per component of the current
// directory, then its subdirectories.  Each text starts with the level as
// three digits; since the list sorts its texts, the path comes first, in
// order, and the subdirectories follow by name.
#include "engine/choices/choices.h"

#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/package/path_text.h"
#include "engine/package/text.h"
#include "engine/resources/resource_ids.h"

enum { kJoinedPathSize = 2 * MAX_PATH + 2 };  // a directory, a backslash and a name

static WNDPROC g_lpfnListProc;

static HWND DirectoryList(HWND hDlg)
{
    return GetDlgItem(hDlg, IDC_BROWSER_LIST);
}

static void AddItem(HWND hList, int nLevel, LPCSTR lpszName, int nData)
{
    char szItem[kItemTextSize];
    LRESULT lIndex;

    wsprintfA(szItem, "%03i%s", nLevel, lpszName);
    lIndex = SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)szItem);
    SendMessageA(hList, LB_SETITEMDATA, (WPARAM)lIndex, nData);
}

// One item per component of lpszPath; the drive keeps its backslash, as in
// C:\.  Returns the number of components.
static int AddPathItems(HWND hList, LPCSTR lpszPath)
{
    char szName[kPathTextSize];
    int nCount = 0;

    while (*lpszPath) {
        int nLength = 0;

        while (lpszPath[nLength] && lpszPath[nLength] != '\\' && nLength < kPathTextSize - 2) {
            szName[nLength] = lpszPath[nLength];
            nLength++;
        }
        szName[nLength] = 0;
        lpszPath += nLength;
        if (*lpszPath == '\\')
            lpszPath++;
        if (nCount == 0)
            AppendText(szName, "\\", sizeof szName);
        AddItem(hList, nCount, szName, *lpszPath ? kItemPathPart : kItemCurrent);
        nCount++;
    }
    return nCount;
}

// Names that begin with a dot ("." and ".." among them) are not listed.
static void AddSubdirectoryItems(HWND hList, LPCSTR lpszDir, int nLevel)
{
    char szPattern[kJoinedPathSize];
    WIN32_FIND_DATAA fd;
    HANDLE hFind;

    GetFullNameSized(szPattern, sizeof szPattern, lpszDir, "*.*", 0);
    hFind = FindFirstFileA(szPattern, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && fd.cFileName[0] != '.')
            AddItem(hList, nLevel, fd.cFileName, kItemSubdirectory);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
}

void RefreshDirectoryList(HWND hDlg)
{
    char szShown[kPathTextSize];
    LPSTR lpszCurrent = g_lpBrowse->currentDir;
    HWND hList = DirectoryList(hDlg);
    int nCount;

    lpszCurrent[0] = 0;
    GetCurrentDirectoryA(sizeof g_lpBrowse->currentDir, lpszCurrent);
    SendMessageA(hList, LB_RESETCONTENT, 0, 0);
    nCount = AddPathItems(hList, lpszCurrent);
    AddSubdirectoryItems(hList, lpszCurrent, nCount);
    // The levels sort the path first, so the current directory's own line
    // is the last of the path.
    SendMessageA(hList, LB_SETCURSEL, (WPARAM)(nCount - 1), 0);
    CopyText(szShown, lpszCurrent, sizeof szShown);
    if (g_lpBrowse->fileName[0])
        GetFullName(szShown, lpszCurrent, g_lpBrowse->fileName, 0);
    SetDlgItemTextA(hDlg, IDC_BROWSER_PATH, szShown);
    SetFocus(hList);
}

// The name of item nIndex, without its level digits.
static void GetItemName(HWND hList, int nIndex, LPSTR lpszName)
{
    char szItem[kItemTextSize];

    szItem[0] = 0;
    if (SendMessageA(hList, LB_GETTEXTLEN, (WPARAM)nIndex, 0) < kItemTextSize)
        SendMessageA(hList, LB_GETTEXT, (WPARAM)nIndex, (LPARAM)szItem);
    CopyText(lpszName, szItem[0] ? szItem + kLevelDigits : szItem, kItemTextSize);
}

// A path component: the names of the items from the drive down to it.
static void JoinPathItems(HWND hList, int nLast, LPSTR lpszDir)
{
    char szName[kItemTextSize];
    int nIndex;

    lpszDir[0] = 0;
    for (nIndex = 0; nIndex <= nLast; nIndex++) {
        GetItemName(hList, nIndex, szName);
        if (lpszDir[0] && !EndsWithBackslash(lpszDir))
            AppendText(lpszDir, "\\", kJoinedPathSize);
        AppendText(lpszDir, szName, kJoinedPathSize);
    }
}

void OpenSelectedDirectory(HWND hDlg)
{
    char szDir[kJoinedPathSize], szName[kItemTextSize];
    HWND hList = DirectoryList(hDlg);
    int nIndex = (int)SendMessageA(hList, LB_GETCURSEL, 0, 0);
    LRESULT lData;

    if (nIndex < 0)
        return;
    lData = SendMessageA(hList, LB_GETITEMDATA, (WPARAM)nIndex, 0);
    if (lData == kItemSubdirectory) {
        GetItemName(hList, nIndex, szName);
        GetFullNameSized(szDir, sizeof szDir, g_lpBrowse->currentDir, szName, 0);
    } else if (lData == kItemPathPart) {
        JoinPathItems(hList, nIndex, szDir);
    } else {
        return;
    }
    if (SetCurrentDirectoryA(szDir))
        RefreshDirectoryList(hDlg);
    else
        ShowChoiceMessage(hDlg, kMsgAttention, MB_OK | MB_ICONINFORMATION, kMsgCantOpenDirectory, szDir);
}

// The list takes every key while it has the focus, so Tab and Escape do
// not reach the dialog; Enter opens the selected item.
static LRESULT CALLBACK DirectoryListProc(HWND hList, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_GETDLGCODE)
        return DLGC_WANTALLKEYS;
    if (uMsg == WM_KEYDOWN && wParam == VK_RETURN) {
        OpenSelectedDirectory(GetParent(hList));
        return 0;
    }
    return CallWindowProcA(g_lpfnListProc, hList, uMsg, wParam, lParam);
}

void SubclassDirectoryList(HWND hDlg)
{
    g_lpfnListProc = (WNDPROC)SetWindowLongPtrA(DirectoryList(hDlg), GWLP_WNDPROC,
                                                (LONG_PTR)DirectoryListProc);
}

void RestoreDirectoryList(HWND hDlg)
{
    SetWindowLongPtrA(DirectoryList(hDlg), GWLP_WNDPROC, (LONG_PTR)g_lpfnListProc);
}
