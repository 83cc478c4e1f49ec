// OK in the options dialog: the destination from the edit text, the free
// space on its drive, and the directory chain.
#include "engine/choices/choices.h"

#include "engine/choices/destination.h"
#include "engine/choices/free_space.h"
#include "engine/package/create_dir.h"
#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/package/text.h"
#include "engine/resources/resource_ids.h"

// A drive whose free space cannot be asked for is not checked.
static BOOL HasSpaceFor(HWND hDlg, LPCSTR lpszDir)
{
    char szRoot[kDriveRootSize];
    DWORD dwSectorsPerCluster, dwBytesPerSector, dwFreeClusters, dwClusters;
    DWORD dwFree, dwNeed;

    CopyText(szRoot, lpszDir, sizeof szRoot);
    if (!GetDiskFreeSpaceA(szRoot, &dwSectorsPerCluster, &dwBytesPerSector,
                           &dwFreeClusters, &dwClusters))
        return TRUE;
    dwNeed = RequiredKilobytes(g_state.header.totalSize);
    dwFree = FreeKilobytes(dwBytesPerSector, dwSectorsPerCluster, dwFreeClusters);
    if (dwNeed <= dwFree)
        return TRUE;
    ShowChoiceMessage(hDlg, kMsgAttention, MB_OK | MB_ICONINFORMATION, kMsgNoSpace, dwFree, dwNeed);
    return FALSE;
}

// installDir, createdDirs and the current directory change even when this
// fails: levels created before a failure stay, like the path that named them.
BOOL AcceptDestination(HWND hDlg)
{
    char szTyped[kPathTextSize], szCurrent[kPathTextSize];
    UINT uFailure;

    GetDlgItemTextA(hDlg, IDC_OPTIONS_DIRECTORY, szTyped, sizeof szTyped);
    szCurrent[0] = 0;
    GetCurrentDirectoryA(sizeof szCurrent, szCurrent);
    MakeDestination(g_state.installDir, szTyped, szCurrent);
    if (!HasSpaceFor(hDlg, g_state.installDir))
        return FALSE;
    uFailure = CreateDir(g_state.installDir, &g_state.createdDirs);
    if (uFailure == 0)
        return TRUE;
    ShowChoiceMessage(hDlg, kMsgError, MB_OK | MB_ICONERROR, (int)uFailure, g_state.installDir);
    return FALSE;
}
