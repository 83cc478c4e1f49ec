// Damaged and hostile packages: list and extract report the damage with
// one message and exit code 1, never crash, and never write outside the
// output directory.
#include <dirent.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/package/byte_order.h"
#include "engine/package/layout.h"
#include "lzari/encoder.h"
#include "package_fixture.h"
#include "tools/package_image.h"
#include "tools/record_walker.h"

namespace {

using namespace package_test;

std::string Quote(const std::string& path) { return "'" + path + "'"; }

std::vector<uint8_t> FileRecord(const std::string& name, const std::string& content, size_t filler = 0) {
  std::vector<uint8_t> record = RecordBytes(kRecordFile, name);
  Append(&record, LzEncodeRecordBody(reinterpret_cast<const uint8_t*>(content.data()), content.size()));
  record.resize(record.size() + filler, 0);
  return record;
}

std::vector<uint8_t> EndRecord() {
  std::vector<uint8_t> record(kRecordHeaderSize, 0);
  record[0] = kRecordEnd;
  return record;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> all;
  for (const auto& part : parts) Append(&all, part);
  return all;
}

// An installer whose record stream is exactly stream.
std::string CraftInstaller(const ScratchDir& dir, const std::vector<uint8_t>& stream, uint32_t totalSize) {
  WriteText(dir / "p.tvp", "[Setup]\nTitle=T\nDefaultDir=T\n");
  BuiltPackage built;
  EXPECT_TRUE(BuildInProcess(dir / "p.tvp", &built)) << built.error;
  built.stream.bytes = stream;
  built.stream.decodedTotal = totalSize;
  std::string error;
  EXPECT_TRUE(WriteInstaller(built, 0, dir.path, &error)) << error;
  return dir / "setup.exe";
}

std::set<std::string> Entries(const std::string& path) {
  std::set<std::string> names;
  if (DIR* d = opendir(path.c_str())) {
    while (dirent* e = readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.insert(e->d_name);
    closedir(d);
  }
  return names;
}

TEST(PackageDamage, BadRecordsAreReportedAndNothingLeavesTheOutputDirectory) {
  const std::string ok = "ok";
  std::vector<uint8_t> longName = RecordBytes(kRecordFile, std::string(300, 'n'));
  std::vector<uint8_t> nulName = FileRecord(std::string("a\0b", 3), ok);
  std::vector<uint8_t> cutStream = FileRecord("a.txt", std::string(500, 'z'));
  cutStream.resize(cutStream.size() - 3);
  std::vector<uint8_t> endWithBytes = EndRecord();
  endWithBytes[9] = 1;
  const struct {
    const char* name;
    std::vector<uint8_t> stream;
    uint32_t totalSize;
    const char* problem;
  } cases[] = {
      {"type 5", Join({RecordBytes(5, ""), EndRecord()}), 0, "unknown record type 5"},
      {"type 0", Join({RecordBytes(0, ""), EndRecord()}), 0, "unknown record type 0"},
      {"zero type after filler", Join({FileRecord("a.txt", ok), RecordBytes(0, "", 0, 0x30), EndRecord()}), 2,
       "unknown record type 48"},
      {"long name", Join({longName, EndRecord()}), 0, "record name of 300 bytes"},
      {"empty name", Join({FileRecord("", ok), EndRecord()}), 2, "record name of 0 bytes"},
      {"NUL in name", Join({nulName, EndRecord()}), 2, "NUL byte"},
      {"dot dot dir", Join({RecordBytes(kRecordDirectory, ".."), FileRecord("evil.txt", ok), EndRecord()}), 2, "'..'"},
      {"dot dot file", Join({FileRecord("..\\evil.txt", ok), EndRecord()}), 2, "'..'"},
      {"slash dot dot", Join({FileRecord("a/../../evil.txt", ok), EndRecord()}), 2, "'..'"},
      {"drive", Join({FileRecord("C:\\evil.txt", ok), EndRecord()}), 2, "does not allow"},
      {"rooted", Join({FileRecord("\\evil.txt", ok), EndRecord()}), 2, "empty path component"},
      {"quoted drive", Join({FileRecord("\"C:\\evil.txt\"", ok), EndRecord()}), 2, "does not start with %installpath%"},
      {"quoted dot dot", Join({FileRecord("\"%installpath%\\..\\evil.txt\"", ok), EndRecord()}), 2, "'..'"},
      {"unclosed quote", Join({FileRecord("\"%syspath%\\evil.txt", ok), EndRecord()}), 2, "closing quote"},
      {"inner variable", Join({FileRecord("\"%installpath%\\a%SYSPATH%\"", ok), EndRecord()}), 2, "path variable inside"},
      {"up at top", Join({RecordBytes(kRecordUp, "", 0, 0x10, 3), EndRecord()}), 0, "no directory open"},
      {"up length", Join({RecordBytes(kRecordDirectory, "dir"), RecordBytes(kRecordUp, "", 0, 0x10, 4), EndRecord()}), 0,
       "does not match directory dir"},
      {"open at end", Join({RecordBytes(kRecordDirectory, "dir"), EndRecord()}), 0, "still open"},
      {"filler", Join({FileRecord("a.txt", ok, 5), EndRecord()}), 2, "5 zero bytes after a.txt"},
      {"after end", Join({EndRecord(), std::vector<uint8_t>(3, 7)}), 0, "3 bytes after the end record"},
      {"total short", Join({FileRecord("a.txt", ok), EndRecord()}), 3, "totalSize is 3 but the files add up to 2"},
      {"total exceeded", Join({FileRecord("a.txt", ok), EndRecord()}), 1, "more than totalSize"},
      {"end bytes", Join({endWithBytes}), 0, "non-zero bytes"},
      {"no end", Join({FileRecord("a.txt", ok)}), 2, "stream ends inside a record header"},
      {"cut stream", cutStream, 500, "stream ends inside the compressed data of a.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    std::string setup = CraftInstaller(dir, c.stream, c.totalSize);
    for (const char* command : {"list ", "extract "}) {
      ToolRun run = RunTool(command + Quote(setup) + (command[0] == 'e' ? " -C " + Quote(dir / "out/deeper") : ""));
      EXPECT_EQ(run.status, 1) << command;
      EXPECT_NE(run.err.find("damaged package: "), std::string::npos) << run.err;
      EXPECT_NE(run.err.find(c.problem), std::string::npos) << run.err;
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
    }
    EXPECT_EQ(Entries(dir.path), (std::set<std::string>{"p.tvp", "setup.exe", "out"}));
    EXPECT_EQ(Entries(dir / "out"), std::set<std::string>{"deeper"});
    EXPECT_FALSE(Exists(dir / "out/deeper/evil.txt"));
  }
}

// A package in many small volumes, for damage to the volumes themselves.
struct VolumeFixture {
  ScratchDir dir;
  VolumeFixture() {
    MakeStubs(dir / "stubs");
    for (int i = 0; i < 6; i++) WriteBytes(dir / ("src/f" + std::to_string(i) + ".bin"), NoiseBytes(300, i));
    WriteText(dir / "texts/licence.txt", "Licence text.\r\n");
    WriteText(dir / "p.tvp", "[Setup]\nTitle=T\nDefaultDir=T\nLicence=texts/licence.txt\nVolumeSize=700\n"
                             "[File]\nSource=src\n" + ShortMessages());
    ToolRun build = RunTool("build " + Quote(dir / "p.tvp") + " -o " + Quote(dir / "out") + " --stubs " +
                            Quote(dir / "stubs"));
    EXPECT_EQ(build.status, 0) << build.err;
    EXPECT_TRUE(Exists(dir / "out/disk3.pak"));
  }
  std::string Volume(int n) const { return dir / ("out/disk" + std::to_string(n) + ".pak"); }
  int LastVolume() const {
    int n = 1;
    while (Exists(Volume(n + 1))) n++;
    return n;
  }
  ToolRun Extract() const { return RunTool("extract " + Quote(dir / "out/setup.exe") + " -C " + Quote(dir / "x")); }
};

TEST(PackageDamage, VolumeFaultsNameTheVolume) {
  const struct {
    const char* name;
    void (*damage)(const VolumeFixture& f);
    const char* problem;
  } cases[] = {
      {"truncated volume",
       [](const VolumeFixture& f) {
         std::vector<uint8_t> v = ReadBytes(f.Volume(2));
         v.resize(v.size() - 10);
         WriteBytes(f.Volume(2), v);
       },
       "disk2.pak: its size word says"},
      {"truncated last volume with its size word fixed",
       [](const VolumeFixture& f) {
         std::vector<uint8_t> v = ReadBytes(f.Volume(f.LastVolume()));
         v.resize(v.size() - 10);
         StoreU32(v.data(), static_cast<uint32_t>(v.size()));
         WriteBytes(f.Volume(f.LastVolume()), v);
       },
       "the record stream ends early"},
      {"wrong size word",
       [](const VolumeFixture& f) {
         std::vector<uint8_t> v = ReadBytes(f.Volume(1));
         StoreU32(v.data(), static_cast<uint32_t>(v.size() + 1));
         WriteBytes(f.Volume(1), v);
       },
       "disk1.pak: its size word says"},
      {"missing volume", [](const VolumeFixture& f) { std::remove(f.Volume(3).c_str()); }, "disk3.pak does not exist"},
      {"licence offset",
       [](const VolumeFixture& f) {
         std::vector<uint8_t> v = ReadBytes(f.Volume(1));
         StoreU32(&v[4 + 22], LoadU32(&v[4 + 22]) + 1);
         WriteBytes(f.Volume(1), v);
       },
       "licence offset is"},
      {"licence size",
       [](const VolumeFixture& f) {
         std::vector<uint8_t> v = ReadBytes(f.Volume(1));
         StoreU32(&v[4 + 26], LoadU32(&v[4 + 26]) - 1);
         WriteBytes(f.Volume(1), v);
       },
       "licence size is"},
      {"string table past the volume",
       [](const VolumeFixture& f) {
         std::vector<uint8_t> v = ReadBytes(f.Volume(1));
         StoreU32(&v[4 + 4], 5000);
         WriteBytes(f.Volume(1), v);
       },
       "runs past the end of volume 1"},
      {"message section short",
       [](const VolumeFixture& f) {
         std::vector<uint8_t> v = ReadBytes(f.Volume(1));
         StoreU32(&v[4 + 65], LoadU32(&v[4 + 4]) - 3);
         WriteBytes(f.Volume(1), v);
       },
       "the message section"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    VolumeFixture f;
    ASSERT_EQ(f.Extract().status, 0) << "sound before the damage";
    c.damage(f);
    ToolRun run = f.Extract();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.problem), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
  }
}

TEST(PackageDamage, WrongFilesAreNamedPlainly) {
  VolumeFixture f;
  ToolRun later = RunTool("list " + Quote(f.Volume(2)));
  EXPECT_EQ(later.status, 1);
  EXPECT_NE(later.err.find("a later volume"), std::string::npos) << later.err;
  std::remove(f.Volume(1).c_str());
  ToolRun alone = RunTool("list " + Quote(f.dir / "out/setup.exe"));
  EXPECT_EQ(alone.status, 1);
  EXPECT_NE(alone.err.find("carries no package"), std::string::npos) << alone.err;
  ToolRun nothing = RunTool("extract " + Quote(f.dir / "nothing.exe") + " -C " + Quote(f.dir / "x"));
  EXPECT_EQ(nothing.status, 1);
}

TEST(PackageDamage, StaleVolumesBesideThePackageAreNotPartOfIt) {
  VolumeFixture f;
  int last = f.LastVolume();
  WriteBytes(f.Volume(last + 1), ReadBytes(f.Volume(2)));
  ToolRun run = f.Extract();
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST(PackageDamage, LinksInTheOutputDirectoryAreNotFollowed) {
  ScratchDir dir;
  std::string setup = CraftInstaller(dir, Join({FileRecord("a.txt", "new"), EndRecord()}), 3);
  MakeDirs(dir / "outside");
  MakeDirs(dir / "x");
  WriteText(dir / "outside/a.txt", "old");
  ASSERT_EQ(symlink((dir / "outside").c_str(), (dir / "x/installpath").c_str()), 0);
  ToolRun run = RunTool("extract " + Quote(setup) + " -C " + Quote(dir / "x"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("in the way of a directory"), std::string::npos) << run.err;

  std::remove((dir / "x/installpath").c_str());
  MakeDirs(dir / "x/installpath");
  ASSERT_EQ(symlink((dir / "outside/a.txt").c_str(), (dir / "x/installpath/a.txt").c_str()), 0);
  run = RunTool("extract " + Quote(setup) + " -C " + Quote(dir / "x"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot create"), std::string::npos) << run.err;
  std::vector<uint8_t> kept = ReadBytes(dir / "outside/a.txt");
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "old");
}

// Random damage to every part of a small package: the reader must answer
// each with success or a message, never read out of bounds or crash.
TEST(PackageDamage, RandomByteDamageNeverCrashesTheReader) {
  ScratchDir dir;
  WriteText(dir / "texts/licence.txt", "Licence: you may install this.\r\n");
  WriteText(dir / "src/a.txt", std::string(400, 'a') + "tail");
  WriteBytes(dir / "src/sub/b.bin", NoiseBytes(900, 5));
  WriteText(dir / "p.tvp", "[Setup]\nTitle=T\nDefaultDir=T\nLicence=texts/licence.txt\nVolumeSize=400\n"
                           "[File]\nSource=src\n[File]\nSource=src/a.txt\nDestination=%syspath%\n" + ShortMessages());
  BuiltPackage built;
  ASSERT_TRUE(BuildInProcess(dir / "p.tvp", &built)) << built.error;
  std::string error;
  ASSERT_TRUE(WriteInstaller(built, 400, dir.path, &error)) << error;
  std::vector<std::vector<uint8_t>> volumes;
  for (int n = 1; Exists(dir / ("disk" + std::to_string(n) + ".pak")); n++)
    volumes.push_back(ReadBytes(dir / ("disk" + std::to_string(n) + ".pak")));
  ASSERT_GE(volumes.size(), 3u);

  uint32_t seed = 12345;
  auto next = [&seed](uint32_t range) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % range;
  };
  int failures = 0;
  for (int round = 0; round < 400; round++) {
    size_t which = next(static_cast<uint32_t>(volumes.size()));
    std::vector<uint8_t> damaged = volumes[which];
    for (int k = 1 + static_cast<int>(next(3)); k > 0; k--)
      damaged[next(static_cast<uint32_t>(damaged.size()))] = static_cast<uint8_t>(next(256));
    std::string path = dir / ("disk" + std::to_string(which + 1) + ".pak");
    WriteBytes(path, damaged);
    PackageImage image;
    WalkTotals totals;
    bool ok = OpenPackage(dir / "disk1.pak", &image, &error) && WalkRecords(&image, RecordVisitor(), &totals, &error);
    if (!ok) {
      failures++;
      EXPECT_FALSE(error.empty());
    }
    WriteBytes(path, volumes[which]);
  }
  EXPECT_GT(failures, 300) << "most random damage is caught";
}

}  // namespace
