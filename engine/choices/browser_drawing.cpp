// The items of the browser's two owner-drawn lists: a picture over its
// mask, then the text; directories indented by their level.
#include "engine/choices/choices.h"

#include "engine/package/message_fetcher.h"
#include "engine/package/text.h"
#include "engine/resources/resource_ids.h"

enum {
    kPictureSize = 16,
    kPictureLeft = 2,       // picture's distance from the item's left edge
    kTextLeft = 22,         // text's distance from the item's (indented) left edge
    kIndentPerLevel = 8,
};

static const int kNoPicture = -1;

// Picture of each drive type (GetDriveTypeA); types 0 and 1 have none.
static const signed char kDrivePictures[] = {
    kNoPicture, kNoPicture,
    IDB_REMOVABLE - IDB_FIRST, IDB_FIXED - IDB_FIRST, IDB_REMOTE - IDB_FIRST,
    IDB_CDROM - IDB_FIRST, IDB_RAMDISK - IDB_FIRST};

// Picture of each directory list item data: kItemPathPart, kItemCurrent,
// kItemSubdirectory.
static const signed char kFolderPictures[] = {
    kNoPicture, IDB_FOLDER_PATH - IDB_FIRST, IDB_FOLDER_CURRENT - IDB_FIRST,
    IDB_FOLDER_CLOSED - IDB_FIRST};

static int PictureOf(BOOL bDirectory, ULONG_PTR uData)
{
    if (bDirectory)
        return uData < sizeof kFolderPictures ? kFolderPictures[uData] : kNoPicture;
    return uData < sizeof kDrivePictures ? kDrivePictures[uData] : kNoPicture;
}

static int MaskOf(int nPicture)
{
    if (nPicture == IDB_FOLDER_CLOSED - IDB_FIRST)
        return IDB_MASK_FOLDER_CLOSED - IDB_FIRST;
    if (nPicture > IDB_FOLDER_CLOSED - IDB_FIRST)
        return IDB_MASK_FOLDER_OPEN - IDB_FIRST;
    return IDB_MASK_DRIVE - IDB_FIRST;
}

// The mask clears the picture's place (AND), the picture is laid into it (OR).
static void DrawPicture(HDC hdc, int x, int y, int nPicture)
{
    HDC hdcPicture = CreateCompatibleDC(hdc);
    HGDIOBJ hOld = SelectObject(hdcPicture, browserBitmaps[MaskOf(nPicture)]);

    BitBlt(hdc, x, y, kPictureSize, kPictureSize, hdcPicture, 0, 0, SRCAND);
    SelectObject(hdcPicture, browserBitmaps[nPicture]);
    BitBlt(hdc, x, y, kPictureSize, kPictureSize, hdcPicture, 0, 0, SRCPAINT);
    SelectObject(hdcPicture, hOld);
    DeleteDC(hdcPicture);
}

static void GetItemText(const DRAWITEMSTRUCT* lpItem, BOOL bDirectory, LPSTR lpszText)
{
    UINT uGetLength = bDirectory ? LB_GETTEXTLEN : CB_GETLBTEXTLEN;
    UINT uGetText = bDirectory ? LB_GETTEXT : CB_GETLBTEXT;

    lpszText[0] = 0;
    if (SendMessageA(lpItem->hwndItem, uGetLength, lpItem->itemID, 0) < kItemTextSize)
        SendMessageA(lpItem->hwndItem, uGetText, lpItem->itemID, (LPARAM)lpszText);
}

// The level in the first three characters; a text too short has level 0.
static int ItemLevel(LPCSTR lpszText)
{
    int i, nLevel = 0;

    for (i = 0; i < kLevelDigits && lpszText[i] >= '0' && lpszText[i] <= '9'; i++)
        nLevel = nLevel * 10 + lpszText[i] - '0';
    return i == kLevelDigits ? nLevel : 0;
}

// The highlight colours go with the focus action, as the lists ask for it.
void DrawBrowserItem(const DRAWITEMSTRUCT* lpItem)
{
    char szText[kItemTextSize];
    BOOL bDirectory = lpItem->CtlID == IDC_BROWSER_LIST;
    BOOL bFocus = lpItem->itemAction == ODA_FOCUS;
    HDC hdc = lpItem->hDC;
    RECT rc = lpItem->rcItem;
    LPCSTR lpszLabel = szText;
    int nPicture, y;

    if ((!bDirectory && lpItem->CtlID != IDC_BROWSER_DRIVES) || lpItem->itemID == (UINT)-1)
        return;
    FillRect(hdc, &rc, GetSysColorBrush(bFocus ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkColor(hdc, GetSysColor(bFocus ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(hdc, GetSysColor(bFocus ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    GetItemText(lpItem, bDirectory, szText);
    if (bDirectory) {
        rc.left += kIndentPerLevel * ItemLevel(szText);
        lpszLabel += TextLength(szText) >= kLevelDigits ? kLevelDigits : TextLength(szText);
    }
    nPicture = PictureOf(bDirectory, lpItem->itemData);
    if (nPicture != kNoPicture && rc.top >= 0) {
        y = rc.top + (rc.bottom - rc.top - kPictureSize) / 2;
        DrawPicture(hdc, rc.left + kPictureLeft, y < 1 ? 0 : y, nPicture);
    }
    rc.left += kTextLeft;
    DrawTextA(hdc, lpszLabel, -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}
