#include "engine/package/text.h"

int TextLength(const char* text) {
  int length = 0;
  while (text[length]) ++length;
  return length;
}

char* CopyText(char* dest, const char* source, int destSize) {
  if (destSize <= 0) return dest;
  int i = 0;
  for (; i < destSize - 1 && source[i]; ++i) dest[i] = source[i];
  dest[i] = 0;
  return dest;
}

char* AppendText(char* dest, const char* source, int destSize) {
  int length = TextLength(dest);
  if (length < destSize) CopyText(dest + length, source, destSize - length);
  return dest;
}

char* AppendDecimal(char* dest, int value, int destSize) {
  char digits[12];
  int i = sizeof digits - 1;
  unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  digits[i] = 0;
  do {
    digits[--i] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (value < 0) digits[--i] = '-';
  return AppendText(dest, digits + i, destSize);
}

bool EndsWithBackslash(const char* text) {
  int length = TextLength(text);
  return length > 0 && text[length - 1] == '\\';
}
