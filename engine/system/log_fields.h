// The uninstall log's multi-field values: fields joined by two commas,
// the form the uninstaller splits again.
#pragma once

#include "engine/package/text.h"

static inline char* JoinLogFields(char* dest, int destSize, const char* const* fields, int count) {
  dest[0] = 0;
  for (int i = 0; i < count; i++) {
    if (i) AppendText(dest, ",,", destSize);
    AppendText(dest, fields[i], destSize);
  }
  return dest;
}
