// The default parse: chunk by chunk, the items of least coded size by the
// prices the adaptive model has at the chunk's start.  Within a chunk that
// is a shortest path over the byte offsets, each literal or match an edge.
#include <algorithm>
#include <cmath>
#include <memory>

#include "match_finder.h"
#include "parse.h"

namespace {

const double kPriceUnitsPerBit = 256;
const unsigned kSearchDepth = 256;
// Short chunks first: the model's prices move fastest at the start.
const size_t kFirstChunk = 256;
const size_t kLongestChunk = 1024;
const uint32_t kUnreached = UINT32_MAX;

// Prices in 1/256 bit: log2 of the share a code or position takes.
struct Prices {
  uint32_t code[kLzCharCodes];
  uint32_t position[kLzRingSize];
};

uint32_t Price(unsigned share, unsigned total) {
  return static_cast<uint32_t>(std::lround(kPriceUnitsPerBit * std::log2(double(total) / share)));
}

void PriceCodes(const LzModel* model, Prices* prices) {
  // Frequencies repeat a lot; price each distinct one once.
  unsigned total = model->symbolCum[0];
  unsigned lastFreq = 0;
  uint32_t lastPrice = 0;
  for (unsigned rank = 1; rank <= kLzCharCodes; rank++) {
    unsigned freq = model->symbolFreq[rank];
    if (freq != lastFreq) {
      lastFreq = freq;
      lastPrice = Price(freq, total);
    }
    prices->code[model->symbolToChar[rank]] = lastPrice;
  }
}

void PricePositions(const LzModel* model, Prices* prices) {
  const uint16_t* cum = model->positionCum;
  for (unsigned p = 0; p < kLzRingSize; p++)
    prices->position[p] = Price(cum[p] - cum[p + 1], kLzPositionTotal);
}

struct Step {
  uint32_t cost;   // cheapest price of reaching this offset
  LzItem item;     // the last item on that way
};

void Relax(Step* to, uint32_t cost, LzItem item) {
  if (cost < to->cost) {
    to->cost = cost;
    to->item = item;
  }
}

// Appends the items of least price from begin on, until they reach or
// cross end; returns where they stop.  The search runs one longest match
// past end, so that the last item need not be cut at end.
size_t ParseChunk(LzMatchFinder* finder, const uint8_t* data, size_t size,
                  size_t begin, size_t end, const Prices* prices,
                  std::vector<Step>* steps, std::vector<LzItem>* items) {
  size_t span = std::min(size, end + kLzMaxMatch) - begin;
  steps->assign(span + 1, Step{kUnreached, {0, 0}});
  (*steps)[0].cost = 0;
  LzMatch matches[kLzMaxMatch];
  size_t skipUntil = 0;
  for (size_t i = 0; i < span; i++) {
    uint32_t cost = (*steps)[i].cost;
    if (cost == kUnreached || i < skipUntil) continue;
    uint8_t byte = data[begin + i];
    Relax(&(*steps)[i + 1], cost + prices->code[byte], LzItem{1, byte});
    unsigned count = LzFindMatches(finder, begin + i, matches);
    if (count == 0) continue;
    unsigned longest = std::min<size_t>(matches[count - 1].length, span - i);
    // A longest possible match is taken as it is: searching inside it
    // costs time and hardly ever finds a cheaper way.
    if (longest == kLzMaxMatch) skipUntil = i + kLzMaxMatch;
    unsigned m = 0;
    for (unsigned length = kLzMinMatch; length <= longest; length++) {
      while (matches[m].length < length) m++;
      unsigned position = matches[m].position;
      Relax(&(*steps)[i + length],
            cost + prices->code[length + kLzLengthBias] + prices->position[position],
            LzItem{static_cast<uint16_t>(length), static_cast<uint16_t>(position)});
    }
  }
  size_t first = items->size();
  for (size_t at = span; at > 0; at -= (*steps)[at].item.length)
    items->push_back((*steps)[at].item);
  std::reverse(items->begin() + first, items->end());
  // The items behind end are chosen again with the next chunk's prices.
  size_t at = begin;
  size_t keep = first;
  while (at < end) at += (*items)[keep++].length;
  items->resize(keep);
  return at;
}

}  // namespace

void LzParseOptimal(const uint8_t* data, size_t size, LzItemCoder* coder) {
  std::unique_ptr<LzMatchFinder> finder(new LzMatchFinder);
  LzStartMatchFinder(finder.get(), data, size, kSearchDepth);
  std::unique_ptr<Prices> prices(new Prices);
  PricePositions(&coder->model, prices.get());
  std::vector<Step> steps;
  std::vector<LzItem> items;
  size_t chunk = kFirstChunk;
  for (size_t begin = 0; begin < size;) {
    size_t end = std::min(size, begin + chunk);
    PriceCodes(&coder->model, prices.get());
    items.clear();
    begin = ParseChunk(finder.get(), data, size, begin, end, prices.get(), &steps, &items);
    for (const LzItem& item : items) LzCodeItem(coder, item);
    chunk = std::min(2 * chunk, kLongestChunk);
  }
}
