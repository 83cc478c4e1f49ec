#include "message_catalogue.h"

#include "string_table.h"

char* CopyMessage(const StringTableView* table, int id, char* buffer, uint32_t bufferSize) {
  if (bufferSize == 0) return buffer;
  const char* text = SectionString(table->block, table->size, table->messagesOffset, MessageIndex(id));
  uint32_t i = 0;
  if (text)
    for (; i + 1 < bufferSize && text[i]; i++) buffer[i] = text[i];
  buffer[i] = 0;
  if (id == kMsgProgressTop) UnscrambleMessage(buffer);
  return buffer;
}

void ScrambleMessage(char* text) {
  for (; *text; text++) *text = (char)(uint8_t)(*text + kMsgScrambleOffset);
}

void UnscrambleMessage(char* text) {
  for (; *text; text++) *text = (char)(uint8_t)(*text - kMsgScrambleOffset);
}
