#include "string_table_builder.h"

#include "engine/package/default_messages.h"
#include "engine/package/message_catalogue.h"
#include "engine/package/message_ids.h"

namespace {

void Append(std::vector<char>* block, const std::string& text) {
  block->insert(block->end(), text.begin(), text.end());
  block->push_back(0);
}

uint32_t Offset(const std::vector<char>& block) { return static_cast<uint32_t>(block.size()); }

// Ids in message-section order.
std::vector<int> MessageIds() {
  std::vector<int> ids;
  for (int id = kMsgFirstLow; id <= kMsgLastLow; id++) ids.push_back(id);
  for (int id = kMsgFirstHigh; id <= kMsgLastHigh; id++) ids.push_back(id);
  return ids;
}

}  // namespace

std::string ProjectMessageText(const Project& project, int id) {
  auto found = project.messages.find(id);
  if (found != project.messages.end()) return found->second;
  const char* text = DefaultMessageText(id);
  return text ? text : "";
}

void BuildStringTable(const Project& project, std::vector<char>* block, PackageHeader* header) {
  block->clear();
  for (const std::string& text : project.mainStrings) Append(block, text);

  header->shortcutCount = static_cast<uint16_t>(project.shortcuts.size());
  header->shortcutsOffset = header->shortcutCount ? Offset(*block) : 0;
  for (const ShortcutItem& item : project.shortcuts)
    for (const std::string& text : item.strings) Append(block, text);

  header->registryCount = static_cast<uint16_t>(project.registry.size());
  header->registryOffset = header->registryCount ? Offset(*block) : 0;
  header->hasRegistry = header->registryCount != 0;
  for (const RegistryItem& item : project.registry)
    for (const std::string& text : item.strings) Append(block, text);

  header->iniCount = static_cast<uint16_t>(project.ini.size());
  header->iniOffset = header->iniCount ? Offset(*block) : 0;
  header->hasIni = header->iniCount != 0;
  for (const IniItem& item : project.ini)
    for (const std::string& text : item.strings) Append(block, text);

  header->messagesOffset = Offset(*block);
  for (int id : MessageIds()) {
    std::string text = ProjectMessageText(project, id);
    if (id == kMsgProgressTop) ScrambleMessage(&text[0]);
    Append(block, text);
  }
  header->stringsSize = Offset(*block);
}
