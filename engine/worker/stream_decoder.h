// The streaming decoder: one file record's LZARI stream, pulled a byte at
// a time through the archive reader and written to the target through the
// worker's 65535-byte write buffer.
#pragma once
#include <stdint.h>

#include "lzari/decoder.h"

enum {
  kProgressStep = 0x3E00,   // decoded bytes between two progress reports
};

struct StreamDecoder {
  uint32_t decodedSize;     // the file record's decoded-size word
  uint32_t writeEnabled;    // 0: skip mode, the stream is consumed and dropped
  uint32_t writeCount;      // bytes waiting in writeBuffer
  uint32_t accepted;        // bytes of the file produced so far, at most decodedSize
  uint32_t progressMark;    // decoded count at which the next report is due
  LzDecoder core;           // model, coder registers and ring
};

extern StreamDecoder g_stream;

// Decodes decodedSize bytes from the reader's position into outFile (or
// nowhere in skip mode).  Size 0 reads nothing.  Never writes more than
// decodedSize bytes, whatever a damaged stream's last match says.  A failed
// write ends the worker with 156.
void DecodeStream(void);
