// Reading the record stream across volumes through the reader's buffer.
#include "engine/worker/archive_reader.h"

#include <windows.h>

#include "engine/package/engine_globals.h"
#include "engine/package/layout.h"
#include "engine/package/message_ids.h"
#include "engine/worker/worker_thread.h"

namespace {

// A read failure names volume 1 by its path, later volumes by file name.
void FailReading(void) {
  if (g_state.volume == 1) FatalExit(kMsgErrorReading, g_context->volumePath);
  wsprintfA(szString, TOLVANE_VOLUME_FORMAT, g_state.volume);
  FatalExit(kMsgErrorReading, 0);
}

void TopUp(uint32_t count) {
  while (g_state.readFill < count) {
    if (g_state.volumeRemaining == 0) OpenVolume(0);
    uint32_t n = kIoBufferSize - g_state.readFill;
    if (n > g_state.volumeRemaining) n = g_state.volumeRemaining;
    DWORD got;
    if (!ReadFile(g_state.archive, g_state.readBuffer + g_state.readFill, n, &got, 0) || got != n)
      FailReading();
    g_state.readFill += n;
    g_state.volumeRemaining -= n;
  }
}

}  // namespace

uint8_t ReadArchive(uint32_t count, void* destination) {
  uint32_t unread = g_state.readFill - g_state.readPos;
  if (unread < count) {
    MoveMemory(g_state.readBuffer, g_state.readBuffer + g_state.readPos, unread);
    g_state.readFill = unread;
    g_state.readPos = 0;
    TopUp(count);
  }
  uint8_t* from = g_state.readBuffer + g_state.readPos;
  if (destination) CopyMemory(destination, from, count);
  g_state.readPos += count;
  return from[count - 1];
}

void SeekRecordStream(void) {
  uint32_t start = (g_state.embedded ? kPackageBase : 0) + kVolumeSizeWordSize +
                   kPackageHeaderSize + g_state.header.stringsSize;
  SetFilePointer(g_state.archive, start, 0, FILE_BEGIN);
  g_state.volumeRemaining -= start;
}

void SkipFiller(void) {
  uint8_t four[kFillerWindow];
  ReadArchive(kFillerWindow, four);
  uint32_t zeros = 0;
  while (zeros < kFillerWindow && four[zeros] == 0) zeros++;
  g_state.readPos -= kFillerWindow - zeros;
}
