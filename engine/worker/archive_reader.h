// The archive reader: the volumes of a package as one continuous record
// stream, read through one 65535-byte buffer.  Worker thread only; every
// failure ends the worker.
#pragma once
#include <stdint.h>

enum {
  kFillerWindow = 4,        // at most this many zero bytes follow a stream
};

// Delivers the next count bytes (1..65535) into destination when given and
// returns the last of them.  Opens the next volume when the open one is
// used up.
uint8_t ReadArchive(uint32_t count, void* destination);

// With a path: opens it as volume 1.  Without: opens volume + 1 from
// volumeDir, asking for it when it is missing.  Checks the size word.
void OpenVolume(const char* path);

// Moves volume 1 to the first record behind the header and string table.
void SeekRecordStream(void);

// Steps over the zero bytes behind a file's stream, so that the next read
// starts at the next record's type.
void SkipFiller(void);
