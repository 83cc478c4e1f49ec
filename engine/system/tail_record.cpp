// Appending the tail record to an installed file.
#include "engine/system/tail_record.h"

#include <windows.h>

#include "engine/package/engine_globals.h"
#include "engine/package/layout.h"
#include "engine/package/message_ids.h"
#include "engine/package/path_text.h"
#include "engine/package/string_sections.h"
#include "engine/package/text.h"
#include "engine/worker/worker_control.h"
#include "engine/worker/worker_thread.h"

void AppendTailRecord(void) {
  uint32_t items = g_state.header.shortcutCount;
  if (items == 0) return;
  ExpandPath(PackageString(g_state.header.shortcutsOffset, kShortcutStrings * items - 2),
             szString, kWorkTextSize);
  NoQuote(szString);
  WorkerCheckpoint();
  HANDLE file = CreateFileA(szString, GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, 0, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, 0);
  if (file == INVALID_HANDLE_VALUE) FatalExit(kMsgCantOpenFile, 0);
  g_state.tailFile = file;
  char record[1 + kPathTextSize];
  record[0] = 0;
  CopyText(record + 1, g_state.logPath, kPathTextSize);
  DWORD length = 1 + TextLength(record + 1), written;
  SetFilePointer(file, 0, 0, FILE_END);
  if (!WriteFile(file, record, length, &written, 0) || written != length)
    FatalExit(kMsgErrorWriting, 0);
  CloseHandle(file);
  g_state.tailFile = 0;
}
