// Path variables and the text path helpers of the engine module.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/package/path_text.h"

namespace {

struct ExpandCase {
  const char* source;
  const char* installDir;
  const char* expected;
};

std::string Expand(const char* source, const char* installDir, int destSize = 256) {
  const PathVariableValues values = {installDir, "C:\\TEMP\\", "C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM"};
  char dest[600];
  std::memset(dest, 'x', sizeof dest);
  ExpandPathVariables(source, dest, destSize, values);
  EXPECT_EQ(dest[destSize], 'x') << "wrote past the destination";
  return dest;
}

TEST(ExpandPath, ReplacesVariablesAsTheTableSays) {
  const ExpandCase cases[] = {
      {"%INSTALLPATH%\\bin\\a.exe", "C:\\Example", "C:\\Example\\bin\\a.exe"},
      {"%installpath%\\bin\\a.exe", "C:\\Example\\", "C:\\Example\\bin\\a.exe"},
      {"%installpath%\\bin\\a.exe", "C:\\", "C:\\bin\\a.exe"},
      {"%temppath%", "C:\\Example", "C:\\TEMP"},
      {"%installpath%%syspath%", "C:\\A", "C:\\AC:\\WINDOWS\\SYSTEM"},
      {"%WinPath%\\win.ini", "", "C:\\WINDOWS\\win.ini"},
      {"%unknown%", "C:\\A", "%unknown%"},
      {"100%", "C:\\A", "100%"},
      {"%", "C:\\A", "%"},
      {"", "C:\\A", ""},
      {"x\\%installpath%", "", "x"},
      {"\"%installpath%\\readme.txt\"", "D:\\Apps", "\"D:\\Apps\\readme.txt\""},
      {"%installpath", "C:\\A", "%installpath"},
  };
  for (const ExpandCase& c : cases)
    EXPECT_EQ(Expand(c.source, c.installDir), c.expected) << c.source << " with " << c.installDir;
}

TEST(ExpandPath, LaterVariablesAreFoundInsideEarlierValuesButNotTheReverse) {
  // The install directory's value names %temppath%: replaced in its pass.
  EXPECT_EQ(Expand("%installpath%\\x", "%temppath%\\A"), "C:\\TEMP\\A\\x");
  // A temp value holding %installpath% stays: that pass is over.
  const PathVariableValues values = {"I", "%installpath%", "W", "S"};
  char dest[256];
  ExpandPathVariables("%temppath%", dest, sizeof dest, values);
  EXPECT_STREQ(dest, "%installpath%");
}

TEST(ExpandPath, TruncatesToTheDestination) {
  EXPECT_EQ(Expand("%installpath%\\name", "C:\\Example", 8), "C:\\Exam");
  std::string longSource(700, 'a');
  EXPECT_EQ(Expand(longSource.c_str(), "", 256), std::string(255, 'a'));
}

struct TextCase {
  const char* in;
  const char* out;
};

TEST(NoQuote, RemovesOneLeadingAndOneTrailingQuote) {
  const TextCase cases[] = {
      {"\"C:\\a b\\c.exe\"", "C:\\a b\\c.exe"}, {"\"abc", "abc"}, {"abc\"", "abc"},
      {"\"\"", ""}, {"\"", ""}, {"", ""}, {"plain", "plain"}, {"\"\"x\"\"", "\"x\""},
  };
  for (const TextCase& c : cases) {
    char text[64];
    std::strcpy(text, c.in);
    EXPECT_STREQ(NoQuote(text), c.out) << c.in;
  }
}

TEST(InQuote, QuotesOnlyANonEmptyUnquotedText) {
  const TextCase cases[] = {
      {"", ""}, {"abc", "\"abc\""}, {"\"abc", "\"abc"}, {"\"abc\"", "\"abc\""},
      {"a\"", "\"a\"\""},
  };
  for (const TextCase& c : cases) {
    char text[64];
    std::strcpy(text, c.in);
    EXPECT_STREQ(InQuote(text), c.out) << c.in;
  }
}

TEST(InQuote, StaysInsideAPathTextWhenTheTextIsFull) {
  char text[300];
  std::memset(text, 'g', sizeof text);
  std::memset(text, 'a', 255);
  text[255] = 0;
  InQuote(text);
  EXPECT_EQ(std::strlen(text), 255u);
  EXPECT_EQ(text[0], '"');
  EXPECT_EQ(text[254], '"');
  EXPECT_EQ(text[256], 'g') << "wrote past 256 bytes";
}

struct JoinCase {
  const char* directory;
  const char* name;
  int volume;
  const char* expected;
};

TEST(GetFullName, JoinsWithExactlyOneBackslash) {
  const JoinCase cases[] = {
      {"C:\\", "x", 0, "C:\\x"},
      {"C:", "\\x", 0, "C:\\x"},
      {"D:\\Setup", 0, 3, "D:\\Setup\\disk3.pak"},
      {"D:\\Setup", "ignored", 1, "D:\\Setup\\disk1.pak"},
      {"C:\\Program Files", "Example", 0, "C:\\Program Files\\Example"},
      {"C:\\Program Files\\", "\\Example", 0, "C:\\Program Files\\Example"},
      {"c:\\", "", 0, "c:\\"},
      {"C:\\a", "\\\\b", 0, "C:\\a\\\\b"},
      {"E:", 0, 12, "E:\\disk12.pak"},
  };
  for (const JoinCase& c : cases) {
    char dest[256];
    EXPECT_STREQ(GetFullName(dest, c.directory, c.name, c.volume), c.expected)
        << c.directory << " + " << (c.name ? c.name : "(none)") << " volume " << c.volume;
  }
}

TEST(GetFullName, DestinationMayBeTheDirectory) {
  char text[256] = "C:\\Apps";
  EXPECT_STREQ(GetFullName(text, text, "Example", 0), "C:\\Apps\\Example");
}

TEST(GetFullName, TruncatesInsideAPathText) {
  std::string directory(300, 'd');
  char dest[300];
  std::memset(dest, 'g', sizeof dest);
  GetFullName(dest, directory.c_str(), "name", 0);
  EXPECT_EQ(std::strlen(dest), 255u);
  EXPECT_EQ(dest[256], 'g');
}

struct SlashCase {
  const char* in;
  int flag;
  const char* out;
};

TEST(EndSlash, AddsOrRemovesAtMostOneBackslash) {
  const SlashCase cases[] = {
      {"C:\\a", 1, "C:\\a\\"}, {"C:\\a\\", 1, "C:\\a\\"}, {"C:\\a\\", 0, "C:\\a"},
      {"C:\\a\\\\", 0, "C:\\a\\"}, {"C:\\a", 0, "C:\\a"}, {"", 1, "\\"}, {"", 0, ""},
  };
  for (const SlashCase& c : cases) {
    char text[64];
    std::strcpy(text, c.in);
    EXPECT_STREQ(EndSlash(text, c.flag), c.out) << c.in << " flag " << c.flag;
  }
}

TEST(EndSlash, DoesNotGrowAFullPathText) {
  char text[300];
  std::memset(text, 'g', sizeof text);
  std::memset(text, 'a', 255);
  text[255] = 0;
  EndSlash(text, 1);
  EXPECT_EQ(std::strlen(text), 255u);
  EXPECT_EQ(text[256], 'g');
}

}  // namespace
