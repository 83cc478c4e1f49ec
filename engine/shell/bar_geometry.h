// The progress bar's arithmetic: percent per unit of the range, the
// percentage shown and the width of the done part.  Portable, so the
// figures are tested natively.
#pragma once
#include <stdint.h>

// 100 / (maximum - minimum), the difference taken as unsigned.  An empty
// range gives infinity; BarMeasure copes with it.
float BarScale(uint32_t minimum, uint32_t maximum);

// value kept within minimum .. maximum.
uint32_t ClampBarPosition(uint32_t value, uint32_t minimum, uint32_t maximum);

struct BarMeasure {
  int percent;    // 0 .. 100
  int doneWidth;  // 0 .. width: pixels of the done part from the left
};

// An empty range (maximum == minimum) counts as complete: 100% and the
// done part of a full bar.
BarMeasure MeasureBar(uint32_t position, uint32_t minimum, uint32_t maximum, float scale,
                      int width);
