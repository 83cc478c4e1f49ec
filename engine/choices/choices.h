// Setup choices: the options dialog (template 102) and the directory
// browser (template 100) behind the exported GetDirName.
#pragma once
#include <windows.h>

#include "engine/choices/browse_record.h"
#include "engine/package/engine_api.h"
#include "engine/shell/dialog_text.h"
#include "engine/shell/sequence_steps.h"

// options_dialog.cpp: ShowOptionsDialog (declared with the shell's
// sequence steps) runs it.

// option_boxes.cpp: the three check boxes of the options dialog.
void LayOutOptionBoxes(HWND hDlg);
void SetOptionStartValues(HWND hDlg);

// destination_check.cpp: OK's validation; FALSE keeps the dialog open.
BOOL AcceptDestination(HWND hDlg);

enum {
    kFormattedTextSize = 1024,  // the most that wsprintfA writes
    kDriveRootSize = 4,         // "c:\" and its NUL
};

// A directory list item: its level as three digits, then its name; the
// item data tells which line it is.
enum DirectoryItem {
    kItemPathPart = 1,      // a component above the current directory
    kItemCurrent = 2,       // the current directory itself
    kItemSubdirectory = 3,
};

enum {
    kLevelDigits = 3,
    kItemTextSize = kLevelDigits + MAX_PATH + 1,
};

// choice_message.cpp: shows message nMessage, formatted with the arguments
// that follow, in a box with the caption of message nCaption.
void ShowChoiceMessage(HWND hOwner, int nCaption, UINT uType, int nMessage, ...);

// browser_dialog.cpp: the record of the browser that is open; the export
// GetDirName is declared with the shell's sequence steps.
extern BrowseRecord* g_lpBrowse;

// directory_list.cpp: the list of path components and subdirectories.
void SubclassDirectoryList(HWND hDlg);
void RestoreDirectoryList(HWND hDlg);
void RefreshDirectoryList(HWND hDlg);
void OpenSelectedDirectory(HWND hDlg);

// drive_list.cpp: the drive combo box.
void FillDriveList(HWND hDlg);
void EnterStartDirectory(HWND hDlg);
void ChangeDrive(HWND hDlg);

// browser_drawing.cpp: the items of both lists, with their pictures.
void DrawBrowserItem(const DRAWITEMSTRUCT* lpItem);
