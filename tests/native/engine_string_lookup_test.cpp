// The engine's string lookups stay inside the string table and inside the
// caller's buffer, whatever the package's offsets and counts say.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/package/message_catalogue.h"
#include "engine/package/string_table.h"

namespace {

// Main section "a", "", "ccc"; messages from offset 7: strings 1 and 2.
const char kTable[] = "a\0\0ccc\0Error\0Select directory";  // no NUL after the last

TEST(StringLookup, NthStringCountsEmptyStringsAndStopsAtTheEnd) {
  const char* end = kTable + sizeof kTable - 1;
  EXPECT_EQ(NthString(kTable, end, 0), kTable);
  EXPECT_EQ(NthString(kTable, end, 1), kTable);
  EXPECT_EQ(NthString(kTable, end, 2), kTable + 2);
  EXPECT_EQ(NthString(kTable, end, 3), kTable + 3);
  EXPECT_EQ(NthString(kTable, end, 6), nullptr);
  EXPECT_EQ(NthString(kTable, end, 1000), nullptr);
}

TEST(StringLookup, SectionStringRefusesWhatLiesOutsideTheBlock) {
  uint32_t size = sizeof kTable - 1;
  EXPECT_STREQ(SectionString(kTable, size, 0, 3), "ccc");
  EXPECT_STREQ(SectionString(kTable, size, 7, 1), "Error");
  EXPECT_EQ(SectionString(kTable, size, 7, 2), nullptr) << "no NUL before the end";
  EXPECT_EQ(SectionString(kTable, size, 7, 3), nullptr);
  EXPECT_EQ(SectionString(kTable, size, size, 1), nullptr);
  EXPECT_EQ(SectionString(kTable, size, 0xFFFFFFF0u, 1), nullptr);
}

TEST(StringLookup, FetcherHonoursTheBufferSize) {
  StringTableView table = {kTable, sizeof kTable - 1, 7};
  char buffer[16];
  std::memset(buffer, 'g', sizeof buffer);
  CopyMessage(&table, 150, buffer, 4);
  EXPECT_STREQ(buffer, "Err");
  EXPECT_EQ(buffer[4], 'g');
  std::memset(buffer, 'g', sizeof buffer);
  CopyMessage(&table, 150, buffer, 0);
  EXPECT_EQ(buffer[0], 'g') << "size 0 writes nothing";
  CopyMessage(&table, 252, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "") << "a short message section gives an empty text";
}

TEST(StringLookup, Message220IsUnscrambledAndTheTableKeptAsStored) {
  std::string plain = "Setup of Example";
  std::string table(63, '\0');  // 63 empty messages...
  std::string stored = plain;
  ScrambleMessage(&stored[0]);
  table.insert(30, stored);  // ...but message 220 (string 31) holds the text
  StringTableView view = {table.data(), static_cast<uint32_t>(table.size()), 0};
  char buffer[64];
  EXPECT_EQ(std::string(CopyMessage(&view, 220, buffer, sizeof buffer)), plain);
  EXPECT_EQ(std::string(CopyMessage(&view, 220, buffer, sizeof buffer)), plain);
  EXPECT_EQ(table.substr(30, stored.size()), stored);
}

}  // namespace
