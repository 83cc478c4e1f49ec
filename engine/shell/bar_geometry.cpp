#include "engine/shell/bar_geometry.h"

namespace {
const double kFullPercent = 100.0;
// 0.01 as the single-precision constant (slightly below 0.01), so a full
// bar leaves its last pixel column in the background colour.
const float kPercentToFraction = 0.01f;
}  // namespace

float BarScale(uint32_t minimum, uint32_t maximum) {
  return static_cast<float>(kFullPercent / static_cast<double>(maximum - minimum));
}

uint32_t ClampBarPosition(uint32_t value, uint32_t minimum, uint32_t maximum) {
  if (value < minimum) return minimum;
  if (value > maximum) return maximum;
  return value;
}

BarMeasure MeasureBar(uint32_t position, uint32_t minimum, uint32_t maximum, float scale,
                      int width) {
  double percent = kFullPercent;
  if (maximum != minimum) {
    percent = static_cast<double>(position - minimum) * scale;
    // A range changed after the position was set can leave it outside.
    if (percent > kFullPercent) percent = kFullPercent;
  }
  BarMeasure measure;
  measure.percent = static_cast<int>(percent + 0.5);
  measure.doneWidth = static_cast<int>(width * percent * static_cast<double>(kPercentToFraction));
  if (measure.doneWidth < 0) measure.doneWidth = 0;
  if (measure.doneWidth > width) measure.doneWidth = width;
  return measure;
}
