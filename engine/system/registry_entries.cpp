// Registry entries: five strings each (root, subkey, value name, type,
// data); a type beginning with 1 is a number, anything else a string.
#include "engine/system/registry_entries.h"

#include <windows.h>

#include "engine/package/engine_globals.h"
#include "engine/system/log_fields.h"
#include "engine/system/uninstall_log.h"
#include "engine/worker/worker_control.h"

namespace {

const char kLogRegistry[] = "Registry";
const char kNumberType = '1';

struct RootName {
  const char* name;
  HKEY root;
};
const RootName kRoots[] = {{"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
                           {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                           {"HKEY_USERS", HKEY_USERS}};

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Leading white space, an optional sign, digits up to the first other
// character; no digits give 0 and overflow wraps to 32 bits.
DWORD ParseDecimal(const char* text) {
  while (IsSpace(*text)) text++;
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') text++;
  DWORD value = 0;
  for (; *text >= '0' && *text <= '9'; text++) value = value * 10 + DWORD(*text - '0');
  return negative ? 0 - value : value;
}

// Any name other than the three listed means HKEY_CURRENT_USER.
HKEY PickRoot(const char* name) {
  for (const RootName& entry : kRoots)
    if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name, -1, entry.name, -1) ==
        CSTR_EQUAL)
      return entry.root;
  return HKEY_CURRENT_USER;
}

void RemoveTrailingBackslash(char* path) {
  int length = TextLength(path);
  if (length > 0 && path[length - 1] == '\\') path[length - 1] = 0;
}

void LogEntry(int index, DWORD disposition, const char* const* strings) {
  char key[16], value[4 * kWorkTextSize];
  const char* fields[] = {disposition == REG_CREATED_NEW_KEY ? kLogOn : kLogOff,
                          strings[0], strings[1], strings[2]};
  key[0] = 0;
  AppendDecimal(key, index, sizeof key);
  WriteLogKey(kLogRegistry, key, JoinLogFields(value, sizeof value, fields, 4));
}

void ApplyEntry(int index) {
  char subkey[kWorkTextSize], data[kWorkTextSize];
  const char* strings[kRegistryStrings];
  uint32_t first = index * kRegistryStrings;
  for (int field = 0; field < kRegistryStrings; field++)
    strings[field] = PackageString(g_state.header.registryOffset, first + field + 1);
  DWORD number, type, size;
  const BYTE* value;
  if (strings[kRegistryType - 1][0] == kNumberType) {
    number = ParseDecimal(strings[kRegistryData - 1]);
    type = REG_DWORD, value = (const BYTE*)&number, size = sizeof number;
  } else {
    ExpandPath(strings[kRegistryData - 1], data, sizeof data);
    type = REG_SZ, value = (const BYTE*)data, size = TextLength(data) + 1;
  }
  CopyText(subkey, strings[kRegistrySubkey - 1], sizeof subkey);
  RemoveTrailingBackslash(subkey);
  strings[kRegistrySubkey - 1] = subkey;
  const char* valueName = strings[kRegistryValueName - 1];
  WorkerCheckpoint();
  HKEY key;
  DWORD disposition;
  if (RegCreateKeyExA(PickRoot(strings[0]), subkey, 0, 0, REG_OPTION_NON_VOLATILE, KEY_WRITE, 0,
                      &key, &disposition) != ERROR_SUCCESS)
    return;
  if (RegSetValueExA(key, valueName[0] ? valueName : 0, 0, type, value, size) == ERROR_SUCCESS &&
      g_state.header.writeLog)
    LogEntry(index, disposition, strings);
  RegCloseKey(key);
}

}  // namespace

void ApplyRegistryEntries(void) {
  if (!g_state.header.hasRegistry) return;
  for (int i = 0; i < g_state.header.registryCount; i++) ApplyEntry(i);
}
