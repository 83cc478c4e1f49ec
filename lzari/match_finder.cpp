// Hash chains: each text index links to the previous one whose first three
// bytes hash alike.  Walking from the nearest means that the first match of
// each length found is also the cheapest to code.
#include "match_finder.h"

#include <algorithm>

namespace {

const unsigned kHashBits = 16;
// Twice the ring, so links stay intact while a parse looks ahead and
// comes back.
const size_t kChainMask = 2 * kLzRingSize - 1;

unsigned Hash(const uint8_t* p) {
  uint32_t key = p[0] | p[1] << 8 | p[2] << 16;
  return (key * 2654435761u) >> (32 - kHashBits);
}

void Insert(LzMatchFinder* finder, size_t t) {
  if (t + kLzMinMatch > finder->text.size()) return;
  size_t* head = &finder->head[Hash(&finder->text[t])];
  finder->chain[t & kChainMask] = *head;
  *head = t + 1;
}

}  // namespace

void LzStartMatchFinder(LzMatchFinder* finder, const uint8_t* data,
                        size_t size, unsigned depth) {
  finder->text.assign(kLzFirstWrite, kLzPrefillByte);
  finder->text.insert(finder->text.end(), data, data + size);
  finder->head.assign(size_t(1) << kHashBits, 0);
  finder->inserted = 0;
  finder->depth = depth;
}

unsigned LzFindMatches(LzMatchFinder* finder, size_t n, LzMatch* matches) {
  const uint8_t* text = finder->text.data();
  size_t t = n + kLzFirstWrite;
  for (; finder->inserted < t; finder->inserted++) Insert(finder, finder->inserted);
  size_t left = finder->text.size() - t;
  unsigned longest = static_cast<unsigned>(std::min<size_t>(kLzMaxMatch, left));
  if (longest < kLzMinMatch) return 0;
  // The whole text before t is history: spaces and data already written.
  size_t farthest = std::min<size_t>(kLzRingSize, t);
  unsigned best = kLzMinMatch - 1;
  unsigned count = 0;
  size_t link = finder->head[Hash(text + t)];
  while (link > t) link = finder->chain[(link - 1) & kChainMask];
  for (unsigned tries = finder->depth; link != 0 && tries > 0; tries--) {
    size_t from = link - 1;
    link = finder->chain[from & kChainMask];
    if (t - from > farthest) break;
    if (text[from + best] != text[t + best]) continue;
    unsigned length = 0;
    while (length < longest && text[from + length] == text[t + length]) length++;
    if (length > best) {
      matches[count].length = static_cast<uint16_t>(length);
      matches[count].position = static_cast<uint16_t>(t - from - 1);
      count++;
      best = length;
      if (length == longest) break;
    }
  }
  return count;
}
