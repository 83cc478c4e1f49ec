// Path variables and the engine's text-only path helpers.  Portable: the
// one platform call (the case-blind comparison) sits behind
// TextMatchesIgnoreCase, so all of this also builds and is tested natively.
//
// The exported helpers have fixed argument lists without buffer sizes; they
// take the buffers to be path texts of kPathTextSize bytes and never write
// past that.  Engine code that works on larger texts uses the *Sized forms.
#pragma once

#include "engine/package/engine_api.h"

enum {
  kExpandTextSize = 512,  // working text of the expansion
  kPathVariableCount = 4,
};

// The values of "%installpath%", "%temppath%", "%winpath%", "%syspath%",
// in that order (the order in which they are replaced).
typedef const char* PathVariableValues[kPathVariableCount];

// Replaces the path variables of source, one pass per variable, into dest
// (destSize bytes, truncated).  An inserted value never leaves a trailing
// backslash behind it.  Returns dest.
char* ExpandPathVariables(const char* source, char* dest, int destSize,
                          const PathVariableValues values);

// True when the first length characters of text equal word, case ignored
// (the user's locale on Windows).
bool TextMatchesIgnoreCase(const char* text, const char* word, int length);

char* InQuoteSized(char* text, int size);
char* GetFullNameSized(char* dest, int destSize, const char* directory,
                       const char* name, int volume);
char* EndSlashSized(char* path, int flag, int size);

extern "C" {
char* ENGINE_API NoQuote(char* text);
char* ENGINE_API InQuote(char* text);
char* ENGINE_API GetFullName(char* dest, const char* directory, const char* name, int volume);
char* ENGINE_API EndSlash(char* path, int flag);
}
