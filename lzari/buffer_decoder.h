// Native decoder over a bounded buffer, for the tool and the tests: 32-bit
// sizes, and a stream that ends too early is reported, never read past.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>

enum LzStatus {
  kLzOk = 0,
  kLzTruncated,   // the decoder needed more bytes than the stream holds
  kLzOverrun,     // the last match runs past decodedSize: a damaged stream
};

// Decodes decodedSize bytes from stream[0..streamSize) into out (replaced;
// never more than decodedSize bytes).  *consumed receives the number of
// stream bytes from which code bits were taken.  decodedSize 0 reads
// nothing, like the streaming decoder.
LzStatus LzDecodeBuffer(const uint8_t* stream, size_t streamSize,
                        uint32_t decodedSize, std::vector<uint8_t>* out,
                        size_t* consumed);
