// Bounded 8-bit text primitives.  The engine module has no C runtime, and
// every copy into a fixed buffer goes through these so none can overrun.
#pragma once

int TextLength(const char* text);

// Copies source into dest (destSize bytes), truncating; dest is always
// NUL-terminated when destSize > 0.  dest may equal source.  Returns dest.
char* CopyText(char* dest, const char* source, int destSize);

// Appends source to the text in dest (destSize bytes), truncating.
char* AppendText(char* dest, const char* source, int destSize);

// Appends value in decimal, as "%i" would write it, truncating.
char* AppendDecimal(char* dest, int value, int destSize);

bool EndsWithBackslash(const char* text);
