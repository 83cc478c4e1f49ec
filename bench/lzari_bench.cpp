// LZARI throughput on the fixed corpus (scripts/make-bench-corpus.sh):
// encoding with the default and the greedy parse, decoding with the buffer
// decoder and, block by block, with the launcher's block decoder.  Each
// reports MB/s of uncompressed data and the compressed/original ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lzari/block_decoder.h"
#include "lzari/buffer_decoder.h"
#include "lzari/encoder.h"
#include "lzari/parse.h"

namespace {

const char* const kCorpusFiles[] = {"text.txt", "pe.bin"};

const std::vector<uint8_t>& Corpus(int which) {
  static std::vector<uint8_t> files[2];
  std::vector<uint8_t>& data = files[which];
  if (data.empty()) {
    std::string path = std::string(TOLVANE_BENCH_CORPUS) + "/" + kCorpusFiles[which];
    std::ifstream file(path, std::ios::binary);
    data.assign(std::istreambuf_iterator<char>(file), {});
    if (data.empty()) {
      std::fprintf(stderr, "missing corpus file %s: run scripts/make-bench-corpus.sh\n", path.c_str());
      std::exit(1);
    }
  }
  return data;
}

void Report(benchmark::State& state, size_t original, size_t compressed) {
  state.SetLabel(kCorpusFiles[state.range(0)]);
  state.counters["MB"] = benchmark::Counter(original / 1e6, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["ratio"] = double(compressed) / original;
  state.counters["compressed"] = double(compressed);
}

void Encode(benchmark::State& state, LzParseMode mode) {
  const std::vector<uint8_t>& data = Corpus(state.range(0));
  size_t compressed = 0;
  for (auto _ : state) {
    std::vector<uint8_t> stream = LzEncodeStreamWith(data.data(), data.size(), mode, nullptr);
    compressed = stream.size();
    benchmark::DoNotOptimize(stream.data());
  }
  Report(state, data.size(), compressed);
}

void BM_Encode(benchmark::State& state) { Encode(state, kLzParseOptimal); }
void BM_EncodeGreedy(benchmark::State& state) { Encode(state, kLzParseGreedy); }

void BM_DecodeBuffer(benchmark::State& state) {
  const std::vector<uint8_t>& data = Corpus(state.range(0));
  std::vector<uint8_t> stream = LzEncodeStream(data.data(), data.size());
  std::vector<uint8_t> out;
  for (auto _ : state) {
    size_t consumed = 0;
    if (LzDecodeBuffer(stream.data(), stream.size(), data.size(), &out, &consumed) != kLzOk ||
        out != data)
      state.SkipWithError("decoded bytes differ");
  }
  Report(state, data.size(), stream.size());
}

// The corpus cut into the launcher's 65535-byte blocks.
void BM_DecodeBlock(benchmark::State& state) {
  const std::vector<uint8_t>& data = Corpus(state.range(0));
  const size_t kBlock = 65535;
  std::vector<std::vector<uint8_t>> blocks;
  size_t compressed = 0;
  for (size_t at = 0; at < data.size(); at += kBlock) {
    size_t size = std::min(kBlock, data.size() - at);
    std::vector<uint8_t> block = LzEncodeBlock(data.data() + at, size);
    if (block.size() > kBlock) {
      state.SkipWithError("a block does not fit the launcher's buffer");
      return;
    }
    compressed += block.size();
    block.resize(kBlock, 0x30);
    blocks.push_back(block);
  }
  std::vector<uint8_t> output(kBlock);
  for (auto _ : state) {
    for (const std::vector<uint8_t>& block : blocks) {
      LzDecodeBlock(block.data(), output.data());
      benchmark::DoNotOptimize(output.data());
    }
  }
  Report(state, data.size(), compressed);
}

BENCHMARK(BM_Encode)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeGreedy)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeBuffer)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeBlock)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
