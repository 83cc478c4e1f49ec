// Native stand-in for the locale comparison of the Windows build: the path
// variable names are plain ASCII, so folding ASCII letters is the same test.
#include "engine/package/path_text.h"

namespace {
char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool TextMatchesIgnoreCase(const char* text, const char* word, int length) {
  for (int i = 0; i < length; ++i)
    if (Fold(text[i]) != Fold(word[i])) return false;
  return true;
}
