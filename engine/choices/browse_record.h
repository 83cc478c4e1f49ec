// The argument of the exported GetDirName: four path texts, 1024 bytes,
// filled by the caller and read back after the browser has closed.
#pragma once

#include "engine/package/layout.h"

#pragma pack(push, 1)
struct BrowseRecord {
  char startDir[kPathTextSize];    // in: where browsing starts; may be empty
  char fileName[kPathTextSize];    // in: shown behind the directory when not empty
  char currentDir[kPathTextSize];  // working: the directory the list shows
  char chosenPath[kPathTextSize];  // out, on OK: the edit text as typed
};
#pragma pack(pop)

static_assert(sizeof(BrowseRecord) == 1024, "browse record is 1024 bytes");
