#include "string_table.h"

const char* NthString(const char* start, const char* end, int n) {
  const char* p = start;
  for (int count = 1; count < n; p++) {
    if (p >= end) return 0;
    if (*p == 0) count++;
  }
  return p < end ? p : 0;
}

const char* SectionString(const char* block, uint32_t size, uint32_t sectionOffset, int index) {
  if (sectionOffset >= size) return 0;
  const char* end = block + size;
  const char* text = NthString(block + sectionOffset, end, index);
  if (!text) return 0;
  for (const char* p = text; p < end; p++)
    if (*p == 0) return text;
  return 0;
}
