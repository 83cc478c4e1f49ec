// Reading records until the end record and acting on each.
#include "engine/worker/record_loop.h"

#include <windows.h>

#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/package/path_text.h"
#include "engine/package/record_header.h"
#include "engine/system/uninstall_log.h"
#include "engine/worker/archive_reader.h"
#include "engine/worker/extract_file.h"
#include "engine/worker/worker_control.h"
#include "engine/worker/worker_thread.h"

namespace {

const char kParentDirectory[] = "..";

// A name longer than the name field would overrun it: the stream is not a
// package's.
void ReadRecordName(const RecordHeader* header) {
  if (header->nameLength > kNameLimit) FailWrongStructure();
  if (header->nameLength) ReadArchive(header->nameLength, g_state.name);
  g_state.name[header->nameLength] = 0;
}

void EnterDirectory(void) {
  WorkerCheckpoint();
  CreateDirectoryA(g_state.name, 0);
  if (!SetCurrentDirectoryA(g_state.name)) FatalExit(kMsgCantOpenDirectory, g_state.name);
  if (g_state.header.writeLog) {
    char path[kPathTextSize];
    GetCurrentDirectoryA(kPathTextSize, path);
    WriteLogKey(kLogDirectories, path, kLogOff);
  }
}

void LeaveDirectory(void) {
  if (!SetCurrentDirectoryA(kParentDirectory)) FatalExit(kMsgCantOpenDirectory, kParentDirectory);
}

}  // namespace

void FailWrongStructure(void) {
  if (g_state.volume == 1) FatalExit(kMsgWrongStructure, g_context->volumePath);
  GetFullName(szString, g_context->exeDir, 0, g_state.volume);
  FatalExit(kMsgWrongStructure, 0);
}

void RunRecordLoop(void) {
  for (;;) {
    RecordHeader header;
    ReadArchive(sizeof header, &header);
    switch (header.type) {
      case kRecordEnd:
        return;
      case kRecordFile:
        ReadRecordName(&header);
        ExtractFile(&g_state, &header);
        break;
      case kRecordDirectory:
        ReadRecordName(&header);
        EnterDirectory();
        break;
      case kRecordUp:
        LeaveDirectory();
        break;
      default:
        FailWrongStructure();
    }
  }
}
