// The program group: Program Manager commands over a DDE conversation with
// "PROGMAN", one CreateGroup/ShowGroup and one AddItem per shortcut item,
// all in one execute transaction.  The log lines come first, so they stand
// even when no Program Manager answers.
#include <windows.h>
#include <ddeml.h>

#include "engine/package/engine_globals.h"
#include "engine/package/text.h"
#include "engine/shell/sequence_steps.h"
#include "engine/system/uninstall_log.h"

namespace {

enum {
  kCommandTextSize = 2048,
  kExecuteTimeout = 10000,  // milliseconds
  kItemCommandSize = 4 * kPathTextSize + 16,  // "[AddItem(" four texts ",,,," ... ")]"
};

const char kLogShortcuts[] = "Shortcuts";
const char kGroupKey[] = "Group";
const char kProgramManager[] = "PROGMAN";
const char kGroupFormat[] = "[CreateGroup(%s)][ShowGroup(%s, 1)]";

DWORD ddeInstance;

HDDEDATA CALLBACK DdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return 0;
}

const char* ItemString(int item, int field) {
  return PackageString(g_state.header.shortcutsOffset, item * kShortcutStrings + field);
}

char* ExpandItemString(int item, int field, char* dest) {
  char source[kPathTextSize];
  CopyText(source, ItemString(item, field), sizeof source);
  return ExpandPath(source, dest, kPathTextSize);
}

// Every command fits an empty buffer (four 256-byte texts at most); one
// that does not fit behind the others would be cut, so it is refused:
// such a package has more items than one transaction can carry.
void AppendCommand(char* text, const char* command) {
  if (TextLength(text) + TextLength(command) < kCommandTextSize)
    AppendText(text, command, kCommandTextSize);
}

void BuildCommands(char* text) {
  char group[kPathTextSize], name[kPathTextSize], field[kPathTextSize];
  char command[kItemCommandSize];
  CopyText(group, MainString(kMainGroup), sizeof group);
  wsprintfA(text, kGroupFormat, group, group);
  if (g_state.header.writeLog) WriteLogKey(kLogShortcuts, kGroupKey, group);
  for (int k = 0; k < g_state.header.shortcutCount; k++) {
    CopyText(name, ItemString(k, kShortcutName), sizeof name);
    CopyText(command, "[AddItem(", sizeof command);
    AppendText(command, ExpandItemString(k, kShortcutCommand, field), sizeof command);
    AppendText(command, ",", sizeof command);
    AppendText(command, name, sizeof command);
    AppendText(command, ",", sizeof command);
    AppendText(command, ExpandItemString(k, kShortcutIcon, field), sizeof command);
    AppendText(command, ",,,,", sizeof command);
    AppendText(command, ExpandItemString(k, kShortcutWorkDir, field), sizeof command);
    AppendText(command, ")]", sizeof command);
    AppendCommand(text, command);
    if (g_state.header.writeLog) WriteLogKey(kLogShortcuts, name, kLogOn);
  }
}

void SendCommands(const char* text) {
  HSZ service = DdeCreateStringHandleA(ddeInstance, kProgramManager, CP_WINANSI);
  if (!service) return;
  CONVCONTEXT context = {};
  context.cb = sizeof context;
  HCONV conversation = DdeConnect(ddeInstance, service, service, &context);
  HDDEDATA data = DdeCreateDataHandle(ddeInstance, (LPBYTE)text, TextLength(text) + 1, 0, 0,
                                      CF_TEXT, 0);
  DdeClientTransaction((LPBYTE)data, (DWORD)-1, conversation, 0, 0, XTYP_EXECUTE,
                       kExecuteTimeout, 0);
  DdeFreeDataHandle(data);
  DdeFreeStringHandle(ddeInstance, service);
  DdeDisconnect(conversation);
}

}  // namespace

void CreateProgramGroup(HWND) {
  if (DdeInitializeA(&ddeInstance, DdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
    ddeInstance = 0;
    return;
  }
  char* text = (char*)VirtualAlloc(0, kCommandTextSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (text) {
    BuildCommands(text);
    SendCommands(text);
    VirtualFree(text, 0, MEM_RELEASE);
  }
  DdeUninitialize(ddeInstance);
  ddeInstance = 0;
  SetFocus((HWND)g_state.progressDialog);
}
