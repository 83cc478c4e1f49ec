// Finding and opening volume files: the size-word check, the insert-disk
// prompt for floppy drives and the volume file dialog.
#include <windows.h>

#include "engine/package/engine_globals.h"
#include "engine/package/layout.h"
#include "engine/package/message_ids.h"
#include "engine/package/path_text.h"
#include "engine/package/text.h"
#include "engine/package/volume_dialog.h"
#include "engine/worker/archive_reader.h"
#include "engine/worker/directory_part.h"
#include "engine/worker/worker_control.h"
#include "engine/worker/worker_thread.h"

namespace {

// Drives A: and B: are floppies: the user may simply insert the disk.
int AskForDisk(void) {
  char text[kPathTextSize], caption[kPathTextSize];
  wsprintfA(text, g_GetString(kMsgInsertDisk, caption, sizeof caption), g_state.volume);
  g_GetString(kMsgAttention, caption, sizeof caption);
  BeginWorkerPrompt();
  int answer = MessageBoxA((HWND)g_state.progressDialog, text, caption,
                           MB_OKCANCEL | MB_ICONINFORMATION);
  EndWorkerPrompt();
  return answer == IDOK;
}

// Opens candidate (lower-casing it for every later message), asking for
// the disk or another file until one opens.
void FindVolume(char* candidate) {
  for (;;) {
    HANDLE file = CreateFileA(candidate, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, 0);
    CharLowerA(candidate);
    if (file != INVALID_HANDLE_VALUE) {
      g_state.archive = file;
      return;
    }
    if ((candidate[0] == 'a' || candidate[0] == 'b') && AskForDisk()) continue;
    BeginWorkerPrompt();
    int picked = AskForVolume(g_state.volume);
    EndWorkerPrompt();
    if (!picked) {
      wsprintfA(szString, TOLVANE_VOLUME_FORMAT, g_state.volume);
      FatalExit(kMsgCantOpenFile, 0);
    }
    // Later volumes are looked for beside the picked file.  Its directory
    // is taken from its path: the dialog does not move the current
    // directory on every platform.
    CopyText(candidate, szString, kPathTextSize);
    CopyText(g_context->volumeDir, szString, kPathTextSize);
    CutToDirectory(g_context->volumeDir);
  }
}

void CheckSizeWord(const char* candidate, int embeddedVolume) {
  if (embeddedVolume) SetFilePointer(g_state.archive, kPackageBase, 0, FILE_BEGIN);
  uint32_t word;
  DWORD got;
  if (!ReadFile(g_state.archive, &word, sizeof word, &got, 0) || got != sizeof word)
    FatalExit(kMsgErrorReading, candidate);
  if (word != g_state.volumeRemaining) {
    char format[kPathTextSize];
    wsprintfA(szString, g_GetString(kMsgWrongSize, format, sizeof format), candidate,
              g_state.volumeRemaining, word);
    FatalExit(kMsgWrongSize, 0);
  }
}

}  // namespace

void OpenVolume(const char* path) {
  char saved[kPathTextSize], candidate[kPathTextSize];
  GetCurrentDirectoryA(kPathTextSize, saved);
  if (path) {
    CopyText(candidate, path, kPathTextSize);
  } else {
    g_state.volume++;
    GetFullName(candidate, g_context->volumeDir, 0, g_state.volume);
  }
  if (g_state.archive) CloseHandle(g_state.archive);
  g_state.archive = 0;
  FindVolume(candidate);
  g_state.volumeRemaining = GetFileSize(g_state.archive, 0);
  CheckSizeWord(candidate, path && g_state.embedded);
  if (!path) g_state.volumeRemaining -= kVolumeSizeWordSize;
  SetCurrentDirectoryA(saved);
}
