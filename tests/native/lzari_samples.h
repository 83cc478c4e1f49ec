// Inputs and buffers for the LZARI tests: deterministic samples built in
// memory, a Windows binary from this machine when there is one, and the
// launcher's two 65535-byte buffers with a fault page right behind each.
#pragma once
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

inline std::vector<uint8_t> Bytes(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

inline std::vector<uint8_t> RandomBytes(size_t size, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> bytes(size);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
  return bytes;
}

// Words of a small vocabulary: matches of every length and distance.
inline std::vector<uint8_t> WordText(size_t size, uint32_t seed) {
  static const char* const kWords[] = {
      "the", "licence", "software", "program", "copy", "of", "and", "to",
      "you", "may", "distribute", "modify", "terms", "conditions", "any",
      "work", "based", "on", "GNU", "General", "Public", "License,", "version",
      "2", "or", "(at", "your", "option)", "later.", "Foundation;", "without",
      "WARRANTY"};
  std::mt19937 random(seed);
  std::string text;
  while (text.size() < size) {
    text += kWords[random() % (sizeof kWords / sizeof *kWords)];
    text += random() % 11 == 0 ? "\n" : " ";
  }
  text.resize(size);
  return Bytes(text);
}

// Bytes of very uneven frequency, mostly literals: the char model reaches
// its frequency limit and halves many times.
inline std::vector<uint8_t> SkewedBytes(size_t size, uint32_t seed) {
  std::mt19937 random(seed);
  std::geometric_distribution<int> pick(0.08);
  std::vector<uint8_t> bytes(size);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(pick(random));
  return bytes;
}

inline std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

// The start of a Windows DLL shipped with Wine or mingw-w64; empty when the
// machine has none.
inline std::vector<uint8_t> WindowsBinary(size_t limit) {
  static const char* const kCandidates[] = {
      "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/kernel32.dll",
      "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/comdlg32.dll",
      "/usr/lib/wine/x86_64-windows/kernel32.dll",
  };
  for (const char* path : kCandidates) {
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    if (bytes.size() >= 2 && bytes[0] == 'M' && bytes[1] == 'Z') {
      if (bytes.size() > limit) bytes.resize(limit);
      return bytes;
    }
  }
  return {};
}

// A buffer of exactly size bytes that ends where an inaccessible page
// begins: reading or writing one byte past it faults at once.
struct GuardedBuffer {
  uint8_t* mapping = nullptr;
  size_t mappingSize = 0;
  uint8_t* bytes = nullptr;
  size_t size = 0;

  explicit GuardedBuffer(size_t n) : size(n) {
    size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    size_t dataPages = (n + page - 1) / page;
    mappingSize = (dataPages + 1) * page;
    void* m = mmap(nullptr, mappingSize, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) return;
    mapping = static_cast<uint8_t*>(m);
    mprotect(mapping + dataPages * page, page, PROT_NONE);
    bytes = mapping + dataPages * page - n;
  }
  ~GuardedBuffer() {
    if (mapping) munmap(mapping, mappingSize);
  }
  GuardedBuffer(const GuardedBuffer&) = delete;
  GuardedBuffer& operator=(const GuardedBuffer&) = delete;

  // The bytes in front of the buffer, inside the mapping: a write there
  // does not fault, so they hold a pattern to compare.
  uint8_t* front() const { return mapping; }
  size_t frontSize() const { return static_cast<size_t>(bytes - mapping); }
};

// The launcher's buffers: the block at the start of input, filler behind
// it, output poisoned so that bytes the decoder did not write show.
struct LauncherBuffers {
  static constexpr uint8_t kFiller = 0x30;
  static constexpr uint8_t kPoison = 0xA5;
  GuardedBuffer input{65535};
  GuardedBuffer output{65535};

  explicit LauncherBuffers(const std::vector<uint8_t>& block) {
    std::memset(input.bytes, kFiller, input.size);
    std::memcpy(input.bytes, block.data(), std::min(block.size(), input.size));
    std::memset(output.front(), kPoison, output.frontSize() + output.size);
  }
  bool FrontUntouched() const {
    for (size_t i = 0; i < output.frontSize(); i++)
      if (output.front()[i] != kPoison) return false;
    return true;
  }
  std::vector<uint8_t> Output(size_t n) const {
    return std::vector<uint8_t>(output.bytes, output.bytes + n);
  }
};
