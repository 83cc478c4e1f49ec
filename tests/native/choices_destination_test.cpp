// The options dialog's destination rule and space figures.
#include <gtest/gtest.h>

#include <string>

#include "engine/choices/destination.h"
#include "engine/choices/free_space.h"
#include "engine/package/layout.h"

namespace {

struct DestinationCase {
  const char* typed;
  const char* currentDir;
  const char* expected;
};

const DestinationCase kDestinations[] = {
    {"Apps", "C:\\Setup", "C:\\Setup\\Apps"},        // relative: joined
    {"\\Apps", "C:\\Setup", "C:\\Setup\\Apps"},      // one leading backslash dropped
    {"Apps", "C:\\", "C:\\Apps"},                    // no second backslash after a root
    {"D:\\Tools\\", "C:\\Setup", "D:\\Tools"},       // trailing backslash removed
    {"D:\\Tools\\\\", "C:\\Setup", "D:\\Tools\\"},   // only one of them
    {"", "C:\\Setup", "C:\\Setup"},                  // empty: the current directory
    {"C:\\", "C:\\Setup", "C:\\"},                   // a bare root keeps its backslash
    {"c:", "C:\\Setup", "c:\\"},                     // and a bare drive gets one
    {"A", "C:", "C:\\A"},
};

TEST(ChoicesDestination, TypedTextBecomesInstallDir) {
  for (const DestinationCase& c : kDestinations) {
    char installDir[kPathTextSize];
    EXPECT_EQ(std::string(c.expected), MakeDestination(installDir, c.typed, c.currentDir))
        << "typed \"" << c.typed << "\" in " << c.currentDir;
  }
}

TEST(ChoicesDestination, LongJoinIsCutInsideTheBuffer) {
  std::string dir = "C:\\" + std::string(250, 'd');
  char installDir[kPathTextSize + 8];
  installDir[kPathTextSize] = 'X';
  MakeDestination(installDir, std::string(200, 'n').c_str(), dir.c_str());
  EXPECT_EQ(kPathTextSize - 1, static_cast<int>(std::string(installDir).size()));
  EXPECT_EQ('X', installDir[kPathTextSize]);
}

TEST(ChoicesSpace, RequirementIsWholeKilobytes) {
  EXPECT_EQ(0u, RequiredKilobytes(1023));
  EXPECT_EQ(1u, RequiredKilobytes(1024));
  EXPECT_EQ(600u, RequiredKilobytes(600 * 1024 + 1023));
  EXPECT_EQ(4194303u, RequiredKilobytes(0xFFFFFFFFu));
}

struct FreeCase {
  uint32_t bytesPerSector, sectorsPerCluster, freeClusters, expected;
};

const FreeCase kFree[] = {
    {512, 8, 128, 512},                // a 512 KB disk of 4 KB clusters
    {512, 1, 3, 1},                    // 1536 bytes: 1 KB, truncated
    {512, 1, 1, 0},
    {2, 1, 1000, 0},                   // a quarter of 2 bytes truncates to 0
    {4096, 1, 0x3FFFFFFF, 0xFFFFFFFCu},        // the 32-bit product would overflow
    {4096, 128, 0xFFFFFFFF, 0xFFFFFFFFu},     // beyond 32 bits: held at the top
};

TEST(ChoicesSpace, FreeKilobytesFromDriveGeometry) {
  for (const FreeCase& c : kFree)
    EXPECT_EQ(c.expected, FreeKilobytes(c.bytesPerSector, c.sectorsPerCluster, c.freeClusters))
        << c.bytesPerSector << " x " << c.sectorsPerCluster << " x " << c.freeClusters;
}

TEST(ChoicesSpace, TwentyGigabytesFreeAcceptsAnyPackage) {
  uint32_t freeKb = FreeKilobytes(512, 8, 20u * 1024 * 1024 / 4);  // 20 GB in 4 KB clusters
  EXPECT_EQ(20u * 1024 * 1024, freeKb);
  EXPECT_GE(freeKb, RequiredKilobytes(0xFFFFFFFFu));
}

}  // namespace
