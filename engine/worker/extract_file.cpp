// One file record: where it goes, whether it is written, and writing it.
#include "engine/worker/extract_file.h"

#include <windows.h>

#include "engine/package/create_dir.h"
#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/package/path_text.h"
#include "engine/package/record_header.h"
#include "engine/package/text.h"
#include "engine/resources/resource_ids.h"
#include "engine/system/uninstall_log.h"
#include "engine/worker/archive_reader.h"
#include "engine/worker/directory_part.h"
#include "engine/worker/overwrite_prompt.h"
#include "engine/worker/progress_report.h"
#include "engine/worker/stream_decoder.h"
#include "engine/worker/worker_control.h"
#include "engine/worker/worker_thread.h"

namespace {

enum {
  kDriveRootLength = 3,   // "C:\": a directory part this short is a drive
};

char targetPath[kPathTextSize];

// Creates (and logs) the directories above an absolute target.  The
// current directory is the record loop's cursor, so it is put back:
// a quoted name never moves it.
void MakeDirectoryChain(InstallState* state) {
  char directory[kPathTextSize], cursor[kPathTextSize];
  CopyText(directory, targetPath, sizeof directory);
  if (!CutToDirectory(directory) || TextLength(directory) < kDriveRootLength) return;
  WorkerCheckpoint();
  GetCurrentDirectoryA(kPathTextSize, cursor);
  uint32_t levels = 0;
  CreateDir(directory, &levels);
  if (state->header.writeLog) WriteDepth(state, directory, levels);
  SetCurrentDirectoryA(cursor);
}

// A quoted name becomes an absolute path in name as well; an unquoted
// one stays relative to the cursor and is shown and logged resolved.
void ResolveTarget(InstallState* state) {
  if (state->name[0] == '"') {
    ExpandPath(state->name, targetPath, sizeof targetPath);
    NoQuote(targetPath);
    CopyText(state->name, targetPath, sizeof state->name);
    MakeDirectoryChain(state);
  } else {
    GetFullPathNameA(state->name, kPathTextSize, targetPath, 0);
  }
}

// Returns 1 to write; *existed tells whether a file was in the way.
int DecideWrite(const RecordHeader* header, int* existed) {
  *existed = 0;
  if (header->overwriteMode == kOverwriteAlways) return 1;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(targetPath, &found);
  if (search == INVALID_HANDLE_VALUE) return 1;
  FindClose(search);
  *existed = 1;
  if (overwriteAll) return 1;
  if (skipAll || header->overwriteMode == kOverwriteKeep) return 0;
  OverwritePrompt prompt;
  CopyText(prompt.path, targetPath, sizeof prompt.path);
  prompt.existingSize = found.nFileSizeLow;
  prompt.existingTime = found.ftLastWriteTime;
  prompt.newSize = g_stream.decodedSize;
  CopyMemory(&prompt.newTime, &header->fileTime, sizeof prompt.newTime);
  return AskOverwrite(&prompt);
}

void CreateTarget(InstallState* state, int existed) {
  WorkerCheckpoint();
  SetProgressText(IDC_PROGRESS_FILE, targetPath);
  HANDLE file = CreateFileA(state->name, GENERIC_WRITE, 0, 0, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, 0);
  if (file == INVALID_HANDLE_VALUE) FatalExit(kMsgCantOpenFile, state->name);
  state->outFile = file;
  if (state->header.writeLog) PutLogKey(kLogFiles, targetPath, existed ? kLogOn : kLogOff);
}

void FinishTarget(InstallState* state, const RecordHeader* header) {
  FILETIME time;
  CopyMemory(&time, &header->fileTime, sizeof time);
  WorkerCheckpoint();
  SetFileTime(state->outFile, &time, &time, &time);
  CloseHandle(state->outFile);
  state->outFile = 0;
  SetFileAttributesA(state->name, header->attributes);
}

}  // namespace

int ExtractFile(InstallState* state, const RecordHeader* header) {
  ReadArchive(sizeof g_stream.decodedSize, &g_stream.decodedSize);
  ResolveTarget(state);
  int existed;
  g_stream.writeEnabled = DecideWrite(header, &existed);
  if (g_stream.writeEnabled) CreateTarget(state, existed);
  DecodeStream();
  SkipFiller();
  if (g_stream.writeEnabled) FinishTarget(state, header);
  state->bytesDone += g_stream.decodedSize;
  ReportProgress(state->bytesDone);
  return 0;
}
