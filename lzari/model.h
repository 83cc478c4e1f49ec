// The adaptive char model, the fixed position model and the interval
// arithmetic that every LZARI encoder and decoder shares.  Freestanding:
// it goes into the launcher and the engine as it is.
#pragma once
#include <stdint.h>

#include "format.h"

// Char codes are kept by rank, most frequent first; rank 0 is a sentinel
// with frequency 0.  Code c at rank k owns [symbolCum[k], symbolCum[k-1]).
// Position P owns [positionCum[P+1], positionCum[P]).
struct LzModel {
  uint16_t symbolFreq[kLzCharCodes + 1];
  uint16_t symbolCum[kLzCharCodes + 1];   // [k] = sum of symbolFreq above rank k
  uint16_t symbolToChar[kLzCharCodes + 1];
  uint16_t charToSymbol[kLzCharCodes];
  uint16_t positionCum[kLzRingSize + 1];  // never changes once built
};

// The state at the start of every block and stream: each code has
// frequency 1, rank k holds code k - 1.
void LzInitModel(LzModel* model);

// Counts one more occurrence of the code at rank, halving all frequencies
// first when the total has reached kLzMaxFrequency.
void LzUpdateModel(LzModel* model, unsigned rank);

// The lowest index k in 1..last with cum[k] <= target, for a falling
// table cum; rank of a char code, or position + 1.
unsigned LzSearchCum(const uint16_t* cum, unsigned last, uint32_t target);

// Narrows [*low, *high) to the share [lowCum, highCum) of total.  Both
// bounds are taken from the old low.
inline void LzNarrow(uint32_t* low, uint32_t* high, uint32_t lowCum,
                     uint32_t highCum, uint32_t total) {
  uint32_t range = *high - *low;
  *high = *low + range * highCum / total;
  *low += range * lowCum / total;
}

// Where value lies within [low, high), scaled to total.
inline uint32_t LzScaleValue(uint32_t low, uint32_t high, uint32_t value,
                             uint32_t total) {
  return ((value - low + 1) * total - 1) / (high - low);
}
