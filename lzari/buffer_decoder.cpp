// The tool's decoder: the shared decoding steps over a bounded stream.
#include "buffer_decoder.h"

#include <algorithm>

#include "decoder.h"

namespace {

struct BufferInput {
  const uint8_t* bytes;
  size_t size;
  size_t position;
  bool truncated;
};

// Past the end the decoder gets zeros and the caller learns of it.
uint8_t LzNextByte(BufferInput* input) {
  if (input->position == input->size) {
    input->truncated = true;
    return 0;
  }
  return input->bytes[input->position++];
}

struct BufferOutput {
  uint8_t* bytes;
  size_t count;
  size_t limit;
  bool overrun;
};

void LzPutByte(BufferOutput* output, uint8_t byte) {
  if (output->count == output->limit) {
    output->overrun = true;
    return;
  }
  output->bytes[output->count++] = byte;
}

// A damaged size word may claim gigabytes; memory grows with what is
// actually decoded.
const size_t kFirstAllocation = size_t(1) << 20;

}  // namespace

LzStatus LzDecodeBuffer(const uint8_t* stream, size_t streamSize,
                        uint32_t decodedSize, std::vector<uint8_t>* out,
                        size_t* consumed) {
  out->clear();
  *consumed = 0;
  if (decodedSize == 0) return kLzOk;
  BufferInput source = {stream, streamSize, 0, false};
  LzDecoder decoder;
  LzStartDecoder(&decoder, &source);
  out->resize(std::min<size_t>(decodedSize, kFirstAllocation));
  BufferOutput sink = {out->data(), 0, out->size(), false};
  uint64_t count = 0;
  while (count < decodedSize && !source.truncated) {
    if (out->size() - sink.count < kLzMaxMatch && out->size() < decodedSize) {
      out->resize(std::min<size_t>(decodedSize, 2 * out->size()));
      sink.bytes = out->data();
      sink.limit = out->size();
    }
    count += LzDecodeItem(&decoder, &source, &sink);
  }
  *consumed = source.position;
  out->resize(sink.count);
  if (source.truncated) return kLzTruncated;
  return sink.overrun ? kLzOverrun : kLzOk;
}
