// Path variable expansion with the engine's current directories, and the
// locale comparison that matches the variable names.
#include "engine/package/engine_globals.h"
#include "engine/package/path_text.h"

bool TextMatchesIgnoreCase(const char* text, const char* word, int length) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text, length, word, length) ==
         CSTR_EQUAL;
}

char* ExpandPath(const char* source, char* dest, int destSize) {
  const PathVariableValues values = {g_state.installDir, g_context->tempDir,
                                     g_context->windowsDir, g_context->systemDir};
  return ExpandPathVariables(source, dest, destSize, values);
}
