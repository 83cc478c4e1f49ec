// The backdrop's arithmetic: horizontal bands that darken from the
// package's background colour toward a dark tone, and the title font's
// measures.  Portable, so the band colours are tested natively.
#pragma once
#include <stdint.h>

enum {
  kFirstBandHeight = 24,
  kUpperBandHeight = 9,    // bands that start in the top third
  kLowerBandHeight = 6,
  kGradientTarget = 10,    // each channel heads toward this value
  kTitleWeightNormal = 400,
  kTitleWeightBold = 700,
  kTitlePitchAndFamily = 0x31,  // fixed pitch, modern family
  kTitleX = 8, kTitleY = 8,
  kShadowOffset = 2,
  kCreditMargin = 30,      // credit line only below the title height + this
  kCreditRight = 10, kCreditBottom = 5,
  kCreditTextSize = 100,
};

// Per channel (red, green, blue): the background value, the step per band
// and the accumulated offset.
struct BackdropGradient {
  uint8_t base[3];
  float step[3];
  float offset[3];
};

void StartGradient(BackdropGradient* gradient, const uint8_t background[3], int clientHeight);

// Colour of the current band as a COLORREF (0x00BBGGRR).
uint32_t GradientColour(const BackdropGradient* gradient);

// On to the next band; an offset never exceeds its channel's value.
void AdvanceGradient(BackdropGradient* gradient);

// Height of the band whose top is at top.
int BandHeight(int top, int clientHeight);

int TitleFontHeight(int screenHeight);
int TitleWeight(uint8_t bold);
const char* TitleFace(const char* fontFace);  // "Times" when empty
bool ShowsCreditLine(int titleHeight, int clientHeight);
