// The progress bar's percentage and done part.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/shell/bar_geometry.h"

namespace {

struct BarCase {
  uint32_t minimum;
  uint32_t maximum;
  uint32_t position;
  int width;
  int percent;
  int doneWidth;
};

TEST(ProgressBar, PercentAndDonePart) {
  const BarCase cases[] = {
      {0, 100, 0, 200, 0, 0},       // a new control: empty bar
      {0, 100, 100, 200, 100, 199},  // the last column keeps the background
      {0, 100, 50, 200, 50, 99},
      {0, 3, 1, 300, 33, 99},
      {1000, 3000, 2000, 228, 50, 113},
      {0, 884767, 884767, 456, 100, 455},
  };
  for (const BarCase& c : cases) {
    BarMeasure measure =
        MeasureBar(c.position, c.minimum, c.maximum, BarScale(c.minimum, c.maximum), c.width);
    EXPECT_EQ(measure.percent, c.percent) << c.position << " of " << c.minimum << ".." << c.maximum;
    EXPECT_EQ(measure.doneWidth, c.doneWidth) << c.position << " of " << c.minimum << ".." << c.maximum;
  }
}

TEST(ProgressBar, PositionIsClampedIntoTheRange) {
  EXPECT_EQ(ClampBarPosition(5, 10, 20), 10u);
  EXPECT_EQ(ClampBarPosition(25, 10, 20), 20u);
  EXPECT_EQ(ClampBarPosition(15, 10, 20), 15u);
  EXPECT_EQ(ClampBarPosition(0xFFFFFFFFu, 0, 100), 100u);
}

TEST(ProgressBar, EmptyRangeShowsAFullBarInsideTheControl) {
  float scale = BarScale(0, 0);
  EXPECT_TRUE(std::isinf(scale));
  BarMeasure measure = MeasureBar(0, 0, 0, scale, 200);
  EXPECT_EQ(measure.percent, 100);
  EXPECT_EQ(measure.doneWidth, 199);
}

TEST(ProgressBar, PositionLeftOutsideAChangedRangeStaysInsideTheControl) {
  // Position 90 set for 0..100, then the range became 0..10 (no re-clamp).
  BarMeasure above = MeasureBar(90, 0, 10, BarScale(0, 10), 200);
  EXPECT_EQ(above.percent, 100);
  EXPECT_LE(above.doneWidth, 200);
  // Position 5 below a new minimum of 50: the difference wraps.
  BarMeasure below = MeasureBar(5, 50, 100, BarScale(50, 100), 200);
  EXPECT_GE(below.percent, 0);
  EXPECT_LE(below.percent, 100);
  EXPECT_GE(below.doneWidth, 0);
  EXPECT_LE(below.doneWidth, 200);
}

}  // namespace
