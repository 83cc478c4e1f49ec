// The reference parse: take the longest match wherever there is one.
#include <memory>

#include "match_finder.h"
#include "parse.h"

namespace {
// Every candidate within the ring: the true longest match.
const unsigned kGreedyDepth = kLzRingSize;
}  // namespace

void LzParseGreedy(const uint8_t* data, size_t size, LzItemCoder* coder) {
  std::unique_ptr<LzMatchFinder> finder(new LzMatchFinder);
  LzStartMatchFinder(finder.get(), data, size, kGreedyDepth);
  LzMatch matches[kLzMaxMatch];
  size_t n = 0;
  while (n < size) {
    unsigned count = LzFindMatches(finder.get(), n, matches);
    LzItem item = {1, data[n]};
    if (count > 0) item = {matches[count - 1].length, matches[count - 1].position};
    LzCodeItem(coder, item);
    n += item.length;
  }
}
