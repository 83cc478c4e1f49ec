// The encoder's entry points: a parse, the item coder, the size prefix.
#include "encoder.h"

#include <stdexcept>

#include "parse.h"

namespace {

void PrefixSize(size_t size, std::vector<uint8_t>* out) {
  for (unsigned i = 0; i < kLzSizeBytes; i++)
    out->push_back(static_cast<uint8_t>(size >> (8 * i)));
}

std::vector<uint8_t> SizedStream(const uint8_t* data, size_t size, bool withStream) {
  std::vector<uint8_t> out;
  PrefixSize(size, &out);
  if (withStream) {
    std::vector<uint8_t> stream = LzEncodeStream(data, size);
    out.insert(out.end(), stream.begin(), stream.end());
  }
  return out;
}

}  // namespace

std::vector<uint8_t> LzEncodeStreamWith(const uint8_t* data, size_t size,
                                        LzParseMode mode,
                                        std::vector<LzItem>* items) {
  // The decoded size is a u32 everywhere in the format.
  if (size > UINT32_MAX) throw std::length_error("LZARI input of 4 GiB or more");
  LzItemCoder coder;
  LzStartItemCoder(&coder, items);
  if (mode == kLzParseGreedy) LzParseGreedy(data, size, &coder);
  else LzParseOptimal(data, size, &coder);
  return LzFinishItemCoder(&coder);
}

std::vector<uint8_t> LzEncodeStream(const uint8_t* data, size_t size) {
  return LzEncodeStreamWith(data, size, kLzParseOptimal, nullptr);
}

std::vector<uint8_t> LzEncodeBlock(const uint8_t* data, size_t size) {
  return SizedStream(data, size, true);
}

std::vector<uint8_t> LzEncodeRecordBody(const uint8_t* data, size_t size) {
  return SizedStream(data, size, size > 0);
}
