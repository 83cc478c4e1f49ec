// Whole-block decoder: the launcher's decoder, lent to the engine for the
// licence and readme texts.  Freestanding: no runtime library.
#pragma once
#include <stdint.h>

// Decodes the block at input (u32 decoded size S, then the stream) into
// output.  Positions are 16-bit and both buffers hold kLzBlockLimit bytes;
// whatever the stream says, nothing is read past input[65534] (later bytes
// count as zeros) and nothing is written past output[65534].
// Returns S, or 65535 when S is larger: such a block is decoded only as far
// as output reaches, so a caller that writes out the result stays inside it.
uint32_t LzDecodeBlock(const uint8_t* input, uint8_t* output);
