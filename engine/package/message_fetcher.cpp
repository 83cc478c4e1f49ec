// The message fetcher and the exported data that goes with it.
#include "engine/package/message_fetcher.h"

#include "engine/package/message_catalogue.h"
#include "engine/package/string_table.h"
#include "engine/resources/resource_ids.h"

extern "C" {
char szString[kWorkTextCount * kWorkTextSize];
MessageFetcher g_GetString;
}

HBITMAP browserBitmaps[kBrowserBitmapCount];

const char* PackageString(uint32_t sectionOffset, int n) {
  const char* text = SectionString(g_state.strings, g_state.header.stringsSize, sectionOffset, n);
  return text ? text : "";
}

char* ENGINE_API GetString(int id, char* buffer, uint32_t bufferSize) {
  if (!buffer) {
    buffer = szString;
    bufferSize = kWorkTextSize;
  }
  StringTableView table = {g_state.strings, g_state.header.stringsSize,
                           g_state.header.messagesOffset};
  return CopyMessage(&table, id, buffer, bufferSize);
}

void ENGINE_API InitDll(MessageFetcher fetcher) {
  g_GetString = fetcher;
  for (int i = 0; i < kBrowserBitmapCount; ++i)
    browserBitmaps[i] = LoadBitmapA(g_module, MAKEINTRESOURCEA(IDB_FIRST + i));
}

void ENGINE_API CloseDll(void) {
  for (int i = 0; i < kBrowserBitmapCount; ++i) {
    DeleteObject(browserBitmaps[i]);
    browserBitmaps[i] = 0;
  }
}
