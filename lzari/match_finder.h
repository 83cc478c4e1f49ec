// The encoder's search for earlier occurrences: hash chains over the
// history a decoder's ring holds (the 4036 prefilled spaces, then the data).
// Native only.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>

#include "format.h"

struct LzMatch {
  uint16_t length;
  uint16_t position;   // P: the copy starts P + 1 bytes back
};

struct LzMatchFinder {
  std::vector<uint8_t> text;     // kLzFirstWrite spaces, then the data
  std::vector<size_t> head;      // per hash: latest text index + 1, 0 = none
  size_t chain[2 * kLzRingSize]; // per text index mod 8192: previous one + 1
  size_t inserted;               // text indexes below this are chained
  unsigned depth;                // most candidates looked at per search
};

void LzStartMatchFinder(LzMatchFinder* finder, const uint8_t* data,
                        size_t size, unsigned depth);

// The matches at data offset n that a decoder can copy (within the ring,
// never from the unwritten ring end, never past the data's end), by rising
// length, each the nearest of its length.  Returns how many (at most
// kLzMaxMatch) went to matches.  An offset may be asked after later ones,
// as long as it is at most 4096 bytes behind the furthest one asked.
unsigned LzFindMatches(LzMatchFinder* finder, size_t n, LzMatch* matches);
