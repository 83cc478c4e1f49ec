// Streams made without the codec's encoder decode to the expected bytes:
// one derived by hand, the others from items chosen by hand or at random
// and coded by the plain reference coder of the tests.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "lzari/block_decoder.h"
#include "lzari/buffer_decoder.h"
#include "lzari/encoder.h"
#include "lzari_reference_coder.h"
#include "lzari_samples.h"

namespace {

// "A" alone, worked out by hand.  'A' (65) starts at rank 66, which owns
// [248, 249) of 314: the interval becomes [103521, 103939).  Doubling it
// until it straddles the middle emits 1100101 (7 doublings); the end adds
// 01.  The decoder reads 17 + 7 bits, so the stream is 3 bytes.
const std::vector<uint8_t> kBlockOfA = {0x01, 0x00, 0x00, 0x00, 0xCA, 0x80, 0x00};

TEST(LzFormat, HandDerivedBlockDecodes) {
  LauncherBuffers buffers(kBlockOfA);
  EXPECT_EQ(1u, LzDecodeBlock(buffers.input.bytes, buffers.output.bytes));
  EXPECT_EQ('A', buffers.output.bytes[0]);
  EXPECT_EQ(LauncherBuffers::kPoison, buffers.output.bytes[1]);

  std::vector<uint8_t> out;
  size_t consumed = 0;
  EXPECT_EQ(kLzOk, LzDecodeBuffer(kBlockOfA.data() + 4, 3, 1, &out, &consumed));
  EXPECT_EQ(Bytes("A"), out);
  EXPECT_EQ(3u, consumed);
}

TEST(LzFormat, EncoderProducesTheHandDerivedBlock) {
  EXPECT_EQ(kBlockOfA, LzEncodeBlock(reinterpret_cast<const uint8_t*>("A"), 1));
}

struct ItemCase {
  const char* name;
  std::vector<RefItem> items;
  std::string expected;
};

std::string Repeat(const std::string& text, size_t times) {
  std::string out;
  while (times--) out += text;
  return out;
}

// 4096 literals, then a copy from exactly 4096 bytes back: the oldest byte
// in the ring, the one about to be overwritten.
ItemCase WholeRingBack() {
  ItemCase c{"WholeRingBack", {}, ""};
  for (int i = 0; i < 4096; i++) {
    c.items.push_back({1, 'a' + i % 26});
    c.expected += static_cast<char>('a' + i % 26);
  }
  c.items.push_back({5, 4095});
  c.expected += "abcde";
  return c;
}

const ItemCase kItemCases[] = {
    {"RepeatLastByte", {{1, 'a'}, {5, 0}}, "aaaaaa"},
    {"OverlappingCopy", {{1, 'x'}, {1, 'y'}, {4, 1}}, "xyxyxy"},
    {"FarthestPrefillAtStart", {{10, 4035}, {1, '!'}}, std::string(10, ' ') + "!"},
    {"NearestPrefillAtStart", {{3, 0}, {1, '!'}}, "   !"},
    // After one byte the rule allows P = 4036: the copy starts at ring 0.
    {"FarthestAfterOneByte", {{1, 'q'}, {4, 4036}, {3, 4}}, "q    q  "},
    {"LongestMatch", {{1, '1'}, {1, '2'}, {60, 1}}, Repeat("12", 31)},
    {"FarthestAfterAFewMatches",
     {{1, 'z'}, {60, 0}, {60, 0}, {60, 0}, {60, 4095}, {1, '.'}},
     std::string(181, 'z') + std::string(60, ' ') + "."},
    WholeRingBack(),
};

std::vector<uint8_t> DecodeWithBothDecoders(const std::vector<uint8_t>& stream, uint32_t size) {
  std::vector<uint8_t> out;
  size_t consumed = 0;
  EXPECT_EQ(kLzOk, LzDecodeBuffer(stream.data(), stream.size(), size, &out, &consumed));
  if (size <= 65535 && stream.size() + 4 <= 65535) {
    LauncherBuffers buffers(SizePrefixed(size, stream));
    EXPECT_EQ(size, LzDecodeBlock(buffers.input.bytes, buffers.output.bytes));
    EXPECT_TRUE(buffers.Output(size) == out) << "the two decoders disagree";
  }
  return out;
}

TEST(LzFormat, HandChosenItemsDecodeToTheirBytes) {
  for (const ItemCase& c : kItemCases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(Bytes(c.expected), RefExpand(c.items)) << "the case disagrees with itself";
    std::vector<uint8_t> stream = RefEncode(c.items);
    EXPECT_EQ(Bytes(c.expected), DecodeWithBothDecoders(stream, c.expected.size()));
  }
}

// Random valid items: literals of uneven frequency and matches of every
// length at every position the prefill rule allows.
std::vector<RefItem> RandomItems(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::geometric_distribution<int> literal(0.05);
  std::vector<RefItem> items;
  size_t produced = 0;
  for (size_t i = 0; i < count; i++) {
    if (random() % 3 != 0) {
      items.push_back({1, literal(random) % 256});
      produced += 1;
      continue;
    }
    int length = 3 + static_cast<int>(random() % 58);
    int farthest = static_cast<int>(std::min<size_t>(4095, 4035 + produced));
    items.push_back({length, static_cast<int>(random() % (farthest + 1))});
    produced += length;
  }
  return items;
}

TEST(LzFormat, RandomItemsDecodeToTheirBytes) {
  std::vector<RefItem> items = RandomItems(3000, 11);
  std::vector<uint8_t> expected = RefExpand(items);
  EXPECT_EQ(expected, DecodeWithBothDecoders(RefEncode(items), expected.size()));
}

TEST(LzFormat, RandomItemsStayInStepThroughManyHalvings) {
  // About 32450 codes reach the frequency limit; this halves five times.
  std::vector<RefItem> items = RandomItems(150000, 12);
  std::vector<uint8_t> expected = RefExpand(items);
  EXPECT_EQ(expected, DecodeWithBothDecoders(RefEncode(items), expected.size()));
}

}  // namespace
