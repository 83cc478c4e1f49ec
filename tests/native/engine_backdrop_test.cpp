// The backdrop's bands, colours and title measures.
#include <gtest/gtest.h>

#include <vector>

#include "engine/shell/backdrop_layout.h"

namespace {

struct Band {
  int top;
  int bottom;
  uint32_t colour;
};

// The bands as the painting walks them.
std::vector<Band> Bands(const uint8_t background[3], int height) {
  std::vector<Band> bands;
  BackdropGradient gradient;
  StartGradient(&gradient, background, height);
  for (int top = 0, bottom = kFirstBandHeight; top < height;
       top = bottom, bottom = top + BandHeight(top, height)) {
    bands.push_back({top, bottom, GradientColour(&gradient)});
    AdvanceGradient(&gradient);
  }
  return bands;
}

int Red(uint32_t colour) { return colour & 0xFF; }
int Green(uint32_t colour) { return (colour >> 8) & 0xFF; }
int Blue(uint32_t colour) { return (colour >> 16) & 0xFF; }

const uint8_t kBlueBackground[3] = {10, 10, 255};

TEST(Backdrop, ClientHeight100) {
  std::vector<Band> bands = Bands(kBlueBackground, 100);
  const int tops[] = {0, 24, 33, 39, 45, 51, 57, 63, 69, 75, 81, 87, 93, 99};
  const int blues[] = {255, 234, 212, 190, 168, 147, 125, 103, 81, 60, 38, 16, 0, 0};
  ASSERT_EQ(bands.size(), 14u);
  for (size_t i = 0; i < bands.size(); ++i) {
    EXPECT_EQ(bands[i].top, tops[i]) << "band " << i;
    EXPECT_EQ(Blue(bands[i].colour), blues[i]) << "band " << i;
    EXPECT_EQ(Red(bands[i].colour), 10) << "band " << i;
    EXPECT_EQ(Green(bands[i].colour), 10) << "band " << i;
  }
  EXPECT_EQ(bands[1].bottom, 33);
  EXPECT_EQ(bands.back().bottom, 105) << "the last band may reach below the client area";
}

TEST(Backdrop, ClientHeight573EndsNearTen) {
  std::vector<Band> bands = Bands(kBlueBackground, 573);
  ASSERT_EQ(bands.size(), 83u);
  EXPECT_EQ(Blue(bands.back().colour), 8);
}

TEST(Backdrop, DarkChannelsBrightenTowardTen) {
  const uint8_t background[3] = {0, 10, 200};
  std::vector<Band> bands = Bands(background, 300);
  for (size_t i = 1; i < bands.size(); ++i) {
    EXPECT_GE(Red(bands[i].colour), Red(bands[i - 1].colour));
    EXPECT_EQ(Green(bands[i].colour), 10);
  }
  EXPECT_EQ(Red(bands.front().colour), 0);
  EXPECT_NEAR(Red(bands.back().colour), 10, 1);
}

TEST(Backdrop, ShortWindowPaintsOnlyThePlainFirstBand) {
  for (int height : {1, 10, 24}) {
    std::vector<Band> bands = Bands(kBlueBackground, height);
    ASSERT_EQ(bands.size(), 1u) << height;
    EXPECT_EQ(bands[0].colour, 0xFF0A0Au) << height;
  }
}

TEST(Backdrop, TitleFont) {
  EXPECT_EQ(TitleFontHeight(600), 60);
  EXPECT_EQ(TitleFontHeight(768), 76);
  EXPECT_EQ(TitleWeight(0), 400);
  EXPECT_EQ(TitleWeight(1), 700);
  EXPECT_EQ(TitleWeight(255), 700);
  EXPECT_STREQ(TitleFace(""), "Times");
  EXPECT_STREQ(TitleFace("Courier"), "Courier");
}

TEST(Backdrop, CreditLineNeedsRoomBelowTheTitle) {
  EXPECT_FALSE(ShowsCreditLine(60, 90));
  EXPECT_TRUE(ShowsCreditLine(60, 91));
}

}  // namespace
