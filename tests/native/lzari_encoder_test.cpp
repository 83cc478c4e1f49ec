// The items the encoder chooses follow the format's rules, whichever parse
// chose them, and the default parse is never worse than the greedy one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lzari/buffer_decoder.h"
#include "lzari/parse.h"
#include "lzari_reference_coder.h"
#include "lzari_samples.h"

namespace {

struct Sample {
  const char* name;
  std::vector<uint8_t> data;
};

std::vector<Sample> Samples() {
  return {
      {"LeadingSpaces", Bytes(std::string(300, ' ') + "x" + std::string(61, ' '))},
      {"ShortSpaces", Bytes("  a  b   c")},
      {"Run", Bytes("ab" + std::string(300, 'b'))},
      {"TwoBytes", Bytes("zz")},
      {"Text", WordText(30000, 21)},
      {"Random", RandomBytes(5000, 22)},
      {"WindowsBinary", WindowsBinary(100000)},
  };
}

// Checks the rules a decoder relies on; returns the items as RefItems.
std::vector<RefItem> CheckItems(const std::vector<LzItem>& items, size_t size) {
  std::vector<RefItem> refs;
  size_t produced = 0;
  for (const LzItem& item : items) {
    if (item.length == 1) {
      EXPECT_LT(item.value, 256);
    } else {
      EXPECT_GE(item.length, 3);
      EXPECT_LE(item.length, 60);
      // Never the ring end that neither the prefill nor this block wrote.
      EXPECT_LE(item.value, std::min<size_t>(4095, 4035 + produced)) << "after " << produced;
    }
    produced += item.length;
    refs.push_back({item.length, item.value});
  }
  EXPECT_EQ(size, produced) << "items must end exactly at the size";
  return refs;
}

TEST(LzEncoder, ItemsFollowTheRulesAndDecodeToTheInput) {
  for (LzParseMode mode : {kLzParseOptimal, kLzParseGreedy}) {
    for (const Sample& sample : Samples()) {
      SCOPED_TRACE(testing::Message() << sample.name << (mode == kLzParseGreedy ? " greedy" : " optimal"));
      std::vector<LzItem> items;
      std::vector<uint8_t> stream = LzEncodeStreamWith(sample.data.data(), sample.data.size(), mode, &items);
      EXPECT_TRUE(RefExpand(CheckItems(items, sample.data.size())) == sample.data);
      std::vector<uint8_t> out;
      size_t consumed = 0;
      EXPECT_EQ(kLzOk, LzDecodeBuffer(stream.data(), stream.size(), sample.data.size(), &out, &consumed));
      EXPECT_TRUE(out == sample.data);
      EXPECT_EQ(stream.size(), consumed);
    }
  }
}

TEST(LzEncoder, LeadingSpacesComeFromThePrefill) {
  std::vector<uint8_t> data = Bytes(std::string(100, ' ') + "text");
  std::vector<LzItem> items;
  LzEncodeStreamWith(data.data(), data.size(), kLzParseOptimal, &items);
  ASSERT_FALSE(items.empty());
  EXPECT_GE(items[0].length, 3) << "a match into the prefilled spaces";
}

TEST(LzEncoder, RunUsesTheLastByte) {
  std::vector<uint8_t> data = Bytes("ab" + std::string(100, 'b'));
  std::vector<LzItem> items;
  LzEncodeStreamWith(data.data(), data.size(), kLzParseOptimal, &items);
  bool repeatsLastByte = false;
  for (const LzItem& item : items) repeatsLastByte |= item.length >= 3 && item.value == 0;
  EXPECT_TRUE(repeatsLastByte);
}

TEST(LzEncoder, OptimalParseIsNoLargerThanGreedy) {
  for (const Sample& sample : Samples()) {
    SCOPED_TRACE(sample.name);
    size_t optimal = LzEncodeStreamWith(sample.data.data(), sample.data.size(), kLzParseOptimal, nullptr).size();
    size_t greedy = LzEncodeStreamWith(sample.data.data(), sample.data.size(), kLzParseGreedy, nullptr).size();
    EXPECT_LE(optimal, greedy);
  }
}

}  // namespace
