#include "engine/package/path_text.h"

#include "engine/package/layout.h"
#include "engine/package/text.h"

namespace {

const char* const kPathVariables[kPathVariableCount] = {
    "%installpath%", "%temppath%", "%winpath%", "%syspath%"};

// One pass: every occurrence of variable in text becomes value.
void ReplaceVariable(const char* text, char* out, const char* variable, const char* value) {
  int length = TextLength(text);
  int variableLength = TextLength(variable);
  int n = 0;
  for (int i = 0; i < length;) {
    if (length - i >= variableLength && TextMatchesIgnoreCase(text + i, variable, variableLength)) {
      for (int v = 0; value[v] && n < kExpandTextSize - 1; ++v) out[n++] = value[v];
      if (n > 0 && out[n - 1] == '\\') --n;
      i += variableLength;
    } else {
      if (n < kExpandTextSize - 1) out[n++] = text[i];
      ++i;
    }
  }
  out[n] = 0;
}

}  // namespace

char* ExpandPathVariables(const char* source, char* dest, int destSize,
                          const PathVariableValues values) {
  char work[kExpandTextSize];
  char pass[kExpandTextSize];
  CopyText(work, source, kExpandTextSize);
  for (int v = 0; v < kPathVariableCount; ++v) {
    ReplaceVariable(work, pass, kPathVariables[v], values[v]);
    CopyText(work, pass, kExpandTextSize);
  }
  return CopyText(dest, work, destSize);
}

char* ENGINE_API NoQuote(char* text) {
  if (text[0] == '"') {
    int i = 0;
    do text[i] = text[i + 1];
    while (text[i++]);
  }
  int length = TextLength(text);
  if (length > 0 && text[length - 1] == '"') text[length - 1] = 0;
  return text;
}

char* InQuoteSized(char* text, int size) {
  if (text[0] == 0 || text[0] == '"' || size < 3) return text;
  int length = TextLength(text);
  if (length > size - 3) length = size - 3;
  for (int i = length; i > 0; --i) text[i] = text[i - 1];
  text[0] = '"';
  text[length + 1] = '"';
  text[length + 2] = 0;
  return text;
}

char* GetFullNameSized(char* dest, int destSize, const char* directory,
                       const char* name, int volume) {
  char namePart[kPathTextSize];
  namePart[0] = 0;
  if (volume != 0) {
    AppendText(namePart, "disk", kPathTextSize);
    AppendDecimal(namePart, volume, kPathTextSize);
    AppendText(namePart, ".pak", kPathTextSize);
  } else if (name) {
    CopyText(namePart, name, kPathTextSize);
  }
  const char* tail = namePart[0] == '\\' ? namePart + 1 : namePart;
  CopyText(dest, directory, destSize);
  if (!EndsWithBackslash(dest)) AppendText(dest, "\\", destSize);
  return AppendText(dest, tail, destSize);
}

char* EndSlashSized(char* path, int flag, int size) {
  int length = TextLength(path);
  bool ends = length > 0 && path[length - 1] == '\\';
  if (flag && !ends && length + 2 <= size) {
    path[length] = '\\';
    path[length + 1] = 0;
  } else if (!flag && ends) {
    path[length - 1] = 0;
  }
  return path;
}

char* ENGINE_API InQuote(char* text) { return InQuoteSized(text, kPathTextSize); }

char* ENGINE_API GetFullName(char* dest, const char* directory, const char* name, int volume) {
  return GetFullNameSized(dest, kPathTextSize, directory, name, volume);
}

char* ENGINE_API EndSlash(char* path, int flag) { return EndSlashSized(path, flag, kPathTextSize); }
