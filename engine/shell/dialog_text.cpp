#include "engine/shell/dialog_text.h"

#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/resources/resource_ids.h"

void SetDialogIcon(HWND dialog) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_ENGINE));
  SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
}

void SetCaptionMessage(HWND dialog, int messageId) {
  SetWindowTextA(dialog, g_GetString(messageId, 0, kWorkTextSize));
}

void SetItemMessage(HWND dialog, int item, int messageId) {
  SetDlgItemTextA(dialog, item, g_GetString(messageId, 0, kWorkTextSize));
}

bool ConfirmQuit(HWND owner) {
  char* question = g_GetString(kMsgQuit, WorkText(0), kWorkTextSize);
  char* caption = g_GetString(kMsgConfirmation, WorkText(1), kWorkTextSize);
  return MessageBoxA(owner, question, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void ClearOutputText(void) {
  uint8_t* output = g_context->output;
  for (int i = 0; i < kTextDecodedLimit; ++i) output[i] = 0;
}

void EndOutputText(void) { g_context->output[kTextDecodedLimit - 1] = 0; }
