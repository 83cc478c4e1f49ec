// Helpers shared by the engine's dialogs: the class icon, texts by message
// id, and the launcher's output buffer as a bounded text.
#pragma once
#include <windows.h>

// Gives the dialog's window class the engine's icon.
void SetDialogIcon(HWND dialog);

void SetCaptionMessage(HWND dialog, int messageId);
void SetItemMessage(HWND dialog, int item, int messageId);

// Asks the quit question (message 216, caption 162); true for Yes.
bool ConfirmQuit(HWND owner);

// Clears the part of output that holds a text.
void ClearOutputText(void);

// Ends the text in output within kTextDecodedLimit bytes: a longer text
// is shown truncated.
void EndOutputText(void);
