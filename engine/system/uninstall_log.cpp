// The log header and the one write path into the log.
#include "engine/system/uninstall_log.h"

#include <windows.h>

#include "engine/package/create_dir.h"
#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/package/path_text.h"
#include "engine/package/string_sections.h"
#include "engine/package/text.h"
#include "engine/worker/worker_control.h"

const char kLogBefore[] = "Before";
const char kLogDirectories[] = "Directories";
const char kLogMessages[] = "Messages";
const char kLogFiles[] = "Files";
const char kLogOff[] = "0";
const char kLogOn[] = "1";

namespace {

const char* const kBeforeKeys[] = {"App", "Param", "Func"};
const char kTitleKey[] = "0";

// The message ids whose texts the uninstaller needs.
const int kLoggedMessages[][2] = {{kMsgError, kMsgAttention},
                                  {kMsgUninstallQuestion, kMsgUninstallFinished}};

void WriteBefore(void) {
  char value[kWorkTextSize];
  for (int i = 0; i < 3; i++) {
    ExpandPath(MainString(kMainBeforeApp + i), value, sizeof value);
    WriteLogKey(kLogBefore, kBeforeKeys[i], value);
  }
}

// The installation directory with "1", then the levels the options dialog
// created for it with "0", deepest (the directory itself) first.
void WriteInstallDirectory(void) {
  char path[kPathTextSize];
  WriteLogKey(kLogDirectories, g_state.installDir, kLogOn);
  CopyText(path, g_state.installDir, sizeof path);
  WriteDepth(&g_state, path, g_state.createdDirs);
}

void WriteMessages(void) {
  char key[16], text[kWorkTextSize];
  for (int range = 0; range < 2; range++)
    for (int id = kLoggedMessages[range][0]; id <= kLoggedMessages[range][1]; id++) {
      wsprintfA(key, "%i", id);
      WriteLogKey(kLogMessages, key, g_GetString(id, text, sizeof text));
    }
  WriteLogKey(kLogMessages, kTitleKey, titleText);
}

}  // namespace

void WriteLogKey(const char* section, const char* key, const char* value) {
  WorkerCheckpoint();
  PutLogKey(section, key, value);
}

void PutLogKey(const char* section, const char* key, const char* value) {
  WritePrivateProfileStringA(section, key, value, g_state.logPath);
}

void WriteLogHeader(void) {
  ExpandPath(MainString(kMainLogPath), g_state.logPath, kPathTextSize);
  NoQuote(g_state.logPath);
  WriteBefore();
  WriteInstallDirectory();
  WriteMessages();
}
