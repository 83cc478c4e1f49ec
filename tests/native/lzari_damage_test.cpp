// Damaged and hostile blocks: the block decoder stays inside the launcher's
// buffers, the buffer decoder reports what is wrong and reads nothing past
// the stream.
#include <gtest/gtest.h>

#include <vector>

#include "lzari/block_decoder.h"
#include "lzari/buffer_decoder.h"
#include "lzari_reference_coder.h"
#include "lzari_samples.h"

namespace {

// Garbage after a size word: decodes to something, 4 bytes at a time of
// code bits buy up to 60 output bytes, and input runs out long before.
TEST(LzBlockDecoderDamage, GarbageStaysInsideBothBuffers) {
  const uint32_t kSizes[] = {65535, 65534, 65535 - 59, 65000, 65536, 100000, 0xFFFFFFFFu};
  uint32_t seed = 100;
  for (uint32_t size : kSizes) {
    for (int round = 0; round < 8; round++) {
      SCOPED_TRACE(testing::Message() << "size " << size << " seed " << seed);
      std::vector<uint8_t> block = SizePrefixed(size, RandomBytes(65531, seed++));
      LauncherBuffers buffers(block);
      // A fault page lies right behind each buffer: overrunning either
      // one ends the test here.
      uint32_t decoded = LzDecodeBlock(buffers.input.bytes, buffers.output.bytes);
      EXPECT_EQ(std::min<uint32_t>(size, 65535), decoded);
      EXPECT_TRUE(buffers.FrontUntouched());
    }
  }
}

TEST(LzBlockDecoderDamage, HugeSizeStopsAtTheEndOfOutput) {
  LauncherBuffers buffers(SizePrefixed(0xFFFFFFFFu, std::vector<uint8_t>(65531, 0)));
  EXPECT_EQ(65535u, LzDecodeBlock(buffers.input.bytes, buffers.output.bytes));
}

// Always the rarest literal: about 14 bits per byte, so 65535 bytes need
// more code bits than 65535 bytes of input hold.
std::vector<uint8_t> RarestLiteralsStream(size_t count) {
  ref::Coder c;
  ref::Start(&c);
  for (size_t i = 0; i < count; i++) {
    int rank = 314;
    while (c.rankChar[rank] >= 256) rank--;
    ref::CodeChar(&c, c.rankChar[rank]);
  }
  return c.out;
}

TEST(LzBlockDecoderDamage, StreamLongerThanInputReadsNoFurther) {
  std::vector<uint8_t> stream = RarestLiteralsStream(65535);
  ASSERT_GT(stream.size(), 65535u);
  LauncherBuffers buffers(SizePrefixed(65535, stream));
  EXPECT_EQ(65535u, LzDecodeBlock(buffers.input.bytes, buffers.output.bytes));
  EXPECT_TRUE(buffers.FrontUntouched());
}

// The last match runs past the decoded size.
std::vector<RefItem> OverrunningItems(uint32_t size) {
  std::vector<RefItem> items = {{1, 'a'}};
  for (uint32_t produced = 1; produced < size; produced += 60) items.push_back({60, 0});
  return items;
}

TEST(LzBlockDecoderDamage, LastMatchPastAFullBufferIsCutAtItsEnd) {
  std::vector<uint8_t> stream = RefEncode(OverrunningItems(65535 + 30));
  LauncherBuffers buffers(SizePrefixed(65535, stream));
  EXPECT_EQ(65535u, LzDecodeBlock(buffers.input.bytes, buffers.output.bytes));
  EXPECT_EQ(std::vector<uint8_t>(65535, 'a'), buffers.Output(65535));
}

TEST(LzBlockDecoderDamage, LastMatchPastTheSizeStillWritesItsBytesInsideTheBuffer) {
  std::vector<uint8_t> stream = RefEncode(OverrunningItems(10));
  LauncherBuffers buffers(SizePrefixed(10, stream));
  EXPECT_EQ(10u, LzDecodeBlock(buffers.input.bytes, buffers.output.bytes));
  EXPECT_EQ(std::vector<uint8_t>(61, 'a'), buffers.Output(61));
  EXPECT_EQ(LauncherBuffers::kPoison, buffers.output.bytes[61]);
}

TEST(LzBufferDecoderDamage, LastMatchPastTheSizeIsReportedAndCut) {
  std::vector<uint8_t> stream = RefEncode(OverrunningItems(10));
  std::vector<uint8_t> out;
  size_t consumed = 0;
  EXPECT_EQ(kLzOverrun, LzDecodeBuffer(stream.data(), stream.size(), 10, &out, &consumed));
  EXPECT_EQ(std::vector<uint8_t>(10, 'a'), out);
}

TEST(LzBufferDecoderDamage, ReadsNothingPastTheStream) {
  // The stream ends right before a fault page.
  const size_t kLengths[] = {0, 1, 2, 3, 50, 4096};
  for (size_t length : kLengths) {
    SCOPED_TRACE(length);
    GuardedBuffer stream(length);
    std::vector<uint8_t> garbage = RandomBytes(length, static_cast<uint32_t>(length));
    if (length) std::memcpy(stream.bytes, garbage.data(), length);
    std::vector<uint8_t> out;
    size_t consumed = 0;
    // A claimed 4 GiB stops when the bytes run out, allocating only what
    // was decoded.
    EXPECT_EQ(kLzTruncated, LzDecodeBuffer(stream.bytes, length, 0xFFFFFFFFu, &out, &consumed));
    EXPECT_EQ(length, consumed);
  }
}

TEST(LzBufferDecoderDamage, SizeZeroReadsNothingEvenFromNoStream) {
  std::vector<uint8_t> out = {1, 2, 3};
  size_t consumed = 7;
  EXPECT_EQ(kLzOk, LzDecodeBuffer(nullptr, 0, 0, &out, &consumed));
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(0u, consumed);
}

}  // namespace
