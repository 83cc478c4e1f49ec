// Interval narrowing mirrored from the decoder, with pending bits for an
// interval that straddles the middle.
#include "item_coder.h"

#include <stdexcept>
#include <utility>

namespace {

void PutBit(LzItemCoder* coder, unsigned bit) {
  coder->byte = coder->byte << 1 | bit;
  if (++coder->bitCount == 8) {
    coder->stream.push_back(static_cast<uint8_t>(coder->byte));
    coder->byte = 0;
    coder->bitCount = 0;
  }
}

void PutBitAndPending(LzItemCoder* coder, unsigned bit) {
  PutBit(coder, bit);
  for (; coder->pending > 0; coder->pending--) PutBit(coder, !bit);
}

// The same doublings as the decoder's renormalisation, in the same order.
void ShiftOutSettledBits(LzItemCoder* coder) {
  for (;;) {
    if (coder->high <= LZ_HALF) {
      PutBitAndPending(coder, 0);
    } else if (coder->low >= LZ_HALF) {
      PutBitAndPending(coder, 1);
      coder->low -= LZ_HALF;
      coder->high -= LZ_HALF;
    } else if (coder->low >= LZ_QUARTER && coder->high <= LZ_THREE_QUARTERS) {
      coder->pending++;
      coder->low -= LZ_QUARTER;
      coder->high -= LZ_QUARTER;
    } else {
      return;
    }
    coder->low *= 2;
    coder->high *= 2;
    coder->doublings++;
  }
}

void CodeChar(LzItemCoder* coder, unsigned c) {
  LzModel* m = &coder->model;
  unsigned rank = m->charToSymbol[c];
  LzNarrow(&coder->low, &coder->high, m->symbolCum[rank], m->symbolCum[rank - 1],
           m->symbolCum[0]);
  ShiftOutSettledBits(coder);
  LzUpdateModel(m, rank);
}

void CodePosition(LzItemCoder* coder, unsigned position) {
  const uint16_t* cum = coder->model.positionCum;
  LzNarrow(&coder->low, &coder->high, cum[position + 1], cum[position],
           kLzPositionTotal);
  ShiftOutSettledBits(coder);
}

}  // namespace

void LzStartItemCoder(LzItemCoder* coder, std::vector<LzItem>* record) {
  LzInitModel(&coder->model);
  coder->low = 0;
  coder->high = LZ_FULL;
  coder->pending = 0;
  coder->doublings = 0;
  coder->stream.clear();
  coder->byte = 0;
  coder->bitCount = 0;
  coder->record = record;
}

void LzCodeItem(LzItemCoder* coder, LzItem item) {
  bool literal = item.length == 1 && item.value < kLzLiteralCodes;
  bool match = item.length >= kLzMinMatch && item.length <= kLzMaxMatch &&
               item.value < kLzRingSize;
  if (!literal && !match) throw std::logic_error("LZARI item out of range");
  if (coder->record) coder->record->push_back(item);
  if (literal) {
    CodeChar(coder, item.value);
  } else {
    CodeChar(coder, item.length + kLzLengthBias);
    CodePosition(coder, item.value);
  }
}

std::vector<uint8_t> LzFinishItemCoder(LzItemCoder* coder) {
  // Two more bits pick a point whose every continuation lies inside the
  // final interval, so the bytes after the stream never matter.
  coder->pending++;
  PutBitAndPending(coder, coder->low < LZ_QUARTER ? 0 : 1);
  while (coder->bitCount != 0) PutBit(coder, 0);
  uint64_t consumedBits = kLzInitialBits + coder->doublings;
  size_t consumedBytes = static_cast<size_t>((consumedBits + 7) / 8);
  if (coder->stream.size() > consumedBytes)
    throw std::logic_error("LZARI stream longer than its decoder reads");
  coder->stream.resize(consumedBytes, 0);
  return std::move(coder->stream);
}
