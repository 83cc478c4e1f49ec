// INI entries: four strings each (file, section, key, value); the file
// path and the value are expanded and the value is put in double quotes.
#include "engine/system/ini_entries.h"

#include <windows.h>

#include "engine/package/engine_globals.h"
#include "engine/package/path_text.h"
#include "engine/system/log_fields.h"
#include "engine/system/uninstall_log.h"
#include "engine/worker/worker_control.h"

namespace {

const char kLogIni[] = "INI Files";

void ApplyEntry(int index) {
  char file[kWorkTextSize], value[kWorkTextSize], key[16], line[3 * kWorkTextSize];
  uint32_t first = index * kIniStrings;
  const char* section = PackageString(g_state.header.iniOffset, first + kIniSection);
  const char* name = PackageString(g_state.header.iniOffset, first + kIniKey);
  ExpandPath(PackageString(g_state.header.iniOffset, first + kIniFile), file, sizeof file);
  ExpandPath(PackageString(g_state.header.iniOffset, first + kIniValue), value, sizeof value);
  InQuoteSized(value, sizeof value);
  WorkerCheckpoint();
  WritePrivateProfileStringA(section, name, value, file);
  if (!g_state.header.writeLog) return;
  const char* fields[] = {file, section, name};
  key[0] = 0;
  AppendDecimal(key, index, sizeof key);
  WriteLogKey(kLogIni, key, JoinLogFields(line, sizeof line, fields, 3));
}

}  // namespace

void ApplyIniEntries(void) {
  if (!g_state.header.hasIni) return;
  for (int i = 0; i < g_state.header.iniCount; i++) ApplyEntry(i);
}
