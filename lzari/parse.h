// How the encoder chooses its items.  The optimal parse is what the tool
// uses; the greedy parse stays as the plain reference it is measured
// against.  Native only.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>

#include "item_coder.h"

enum LzParseMode {
  kLzParseOptimal,   // cheapest items by the model's current prices
  kLzParseGreedy,    // always the longest match, the nearest of that length
};

// Chooses the items of data and codes them with coder.
void LzParseGreedy(const uint8_t* data, size_t size, LzItemCoder* coder);
void LzParseOptimal(const uint8_t* data, size_t size, LzItemCoder* coder);

// LzEncodeStream with a chosen parse; items, when given, receives the
// coded items in order.
std::vector<uint8_t> LzEncodeStreamWith(const uint8_t* data, size_t size,
                                        LzParseMode mode,
                                        std::vector<LzItem>* items);
