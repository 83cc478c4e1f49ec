// Constants of the LZARI stream format.  Every encoder and decoder uses
// exactly these; changing one breaks every package ever written.
#pragma once

enum {
  kLzRingSize = 4096,          // ring buffer, positions taken modulo 4096
  kLzRingMask = 0xFFF,
  kLzMaxMatch = 60,            // longest match
  kLzThreshold = 2,            // a match is at least 3 bytes long
  kLzMinMatch = kLzThreshold + 1,
  kLzLiteralCodes = 256,       // char codes 0..255 are literal bytes
  kLzCharCodes = 314,          // 0..255 literals, 256..313 lengths 3..60
  kLzLengthBias = kLzLiteralCodes - kLzMinMatch,  // length = code - 253
  kLzFirstWrite = kLzRingSize - kLzMaxMatch,  // 4036; 0..4035 prefilled
  kLzPrefillByte = 0x20,
  kLzInitialBits = 17,
  kLzMaxFrequency = 0x7FFF,    // char model is halved at this total
  kLzPositionTotal = 28568,    // sum of 10000 / (P + 201)
  kLzPositionWeight = 10000,   // weight of P is 10000 / (P + 201)
  kLzPositionBias = 201,
  kLzBlockLimit = 65535,       // block decoder: bytes in and out
  kLzSizeBytes = 4,            // u32 decoded size in front of a block
};

// Coder precision: 15 bits.
#define LZ_QUARTER 0x8000u
#define LZ_HALF 0x10000u
#define LZ_THREE_QUARTERS 0x18000u
#define LZ_FULL 0x20000u
