// The streaming decoder on the shared LZARI decoding steps: bits come from
// the record stream, bytes go to the file being extracted.
#include "engine/worker/stream_decoder.h"

#include <windows.h>

#include "engine/package/engine_globals.h"
#include "engine/package/message_ids.h"
#include "engine/resources/resource_ids.h"
#include "engine/worker/archive_reader.h"
#include "engine/worker/progress_report.h"
#include "engine/worker/worker_control.h"
#include "engine/worker/worker_thread.h"

StreamDecoder g_stream;

namespace {

struct ArchiveSource {};
struct FileSink {};

// The common case is a byte already in the reader's buffer.
inline uint8_t LzNextByte(ArchiveSource*) {
  if (g_state.readPos < g_state.readFill) return g_state.readBuffer[g_state.readPos++];
  return ReadArchive(1, 0);
}

void FlushWriteBuffer(void) {
  DWORD written;
  WorkerCheckpoint();
  if (!WriteFile(g_state.outFile, g_state.writeBuffer, g_stream.writeCount, &written, 0) ||
      written != g_stream.writeCount)
    FatalExit(kMsgErrorWriting, g_state.name);
  g_stream.writeCount = 0;
}

// Bytes past decodedSize come only from a damaged stream's last match:
// they are dropped, so the file never grows beyond its stated size.
inline void LzPutByte(FileSink*, uint8_t byte) {
  if (g_stream.accepted == g_stream.decodedSize) return;
  g_stream.accepted++;
  if (!g_stream.writeEnabled) return;
  if (g_stream.writeCount == kIoBufferSize) FlushWriteBuffer();
  g_state.writeBuffer[g_stream.writeCount++] = byte;
}

}  // namespace

void DecodeStream(void) {
  ArchiveSource source;
  FileSink sink;
  g_stream.writeCount = 0;
  g_stream.accepted = 0;
  g_stream.progressMark = 0;
  if (g_stream.decodedSize == 0) return;
  LzStartDecoder(&g_stream.core, &source);
  while (g_stream.accepted < g_stream.decodedSize) {
    LzDecodeItem(&g_stream.core, &source, &sink);
    if (g_stream.accepted > g_stream.progressMark) {
      ReportProgress(g_state.bytesDone + g_stream.progressMark);
      g_stream.progressMark += kProgressStep;
    }
  }
  if (g_stream.writeCount && g_stream.writeEnabled) FlushWriteBuffer();
}
