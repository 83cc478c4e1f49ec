// Every encoded input decodes back through both decoders, and the stream
// is exactly as long as the decoders read.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "lzari/block_decoder.h"
#include "lzari/buffer_decoder.h"
#include "lzari/encoder.h"
#include "lzari_samples.h"

namespace {

struct RoundTripCase {
  const char* name;
  std::function<std::vector<uint8_t>()> make;
};

const RoundTripCase kCases[] = {
    {"Empty", [] { return std::vector<uint8_t>(); }},
    {"OneByte", [] { return Bytes("x"); }},
    // The first item can be a match into the prefilled spaces.
    {"LeadingSpaces", [] { return Bytes(std::string(150, ' ') + "Licence\n" + std::string(70, ' ') + "end"); }},
    // P = 0 repeats the byte just written.
    {"RunOfOneByte", [] { return Bytes("ab" + std::string(500, 'b') + "c"); }},
    {"RandomSmall", [] { return RandomBytes(1000, 1); }},
    {"RandomNearBlockLimit", [] { return RandomBytes(60000, 2); }},
    {"Text", [] { return WordText(40000, 3); }},
    {"ExactlyFullBlock", [] { return WordText(65535, 4); }},
    {"WindowsBinary", [] { return WindowsBinary(65535); }},
    {"WindowsBinaryLarge", [] { return WindowsBinary(400000); }},
    // Far beyond a block: the model halves many times.
    {"HalvingManyTimes", [] { return SkewedBytes(300000, 5); }},
    {"TextLarge", [] { return WordText(500000, 6); }},
};

class LzRoundTrip : public testing::TestWithParam<RoundTripCase> {
 protected:
  // Each input is made and encoded once for all the tests on it.
  void SetUp() override {
    static std::map<std::string, std::pair<std::vector<uint8_t>, std::vector<uint8_t>>> encoded;
    auto found = encoded.find(GetParam().name);
    if (found == encoded.end()) {
      std::vector<uint8_t> data = GetParam().make();
      std::vector<uint8_t> stream = LzEncodeStream(data.data(), data.size());
      found = encoded.emplace(GetParam().name, std::make_pair(data, stream)).first;
    }
    data_ = found->second.first;
    stream_ = found->second.second;
    if (data_.empty() && std::string(GetParam().name).rfind("WindowsBinary", 0) == 0)
      GTEST_SKIP() << "no Windows DLL on this machine";
  }
  std::vector<uint8_t> data_;
  std::vector<uint8_t> stream_;
};

TEST_P(LzRoundTrip, BufferDecoderRestoresAndConsumesExactlyTheStream) {
  // Filler behind the stream must not be read.
  std::vector<uint8_t> padded = stream_;
  padded.insert(padded.end(), 8, 0x30);
  std::vector<uint8_t> out;
  size_t consumed = 99;
  ASSERT_EQ(kLzOk, LzDecodeBuffer(padded.data(), padded.size(), data_.size(), &out, &consumed));
  EXPECT_TRUE(out == data_);
  EXPECT_EQ(data_.empty() ? 0 : stream_.size(), consumed);
}

TEST_P(LzRoundTrip, BufferDecoderReportsAStreamOneByteShort) {
  if (data_.empty()) return;
  std::vector<uint8_t> out;
  size_t consumed = 0;
  EXPECT_EQ(kLzTruncated,
            LzDecodeBuffer(stream_.data(), stream_.size() - 1, data_.size(), &out, &consumed));
  EXPECT_LE(out.size(), data_.size());
}

TEST_P(LzRoundTrip, BlockDecoderRestoresWithinTheLauncherBuffers) {
  std::vector<uint8_t> block = LzEncodeBlock(data_.data(), data_.size());
  if (data_.size() > 65535 || block.size() > 65535) return;
  LauncherBuffers buffers(block);
  EXPECT_EQ(data_.size(), LzDecodeBlock(buffers.input.bytes, buffers.output.bytes));
  EXPECT_TRUE(buffers.Output(data_.size()) == data_);
  EXPECT_TRUE(buffers.FrontUntouched());
}

TEST_P(LzRoundTrip, RecordBodyIsTheSizeThenTheStreamTheStreamingDecoderReads) {
  std::vector<uint8_t> body = LzEncodeRecordBody(data_.data(), data_.size());
  ASSERT_GE(body.size(), 4u);
  uint32_t size = body[0] | body[1] << 8 | body[2] << 16 | uint32_t(body[3]) << 24;
  EXPECT_EQ(data_.size(), size);
  // Size 0: the streaming decoder reads nothing, so nothing follows.
  std::vector<uint8_t> expected = data_.empty() ? std::vector<uint8_t>() : stream_;
  EXPECT_TRUE(std::vector<uint8_t>(body.begin() + 4, body.end()) == expected);
}

INSTANTIATE_TEST_SUITE_P(Inputs, LzRoundTrip, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<RoundTripCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(LzBlockDecoder, DecodesTwoBlocksOneAfterTheOtherInTheSameBuffers) {
  // The first block leaves its own bytes in ring positions 4036..4095; the
  // second starts with spaces, where reaching into those would show.
  std::vector<uint8_t> first = RandomBytes(5000, 7);
  std::vector<uint8_t> second = Bytes(std::string(200, ' ') + "two blocks" + std::string(90, ' '));
  LauncherBuffers buffers(LzEncodeBlock(first.data(), first.size()));
  ASSERT_EQ(first.size(), LzDecodeBlock(buffers.input.bytes, buffers.output.bytes));
  ASSERT_TRUE(buffers.Output(first.size()) == first);

  std::vector<uint8_t> block = LzEncodeBlock(second.data(), second.size());
  std::memcpy(buffers.input.bytes, block.data(), block.size());
  EXPECT_EQ(second.size(), LzDecodeBlock(buffers.input.bytes, buffers.output.bytes));
  EXPECT_TRUE(buffers.Output(second.size()) == second);
  // Nothing clears output: the first block's later bytes are still there.
  EXPECT_EQ(first[second.size()], buffers.output.bytes[second.size()]);
}

TEST(LzEncoder, EmptyInputStillCarriesTheInitialCodeBitsForTheBlockDecoder) {
  std::vector<uint8_t> block = LzEncodeBlock(nullptr, 0);
  EXPECT_EQ(4u + 3u, block.size());
  LauncherBuffers buffers(block);
  EXPECT_EQ(0u, LzDecodeBlock(buffers.input.bytes, buffers.output.bytes));
  EXPECT_EQ(LauncherBuffers::kPoison, buffers.output.bytes[0]);
}

}  // namespace
