// Readme dialog 117: the package's readme before the installation, or the
// installed readme file (main string 4) after it.
#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/package/path_text.h"
#include "engine/resources/resource_ids.h"
#include "engine/shell/dialog_text.h"
#include "engine/shell/text_dialogs.h"

namespace {

enum { kFormattedTextSize = 1024 };  // the most wsprintfA ever writes

// The readme block waits at input + kTextBlockBodyLimit; the decoder reads
// only from the start of input.
void DecodePackageReadme(void) {
  uint8_t* input = g_context->input;
  for (int i = 0; i < kTextBlockBodyLimit; ++i) input[i] = input[kTextBlockBodyLimit + i];
  g_context->decode();
}

// Reads the readme file into output (at most the text limit less its NUL).
// Returns 0, or the id of the message that describes the failure.
int ReadReadmeFile(void) {
  ExpandPath(MainString(kMainReadmeFile), szString, kWorkTextSize);
  NoQuote(szString);
  HANDLE file = CreateFileA(szString, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
  if (file == INVALID_HANDLE_VALUE) return kMsgCantOpenFile;
  DWORD size = GetFileSize(file, 0);
  if (size > kTextDecodedLimit - 1) size = kTextDecodedLimit - 1;
  DWORD done = 0;
  BOOL read = ReadFile(file, g_context->output, size, &done, 0);
  CloseHandle(file);
  return read && done == size ? 0 : kMsgErrorReading;
}

void ShowReadmeError(int messageId) {
  char text[kFormattedTextSize];
  wsprintfA(text, g_GetString(messageId, WorkText(1), kWorkTextSize), szString);
  MessageBoxA(0, text, g_GetString(kMsgError, WorkText(1), kWorkTextSize), MB_ICONINFORMATION);
}

BOOL InitReadmeDialog(HWND dialog, LPARAM source) {
  SetDialogIcon(dialog);
  SetCaptionMessage(dialog, kMsgReadmeTitle);
  SetItemMessage(dialog, IDC_README_CLOSE, source == kReadmeFromPackage ? kMsgOk : kMsgClose);
  ClearOutputText();
  if (source == kReadmeFromPackage) {
    DecodePackageReadme();
  } else if (int error = ReadReadmeFile()) {
    ShowReadmeError(error);
    EndDialog(dialog, 0);
    return FALSE;
  }
  EndOutputText();
  SetDlgItemTextA(dialog, IDC_README_TEXT, reinterpret_cast<char*>(g_context->output));
  return TRUE;
}

INT_PTR CALLBACK ReadmeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return InitReadmeDialog(dialog, lParam);
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDC_README_CLOSE) EndDialog(dialog, 1);
  if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
  return TRUE;
}

}  // namespace

INT_PTR ShowReadmeDialog(HWND owner, ReadmeSource source) {
  return DialogBoxParamA(g_module, MAKEINTRESOURCEA(IDD_README), owner, ReadmeDialogProc, source);
}
