// The three check boxes of the options dialog: which are offered, where
// they stand, and the state they start with.
#include "engine/choices/choices.h"

#include "engine/package/engine_globals.h"
#include "engine/package/string_sections.h"
#include "engine/resources/resource_ids.h"

enum { kOptionBoxCount = 3 };

// In slot order: create the group, view the readme, run the application.
static const int kBoxIds[kOptionBoxCount] = {
    IDC_OPTIONS_GROUP, IDC_OPTIONS_README, IDC_OPTIONS_RUN};

static BOOL IsOffered(int nBox)
{
    const PackageHeader* lpHeader = &g_state.header;

    if (nBox == 0)
        return lpHeader->offerGroup != 0;
    if (nBox == 1)
        return lpHeader->offerReadme != 0;
    return lpHeader->offerRun != 0;
}

// The offered boxes move up, in order, into the first slots; the dialog
// then ends two frame heights below the top of the first free slot.
void LayOutOptionBoxes(HWND hDlg)
{
    RECT rcSlot[kOptionBoxCount], rcWindow, rcClient;
    int cyFrame = GetSystemMetrics(SM_CYFIXEDFRAME);
    int xOrigin, yOrigin, nBox, nSlot = 0;

    GetWindowRect(hDlg, &rcWindow);
    GetClientRect(hDlg, &rcClient);
    xOrigin = rcWindow.left + GetSystemMetrics(SM_CXFIXEDFRAME);
    yOrigin = rcWindow.top + (rcWindow.bottom - rcWindow.top) - rcClient.bottom - cyFrame;
    for (nBox = 0; nBox < kOptionBoxCount; nBox++)
        GetWindowRect(GetDlgItem(hDlg, kBoxIds[nBox]), &rcSlot[nBox]);
    for (nBox = 0; nBox < kOptionBoxCount; nBox++) {
        HWND hBox = GetDlgItem(hDlg, kBoxIds[nBox]);
        BOOL bOffered = IsOffered(nBox);

        if (bOffered && nSlot != nBox)
            SetWindowPos(hBox, NULL, rcSlot[nSlot].left - xOrigin, rcSlot[nSlot].top - yOrigin,
                         0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (bOffered)
            nSlot++;
        ShowWindow(hBox, bOffered ? SW_SHOW : SW_HIDE);
    }
    if (nSlot < kOptionBoxCount)
        SetWindowPos(hDlg, NULL, 0, 0, rcWindow.right - rcWindow.left,
                     rcSlot[nSlot].top - rcWindow.top + 2 * cyFrame,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

static BOOL HasMainString(int nIndex)
{
    return MainString(nIndex)[0] != 0;
}

// A hidden box keeps its start value: an option that is not offered stays
// on exactly when the package supplies what it needs.
void SetOptionStartValues(HWND hDlg)
{
    g_state.wantGroup = g_state.header.shortcutCount;
    g_state.wantReadme = HasMainString(kMainReadmeFile);
    g_state.wantRun = HasMainString(kMainRunApp);
    CheckDlgButton(hDlg, IDC_OPTIONS_GROUP, g_state.wantGroup ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hDlg, IDC_OPTIONS_README, g_state.wantReadme ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hDlg, IDC_OPTIONS_RUN, g_state.wantRun ? BST_CHECKED : BST_UNCHECKED);
}
