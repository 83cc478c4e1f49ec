// The launcher and the stand-in engine as built for both architectures,
// read straight from their PE files: the launcher fits its 19968 bytes and
// keeps its instance counter in a shared, writable, initialised section;
// the stand-in exports its entry under the decorated name the launcher
// looks up.
#include <gtest/gtest.h>

#include <stdint.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/package/layout.h"

namespace {

// Section flags from the PE format.
const uint32_t kScnInitializedData = 0x00000040;
const uint32_t kScnExecute = 0x20000000;
const uint32_t kScnShared = 0x10000000;
const uint32_t kScnRead = 0x40000000;
const uint32_t kScnWrite = 0x80000000;

const char* const kArchitectures[] = {"i686", "x86_64"};

struct Section {
  std::string name;
  uint32_t virtualAddress, virtualSize, rawSize, rawOffset, flags;
};

struct PeFile {
  std::vector<uint8_t> bytes;
  std::vector<Section> sections;
  uint32_t exportRva = 0;
};

uint32_t Read16(const std::vector<uint8_t>& b, size_t at) {
  return at + 2 <= b.size() ? b[at] | b[at + 1] << 8 : 0;
}

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return at + 4 <= b.size() ? Read16(b, at) | Read16(b, at + 2) << 16 : 0;
}

std::string BinaryPath(const char* arch, const char* file) {
  return std::string(TOLVANE_BINARY_DIR) + "/" + arch + "/" + file;
}

// Headers and section table; false when the file is missing or no PE image.
bool LoadPe(const std::string& path, PeFile* pe) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  pe->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  const std::vector<uint8_t>& b = pe->bytes;
  size_t header = Read32(b, 0x3c);
  if (Read32(b, header) != 0x00004550) return false;  // "PE\0\0"
  size_t coff = header + 4, optional = coff + 20;
  uint32_t sectionCount = Read16(b, coff + 2);
  bool pe32Plus = Read16(b, optional) == 0x20b;
  pe->exportRva = Read32(b, optional + (pe32Plus ? 112 : 96));
  size_t table = optional + Read16(b, coff + 16);
  for (uint32_t i = 0; i < sectionCount; i++) {
    size_t at = table + 40 * i;
    if (at + 40 > b.size()) return false;
    Section s;
    s.name.assign(reinterpret_cast<const char*>(&b[at]), 8);
    s.name = s.name.c_str();
    s.virtualSize = Read32(b, at + 8);
    s.virtualAddress = Read32(b, at + 12);
    s.rawSize = Read32(b, at + 16);
    s.rawOffset = Read32(b, at + 20);
    s.flags = Read32(b, at + 36);
    pe->sections.push_back(s);
  }
  return true;
}

size_t FileOffset(const PeFile& pe, uint32_t rva) {
  for (const Section& s : pe.sections)
    if (rva >= s.virtualAddress && rva < s.virtualAddress + s.rawSize)
      return s.rawOffset + (rva - s.virtualAddress);
  return pe.bytes.size();
}

std::vector<std::string> ExportNames(const PeFile& pe) {
  std::vector<std::string> names;
  if (pe.exportRva == 0) return names;
  size_t directory = FileOffset(pe, pe.exportRva);
  uint32_t count = Read32(pe.bytes, directory + 24);
  size_t table = FileOffset(pe, Read32(pe.bytes, directory + 32));
  for (uint32_t i = 0; i < count; i++) {
    size_t at = FileOffset(pe, Read32(pe.bytes, table + 4 * i));
    std::string name;
    while (at < pe.bytes.size() && pe.bytes[at] != 0) name += static_cast<char>(pe.bytes[at++]);
    names.push_back(name);
  }
  return names;
}

// The Windows binaries come from the cross builds of the same configure.
bool LoadOrSkip(const char* arch, const char* file, PeFile* pe) {
  std::string path = BinaryPath(arch, file);
  if (!std::ifstream(path)) return false;
  EXPECT_TRUE(LoadPe(path, pe)) << path << " is not a PE image";
  return true;
}

TEST(LauncherBinary, FitsTheLauncherImageOnBothArchitectures) {
  for (const char* arch : kArchitectures) {
    PeFile pe;
    if (!LoadOrSkip(arch, "launcher.exe", &pe)) GTEST_SKIP() << arch << " launcher.exe not built";
    EXPECT_LE(pe.bytes.size(), static_cast<size_t>(kLauncherImageSize)) << arch;
  }
}

TEST(LauncherBinary, InstanceCounterLivesInASharedInitialisedSection) {
  for (const char* arch : kArchitectures) {
    PeFile pe;
    if (!LoadOrSkip(arch, "launcher.exe", &pe)) GTEST_SKIP() << arch << " launcher.exe not built";
    const Section* shared = nullptr;
    for (const Section& s : pe.sections)
      if (s.name == ".Shared") shared = &s;
    ASSERT_NE(shared, nullptr) << arch << ": no .Shared section";
    uint32_t wanted = kScnShared | kScnRead | kScnWrite | kScnInitializedData;
    EXPECT_EQ(shared->flags & wanted, wanted) << arch << std::hex << " flags 0x" << shared->flags;
    EXPECT_EQ(shared->flags & kScnExecute, 0u) << arch;
    // The counter starts at -1 in the file, so a fresh mapping starts there.
    ASSERT_GE(shared->rawSize, 4u) << arch;
    EXPECT_EQ(Read32(pe.bytes, shared->rawOffset), 0xFFFFFFFFu) << arch;
  }
}

TEST(StubEngineBinary, ExportsTheEntryUnderItsDecoratedName) {
  for (const char* arch : kArchitectures) {
    PeFile pe;
    if (!LoadOrSkip(arch, "stub_engine.dll", &pe)) GTEST_SKIP() << arch << " stub_engine.dll not built";
    EXPECT_EQ(ExportNames(pe), std::vector<std::string>{"_MainFunc@8"}) << arch;
  }
}

}  // namespace
