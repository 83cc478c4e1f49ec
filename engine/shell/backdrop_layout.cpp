#include "engine/shell/backdrop_layout.h"

namespace {
// 1/27 as the single-precision constant the band estimate is defined with.
const float kOneTwentySeventh = 0.037037037f;
const double kBandsPerPixel = 4.0;
}  // namespace

void StartGradient(BackdropGradient* gradient, const uint8_t background[3], int clientHeight) {
  // Estimated number of bands below the first.
  float bands = static_cast<float>((clientHeight - kFirstBandHeight) * kBandsPerPixel *
                                   static_cast<double>(kOneTwentySeventh));
  for (int c = 0; c < 3; ++c) {
    gradient->base[c] = background[c];
    gradient->step[c] = static_cast<float>((background[c] - kGradientTarget) / static_cast<double>(bands));
    gradient->offset[c] = 0;
  }
}

uint32_t GradientColour(const BackdropGradient* gradient) {
  uint32_t colour = 0;
  for (int c = 0; c < 3; ++c) {
    uint8_t channel = static_cast<uint8_t>(gradient->base[c] - static_cast<int>(gradient->offset[c]));
    colour |= static_cast<uint32_t>(channel) << (8 * c);
  }
  return colour;
}

void AdvanceGradient(BackdropGradient* gradient) {
  for (int c = 0; c < 3; ++c) {
    float offset = static_cast<float>(static_cast<double>(gradient->offset[c]) + gradient->step[c]);
    gradient->offset[c] = offset > gradient->base[c] ? gradient->base[c] : offset;
  }
}

int BandHeight(int top, int clientHeight) {
  return top < clientHeight / 3 ? kUpperBandHeight : kLowerBandHeight;
}

int TitleFontHeight(int screenHeight) { return screenHeight / 10; }

int TitleWeight(uint8_t bold) { return bold ? kTitleWeightBold : kTitleWeightNormal; }

const char* TitleFace(const char* fontFace) { return fontFace[0] ? fontFace : "Times"; }

bool ShowsCreditLine(int titleHeight, int clientHeight) {
  return titleHeight + kCreditMargin < clientHeight;
}
