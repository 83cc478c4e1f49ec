// The LZARI decoding steps, shared by every decoder: the block decoder, the
// native buffer decoder and the engine's streaming decoder.  Freestanding.
//
// Each decoder supplies its own byte source and byte sink as plain structs
// with two free functions found by argument-dependent lookup:
//   uint8_t LzNextByte(Source* source);           // next stream byte
//   void LzPutByte(Sink* sink, uint8_t byte);     // one decoded byte
// and runs its own item loop:
//   LzStartDecoder(&d, &source);
//   while (count < size) count += LzDecodeItem(&d, &source, &sink);
#pragma once
#include <stdint.h>

#include "format.h"
#include "model.h"

struct LzDecoder {
  uint32_t low, high, value;
  uint8_t bitBuffer;             // the stream byte being consumed
  uint8_t bitMask;               // its next bit; 0 = take a new byte
  uint16_t ringPosition;         // where the next decoded byte goes
  LzModel model;
  uint8_t ring[kLzRingSize];
};

// Bits are taken from each byte most significant first.
template <class Source>
inline unsigned LzNextBit(LzDecoder* d, Source* source) {
  d->bitMask = static_cast<uint8_t>(d->bitMask >> 1);
  if (d->bitMask == 0) {
    d->bitBuffer = LzNextByte(source);
    d->bitMask = 0x80;
  }
  return (d->bitBuffer & d->bitMask) != 0;
}

// Resets everything a stream starts from.  Ring positions 4036 to 4095 keep
// what the previous stream left; a conforming stream never reads them
// before writing them.
template <class Source>
void LzStartDecoder(LzDecoder* d, Source* source) {
  d->low = 0;
  d->high = LZ_FULL;
  d->value = 0;
  d->bitBuffer = 0;
  d->bitMask = 0;
  for (unsigned i = 0; i < kLzInitialBits; i++)
    d->value = 2 * d->value + LzNextBit(d, source);
  LzInitModel(&d->model);
  for (unsigned i = 0; i < kLzFirstWrite; i++) d->ring[i] = kLzPrefillByte;
  d->ringPosition = kLzFirstWrite;
}

// Doubles the interval while its top bit is settled or it straddles the
// middle narrowly, taking one code bit per doubling.
template <class Source>
void LzRenormalise(LzDecoder* d, Source* source) {
  for (;;) {
    if (d->low >= LZ_HALF) {
      d->value -= LZ_HALF;
      d->low -= LZ_HALF;
      d->high -= LZ_HALF;
    } else if (d->low >= LZ_QUARTER && d->high <= LZ_THREE_QUARTERS) {
      d->value -= LZ_QUARTER;
      d->low -= LZ_QUARTER;
      d->high -= LZ_QUARTER;
    } else if (d->high > LZ_HALF) {
      return;
    }
    d->low *= 2;
    d->high *= 2;
    d->value = 2 * d->value + LzNextBit(d, source);
  }
}

template <class Source>
unsigned LzDecodeChar(LzDecoder* d, Source* source) {
  LzModel* m = &d->model;
  uint32_t total = m->symbolCum[0];
  unsigned rank = LzSearchCum(m->symbolCum, kLzCharCodes,
                              LzScaleValue(d->low, d->high, d->value, total));
  LzNarrow(&d->low, &d->high, m->symbolCum[rank], m->symbolCum[rank - 1], total);
  LzRenormalise(d, source);
  unsigned c = m->symbolToChar[rank];
  LzUpdateModel(m, rank);
  return c;
}

template <class Source>
unsigned LzDecodePosition(LzDecoder* d, Source* source) {
  const uint16_t* cum = d->model.positionCum;
  unsigned position = LzSearchCum(cum, kLzRingSize,
      LzScaleValue(d->low, d->high, d->value, kLzPositionTotal)) - 1;
  LzNarrow(&d->low, &d->high, cum[position + 1], cum[position], kLzPositionTotal);
  LzRenormalise(d, source);
  return position;
}

template <class Sink>
inline void LzEmit(LzDecoder* d, Sink* sink, uint8_t byte) {
  LzPutByte(sink, byte);
  d->ring[d->ringPosition] = byte;
  d->ringPosition = (d->ringPosition + 1) & kLzRingMask;
}

// Decodes one literal or match into the ring and the sink; returns the
// number of bytes it stands for.  A match copies byte by byte, so a source
// that overlaps the bytes being written repeats them.
template <class Source, class Sink>
unsigned LzDecodeItem(LzDecoder* d, Source* source, Sink* sink) {
  unsigned c = LzDecodeChar(d, source);
  if (c < kLzLiteralCodes) {
    LzEmit(d, sink, static_cast<uint8_t>(c));
    return 1;
  }
  unsigned from = d->ringPosition - LzDecodePosition(d, source) - 1;
  unsigned length = c - kLzLengthBias;
  for (unsigned k = 0; k < length; k++)
    LzEmit(d, sink, d->ring[(from + k) & kLzRingMask]);
  return length;
}
