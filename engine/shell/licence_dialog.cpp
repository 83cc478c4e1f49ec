// Licence dialog 112: the package's licence text; the user must agree.
#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/resources/resource_ids.h"
#include "engine/shell/dialog_text.h"
#include "engine/shell/text_dialogs.h"

namespace {

void InitLicenceDialog(HWND dialog) {
  SetDialogIcon(dialog);
  SetCaptionMessage(dialog, kMsgLicenceTitle);
  SetItemMessage(dialog, IDC_LICENCE_ACCEPT, kMsgYes);
  SetItemMessage(dialog, IDC_LICENCE_DECLINE, kMsgNo);
  SetItemMessage(dialog, IDC_LICENCE_HEADING, kMsgLicenceRead);
  SetItemMessage(dialog, IDC_LICENCE_QUESTION, kMsgLicenceAgree);
  // The licence block lies at the start of input (LoadPackage).
  ClearOutputText();
  g_context->decode();
  EndOutputText();
  SetDlgItemTextA(dialog, IDC_LICENCE_TEXT, reinterpret_cast<char*>(g_context->output));
}

INT_PTR CALLBACK LicenceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    InitLicenceDialog(dialog);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_LICENCE_ACCEPT:
      EndDialog(dialog, 1);
      break;
    case IDC_LICENCE_DECLINE:
    case IDCANCEL:
      if (ConfirmQuit(dialog)) EndDialog(dialog, 0);
      break;
  }
  return TRUE;
}

}  // namespace

INT_PTR ShowLicenceDialog(void) {
  return DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_LICENCE), g_hWnd, LicenceDialogProc, 0);
}
