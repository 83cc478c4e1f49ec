// tolvane lzari on real files: round trips, and every failure gives a
// message, a non-zero exit and no output file.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "lzari_samples.h"

namespace {

struct ToolRun {
  int status;
  std::string output;   // stdout and stderr together
};

ToolRun RunTool(const std::string& arguments) {
  std::string command = std::string(TOLVANE_BINARY_DIR) + "/bin/tolvane lzari " + arguments + " 2>&1";
  ToolRun run{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[512];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

class LzCli : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tolvane-lzari-cli-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(pattern));
    dir_ = pattern;
  }
  void TearDown() override {
    if (!dir_.empty()) std::system(("rm -rf '" + dir_ + "'").c_str());
  }
  std::string Path(const char* name) const { return dir_ + "/" + name; }
  std::string dir_;
};

TEST_F(LzCli, CompressThenDecompressRestoresTheFile) {
  // Larger than a launcher block: the tool is not bound to 65535 bytes.
  const std::vector<uint8_t> inputs[] = {{}, Bytes("x"), WordText(200000, 31)};
  for (const std::vector<uint8_t>& data : inputs) {
    SCOPED_TRACE(data.size());
    WriteFile(Path("in"), data);
    ToolRun compress = RunTool("compress " + Path("in") + " " + Path("block"));
    ASSERT_EQ(0, compress.status) << compress.output;
    ToolRun decompress = RunTool("decompress " + Path("block") + " " + Path("out"));
    ASSERT_EQ(0, decompress.status) << decompress.output;
    EXPECT_TRUE(ReadFileBytes(Path("out")) == data);
    std::vector<uint8_t> block = ReadFileBytes(Path("block"));
    ASSERT_GE(block.size(), 4u);
    EXPECT_EQ(data.size(), block[0] | block[1] << 8 | block[2] << 16 | uint32_t(block[3]) << 24);
  }
}

struct FailureCase {
  const char* name;
  std::vector<uint8_t> input;   // written to "in" first
  const char* arguments;        // IN and OUT stand for the two paths
  const char* message;          // part of what the tool must say
};

std::string Expand(std::string arguments, const std::string& in, const std::string& out) {
  for (size_t at; (at = arguments.find("IN")) != std::string::npos;) arguments.replace(at, 2, in);
  for (size_t at; (at = arguments.find("OUT")) != std::string::npos;) arguments.replace(at, 3, out);
  return arguments;
}

TEST_F(LzCli, FailuresSayWhatIsWrongAndWriteNothing) {
  std::vector<uint8_t> text = WordText(5000, 32);
  std::vector<uint8_t> block;
  {
    WriteFile(Path("text"), text);
    ASSERT_EQ(0, RunTool("compress " + Path("text") + " " + Path("good")).status);
    block = ReadFileBytes(Path("good"));
  }
  std::vector<uint8_t> truncated(block.begin(), block.end() - 1);
  const FailureCase kCases[] = {
      {"TruncatedStream", truncated, "decompress IN OUT", "truncated block"},
      {"OnlyPartOfTheSize", {1, 0}, "decompress IN OUT", "truncated block"},
      {"MissingInput", {}, "decompress IN.missing OUT", "cannot open"},
      {"OutputDirectoryMissing", text, "compress IN OUT/none/out", "cannot create"},
  };
  for (const FailureCase& c : kCases) {
    SCOPED_TRACE(c.name);
    WriteFile(Path("in"), c.input);
    std::string out = Path("out");
    ToolRun run = RunTool(Expand(c.arguments, Path("in"), out));
    EXPECT_NE(0, run.status);
    EXPECT_NE(std::string::npos, run.output.find(c.message)) << run.output;
    EXPECT_FALSE(Exists(out));
  }
}

TEST_F(LzCli, RefusesInputOfFourGibibytes) {
  // Sparse: costs no disk; the tool must refuse it before reading.
  int fd = creat(Path("huge").c_str(), 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(0, ftruncate(fd, 4294967296LL));
  close(fd);
  ToolRun run = RunTool("compress " + Path("huge") + " " + Path("out"));
  EXPECT_EQ(1, run.status);
  EXPECT_NE(std::string::npos, run.output.find("at most 4294967295")) << run.output;
  EXPECT_FALSE(Exists(Path("out")));
}

TEST_F(LzCli, UsageAndHelp) {
  ToolRun help = RunTool("--help");
  EXPECT_EQ(0, help.status);
  EXPECT_NE(std::string::npos, help.output.find("tolvane lzari compress IN OUT"));
  ToolRun wrong = RunTool("squeeze a b");
  EXPECT_EQ(2, wrong.status);
  EXPECT_NE(std::string::npos, wrong.output.find("usage:"));
}

}  // namespace
