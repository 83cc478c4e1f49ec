// The encoder's half of the arithmetic coder: codes chosen literals and
// matches with the shared model into a stream the decoders read back.
// Native only.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>

#include "model.h"

struct LzItem {
  uint16_t length;  // 1 = literal, kLzMinMatch..kLzMaxMatch = match
  uint16_t value;   // the literal byte, or the match position P
};

struct LzItemCoder {
  LzModel model;
  uint32_t low, high;
  uint64_t pending;      // undecided bits, all opposite to the next one
  uint64_t doublings;    // the decoder takes one code bit per doubling
  std::vector<uint8_t> stream;
  unsigned byte;         // bits not yet in stream, most significant first
  unsigned bitCount;
  std::vector<LzItem>* record;  // when set, receives every coded item
};

void LzStartItemCoder(LzItemCoder* coder, std::vector<LzItem>* record);
void LzCodeItem(LzItemCoder* coder, LzItem item);

// Ends the stream and returns it, padded with zeros to exactly the bytes a
// decoder consumes: the initial bits plus one bit per doubling.
std::vector<uint8_t> LzFinishItemCoder(LzItemCoder* coder);
