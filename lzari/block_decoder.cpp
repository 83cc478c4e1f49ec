// The launcher's block decoder: one block from a 65535-byte input buffer
// into a 65535-byte output buffer, with one static set of state.
#include "block_decoder.h"

#include "decoder.h"

namespace {

struct BlockInput {
  const uint8_t* bytes;
  uint16_t position;   // wraps at 65536 like the original 16-bit index
};

struct BlockOutput {
  uint8_t* bytes;
  uint32_t position;
};

// Index 65535 lies just past the buffer; a damaged stream may get there.
uint8_t LzNextByte(BlockInput* input) {
  uint8_t byte = input->position < kLzBlockLimit ? input->bytes[input->position] : 0;
  input->position++;
  return byte;
}

// A damaged stream's last match may run past the decoded size; it is
// stopped at the end of the buffer.
void LzPutByte(BlockOutput* output, uint8_t byte) {
  if (output->position < kLzBlockLimit) output->bytes[output->position++] = byte;
}

LzDecoder g_blockDecoder;

}  // namespace

uint32_t LzDecodeBlock(const uint8_t* input, uint8_t* output) {
  uint32_t size = input[0] | input[1] << 8 | input[2] << 16 |
                  static_cast<uint32_t>(input[3]) << 24;
  BlockInput source = {input, kLzSizeBytes};
  BlockOutput sink = {output, 0};
  LzStartDecoder(&g_blockDecoder, &source);
  uint32_t count = 0;
  while (count < size && sink.position < kLzBlockLimit)
    count += LzDecodeItem(&g_blockDecoder, &source, &sink);
  return size < kLzBlockLimit ? size : static_cast<uint32_t>(kLzBlockLimit);
}
