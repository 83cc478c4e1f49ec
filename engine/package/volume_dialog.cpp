#include "engine/package/volume_dialog.h"

#include <windows.h>
// after windows.h, which it needs
#include <commdlg.h>

#include "engine/package/engine_globals.h"

enum { kVolumeFileNameRoom = 260 };

int AskForVolume(int number) {
  // Two NUL-terminated texts and an empty one: description, pattern, end.
  char filter[80];
  int n = wsprintfA(filter, "Archive Files (" TOLVANE_VOLUME_FORMAT ")", number) + 1;
  n += wsprintfA(filter + n, TOLVANE_VOLUME_FORMAT, number) + 1;
  filter[n] = 0;
  wsprintfA(szString, TOLVANE_VOLUME_FORMAT, number);

  OPENFILENAMEA dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = static_cast<HWND>(g_state.progressDialog);
  dialog.hInstance = g_module;
  dialog.lpstrFilter = filter;
  dialog.lpstrFile = szString;
  dialog.nMaxFile = kVolumeFileNameRoom;
  dialog.Flags = OFN_HIDEREADONLY;
  dialog.lpstrDefExt = "pak";
  return GetOpenFileNameA(&dialog);
}
