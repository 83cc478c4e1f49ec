#include "engine/choices/destination.h"

#include "engine/package/layout.h"
#include "engine/package/path_text.h"
#include "engine/package/text.h"

static bool HasDriveColon(const char* text) { return text[0] != 0 && text[1] == ':'; }

char* MakeDestination(char* installDir, const char* typed, const char* currentDir) {
  if (HasDriveColon(typed))
    CopyText(installDir, typed, kPathTextSize);
  else
    GetFullNameSized(installDir, kPathTextSize, currentDir, typed, 0);
  EndSlashSized(installDir, 0, kPathTextSize);
  if (HasDriveColon(installDir) && installDir[2] == 0) EndSlashSized(installDir, 1, kPathTextSize);
  return installDir;
}
