#include "engine/package/create_dir.h"

#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/package/path_text.h"
#include "engine/package/text.h"

enum { kDriveRootLength = 3 };  // "C:\"

int ENGINE_API CreateDir(char* path, uint32_t* counter) {
  CopyText(szString, path, kDriveRootLength + 1);
  if (!SetCurrentDirectoryA(szString)) return kMsgCantOpenDirectory;
  if (counter) *counter = 0;

  // The components after the root, each ended by a NUL.
  char work[kPathTextSize];
  CopyText(work, path, kPathTextSize);
  int length = TextLength(work);
  for (int i = 0; i < length; ++i)
    if (work[i] == '\\') work[i] = 0;

  for (int i = kDriveRootLength; i < length; i += TextLength(work + i) + 1) {
    const char* component = work + i;
    if (SetCurrentDirectoryA(component)) continue;
    CopyText(szString, component, kWorkTextSize);
    if (!CreateDirectoryA(component, 0)) return kMsgCantCreateDirectory;
    if (!SetCurrentDirectoryA(component)) return kMsgCantOpenDirectory;
    if (counter) ++*counter;
  }
  GetCurrentDirectoryA(kPathTextSize, path);
  return 0;
}

void ENGINE_API WriteDepth(InstallState* state, char* path, int levels) {
  for (int level = 0; level < levels; ++level) {
    EndSlashSized(path, 0, kPathTextSize);
    WritePrivateProfileStringA("Directories", path, "0", state->logPath);
    int cut = TextLength(path);
    while (cut > 1 && path[cut - 1] != '\\') --cut;
    path[cut > 1 ? cut - 1 : 0] = 0;
  }
}
