// The 16-byte header that opens every record of the record stream.
#pragma once
#include <stdint.h>

#include "layout.h"

enum RecordType {
  kRecordFile = 1,
  kRecordDirectory = 2,
  kRecordUp = 3,
  kRecordEnd = 4,
};

// What a file record does when its target exists.
enum OverwriteMode {
  kOverwriteAlways = 0,
  kOverwriteKeep = 1,
  kOverwriteAsk = 2,   // any value other than 0 and 1 asks
};

enum {
  kAttributeDirectory = 0x10,
  kAttributeArchive = 0x20,
};

#pragma pack(push, 1)
struct RecordHeader {
  uint8_t type;
  uint8_t overwriteMode;
  uint32_t attributes;
  uint64_t fileTime;     // FILETIME: 100 ns since 1601-01-01 UTC
  uint16_t nameLength;   // up records: the name length of the closed directory
};
#pragma pack(pop)

static_assert(sizeof(RecordHeader) == kRecordHeaderSize, "record header is 16 bytes");
