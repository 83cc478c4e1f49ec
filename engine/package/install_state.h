// The engine's installation state: everything about the running
// installation, one static instance.  Its address goes to the exported
// WriteDepth and to the extraction, so the layout is fixed.
#pragma once
#include <stdint.h>

#include "layout.h"
#include "package_header.h"

// Windows handles, spelt so that the record also compiles natively.
typedef void* StateHandle;

#pragma pack(push, 1)
struct InstallState {
  uint32_t embedded;            // 1: package inside the executable
  uint32_t exeSize;
  char* strings;                // string table block (process heap)
  PackageHeader header;         // text block sizes replaced by the bytes read
  StateHandle archive;          // open volume file, 0 when none
  uint32_t wantGroup;
  uint32_t wantRun;
  uint32_t wantReadme;
  StateHandle tailFile;
  uint32_t volume;              // counting from 1
  char installDir[kPathTextSize];
  StateHandle progressDialog;   // HWND
  uint32_t volumeRemaining;
  uint8_t* readBuffer;          // kIoBufferSize bytes
  uint32_t readPos;
  uint32_t readFill;
  StateHandle outFile;
  char name[kPathTextSize];
  uint32_t bytesDone;
  uint8_t* writeBuffer;         // kIoBufferSize bytes
  char logPath[kPathTextSize];
  uint32_t createdDirs;
};
#pragma pack(pop)

static_assert(sizeof(InstallState) == 881 + 7 * sizeof(void*), "install state has no gaps");
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(InstallState) == 909, "32-bit install state");
#elif defined(_WIN64)
static_assert(sizeof(InstallState) == 937, "64-bit install state");
#endif
