// Dialog 113: shows an existing file and the record's file side by side
// and takes one of four answers.  Escape and the close box do nothing.
#include "engine/worker/overwrite_prompt.h"

#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/resources/resource_ids.h"
#include "engine/worker/worker_control.h"

DWORD overwriteAll;
DWORD skipAll;

namespace {

// Texts of the headline, the two row labels and the four buttons.
const WORD kPromptTextControls[] = {
    IDC_OVERWRITE_HEADLINE, IDC_OVERWRITE_OLD_LABEL, IDC_OVERWRITE_NEW_LABEL,
    IDC_OVERWRITE_REPLACE, IDC_OVERWRITE_REPLACE_ALL, IDC_OVERWRITE_SKIP, IDC_OVERWRITE_SKIP_ALL};

// The stored UTC values, never converted to local time.
void ShowFileRow(HWND dialog, int firstControl, DWORD size, const FILETIME* time) {
  char text[32];
  SYSTEMTIME t;
  FileTimeToSystemTime(time, &t);
  wsprintfA(text, "%lu", size);
  SetDlgItemTextA(dialog, firstControl, text);
  wsprintfA(text, "%02i.%02i.%04i", t.wDay, t.wMonth, t.wYear);
  SetDlgItemTextA(dialog, firstControl + 1, text);
  wsprintfA(text, "%02i:%02i:%02i", t.wHour, t.wMinute, t.wSecond);
  SetDlgItemTextA(dialog, firstControl + 2, text);
}

void FillPrompt(HWND dialog, const OverwritePrompt* prompt) {
  char text[kPathTextSize];
  SetWindowTextA(dialog, captionText);
  for (unsigned i = 0; i < sizeof kPromptTextControls / sizeof kPromptTextControls[0]; i++)
    SetDlgItemTextA(dialog, kPromptTextControls[i],
                    g_GetString(kMsgFileExists + i, text, sizeof text));
  SetDlgItemTextA(dialog, IDC_OVERWRITE_FILE, prompt->path);
  ShowFileRow(dialog, IDC_OVERWRITE_OLD_SIZE, prompt->existingSize, &prompt->existingTime);
  ShowFileRow(dialog, IDC_OVERWRITE_NEW_SIZE, prompt->newSize, &prompt->newTime);
}

INT_PTR CALLBACK OverwritePromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    FillPrompt(dialog, (const OverwritePrompt*)lParam);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_OVERWRITE_REPLACE_ALL:
      overwriteAll = 1;
      // fall through
    case IDC_OVERWRITE_REPLACE:
      EndDialog(dialog, 1);
      return TRUE;
    case IDC_OVERWRITE_SKIP_ALL:
      skipAll = 1;
      // fall through
    case IDC_OVERWRITE_SKIP:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return TRUE;
}

}  // namespace

int AskOverwrite(OverwritePrompt* prompt) {
  BeginWorkerPrompt();
  INT_PTR answer = DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_OVERWRITE),
                                   (HWND)g_state.progressDialog, OverwritePromptProc,
                                   (LPARAM)prompt);
  EndWorkerPrompt();
  return answer == 1;
}
