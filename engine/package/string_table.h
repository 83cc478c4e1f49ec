// The string table: sections of NUL-terminated strings, one after the
// other, numbered from 1 within a section.  Every lookup stays inside the
// block, whatever the header's offsets and counts say.
#pragma once
#include <stdint.h>

// The n-th string counted from start (n <= 1 gives start), looking at no
// byte at end or beyond: 0 when the strings end before string n begins.
const char* NthString(const char* start, const char* end, int n);

// String index (1-based) of the section that begins at sectionOffset in
// the block of size bytes; 0 when the offset or the string lies outside the
// block or the string has no NUL inside it.
const char* SectionString(const char* block, uint32_t size, uint32_t sectionOffset, int index);
