// The message fetcher GetString, installed in g_GetString by InitDll, and
// the browser's pictures that live from InitDll to CloseDll.
#pragma once
#include "engine/package/engine_globals.h"

enum { kBrowserBitmapCount = 11 };  // resources IDB_FIRST ... IDB_FIRST + 10

// Indexed by resource id - IDB_FIRST.
extern HBITMAP browserBitmaps[kBrowserBitmapCount];

// Copies the text of message id into buffer (szString, 500 bytes, when
// buffer is 0), at most bufferSize - 1 characters.  Returns the buffer.
extern "C" char* ENGINE_API GetString(int id, char* buffer, uint32_t bufferSize);

extern "C" void ENGINE_API InitDll(MessageFetcher fetcher);
extern "C" void ENGINE_API CloseDll(void);

