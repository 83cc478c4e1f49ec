// The model every LZARI coder shares: the char model with its rank order
// and halving, and the fixed position weights.
#include "model.h"

void LzInitModel(LzModel* model) {
  model->symbolCum[kLzCharCodes] = 0;
  for (unsigned k = kLzCharCodes; k >= 1; k--) {
    model->charToSymbol[k - 1] = static_cast<uint16_t>(k);
    model->symbolToChar[k] = static_cast<uint16_t>(k - 1);
    model->symbolFreq[k] = 1;
    model->symbolCum[k - 1] = static_cast<uint16_t>(model->symbolCum[k] + 1);
  }
  model->symbolFreq[0] = 0;
  model->positionCum[kLzRingSize] = 0;
  for (unsigned i = kLzRingSize; i >= 1; i--)
    model->positionCum[i - 1] = static_cast<uint16_t>(
        model->positionCum[i] + kLzPositionWeight / (i + kLzPositionBias - 1));
}

// Halving rounds up, so no code drops to 0 and the order is kept.
static void HalveFrequencies(LzModel* model) {
  unsigned sum = 0;
  for (unsigned j = kLzCharCodes; j >= 1; j--) {
    model->symbolCum[j] = static_cast<uint16_t>(sum);
    model->symbolFreq[j] = static_cast<uint16_t>((model->symbolFreq[j] + 1) / 2);
    sum += model->symbolFreq[j];
  }
  model->symbolCum[0] = static_cast<uint16_t>(sum);
}

void LzUpdateModel(LzModel* model, unsigned rank) {
  if (model->symbolCum[0] >= kLzMaxFrequency) HalveFrequencies(model);
  // Move the code to the lowest rank of its frequency, so that adding 1
  // keeps the table sorted.
  unsigned i = rank;
  while (model->symbolFreq[i - 1] == model->symbolFreq[i]) i--;
  if (i < rank) {
    uint16_t a = model->symbolToChar[i];
    uint16_t b = model->symbolToChar[rank];
    model->symbolToChar[i] = b;
    model->symbolToChar[rank] = a;
    model->charToSymbol[a] = static_cast<uint16_t>(rank);
    model->charToSymbol[b] = static_cast<uint16_t>(i);
  }
  model->symbolFreq[i]++;
  while (i > 0) model->symbolCum[--i]++;
}

unsigned LzSearchCum(const uint16_t* cum, unsigned last, uint32_t target) {
  unsigned lo = 1, hi = last;
  while (lo < hi) {
    unsigned mid = (lo + hi) / 2;
    if (cum[mid] > target) lo = mid + 1;
    else hi = mid;
  }
  return lo;
}
