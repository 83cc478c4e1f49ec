// Message lookup by id in the message section of the string table.  Shared
// by the engine's fetcher and the authoring tool.
#pragma once
#include <stdint.h>

#include "message_ids.h"

// The string table as the lookups see it.
struct StringTableView {
  const char* block;
  uint32_t size;
  uint32_t messagesOffset;
};

// Copies the text of message id into buffer: at most bufferSize - 1 bytes
// and a NUL (nothing when bufferSize is 0).  Message 220 comes back with its
// stored bytes lowered again.  A section too short for the id gives an
// empty text.  Returns buffer.
char* CopyMessage(const StringTableView* table, int id, char* buffer, uint32_t bufferSize);

// Message 220 as stored: every byte raised by kMsgScrambleOffset, in place.
// A byte that would become 0 (0xF0) cannot be stored; the caller refuses it.
void ScrambleMessage(char* text);
void UnscrambleMessage(char* text);
