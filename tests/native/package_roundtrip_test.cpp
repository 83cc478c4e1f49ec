// tolvane build, list and extract end to end, with stand-in stubs: the
// installer layout, text blocks, volumes split inside records, and
// byte-identical rebuilds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/package/byte_order.h"
#include "engine/package/header_bytes.h"
#include "engine/package/layout.h"
#include "lzari/buffer_decoder.h"
#include "lzari/encoder.h"
#include "package_fixture.h"
#include "tools/package_image.h"
#include "tools/record_walker.h"

namespace {

using namespace package_test;

const char kFixedTime[] = "2000-07-07 11:50:30";
const time_t kFixedUnixTime = 962970630;

std::string Quote(const std::string& path) { return "'" + path + "'"; }

std::string Build(const ScratchDir& dir, const std::string& project, const std::string& out,
                  const std::string& extra = "") {
  return "build " + Quote(project) + " -o " + Quote(out) + " --stubs " + Quote(dir / "stubs") + " " + extra;
}

PackageHeader HeaderAt(const std::vector<uint8_t>& file, size_t base) {
  PackageHeader h;
  LoadPackageHeader(&file[base + kVolumeSizeWordSize], &h);
  return h;
}

TEST(PackageRoundTrip, SingleFileInstaller) {
  ScratchDir dir;
  MakeStubs(dir / "stubs");
  std::vector<uint8_t> content = NoiseBytes(3000, 1);
  WriteBytes(dir / "src/hello.bin", content);
  WriteText(dir / "p.tvp", std::string("[Setup]\nTitle=Hello\nDefaultDir=Hello\nFileTime=") + kFixedTime +
                               "\n[File]\nSource=src/hello.bin\nAttributes=readonly+archive\nOverwrite=keep\n");
  ToolRun build = RunTool(Build(dir, dir / "p.tvp", dir / "out"));
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_NE(build.out.find("files: 1, bytes in: 3000"), std::string::npos) << build.out;

  std::vector<uint8_t> setup = ReadBytes(dir / "out/setup.exe");
  std::vector<uint8_t> launcher = ReadBytes(dir / "stubs/launcher.exe");
  std::vector<uint8_t> engine = ReadBytes(dir / "stubs/tolvaeng.dll");
  ASSERT_GT(setup.size(), static_cast<size_t>(kPackageBase));
  EXPECT_TRUE(std::equal(launcher.begin(), launcher.end(), setup.begin()));
  for (size_t i = launcher.size(); i < kLauncherImageSize; i++) ASSERT_EQ(setup[i], 0) << "launcher padding at " << i;
  std::vector<uint8_t> block = LzEncodeBlock(engine.data(), engine.size());
  EXPECT_TRUE(std::equal(block.begin(), block.end(), setup.begin() + kEngineBlockOffset));
  for (size_t i = kEngineBlockOffset + block.size(); i < kPackageBase; i++) ASSERT_EQ(setup[i], 0x30) << "at " << i;

  EXPECT_EQ(LoadU32(&setup[kPackageBase]), setup.size()) << "size word is the file's length";
  PackageHeader h = HeaderAt(setup, kPackageBase);
  EXPECT_EQ(+h.totalSize, 3000u);
  EXPECT_EQ(+h.licenceSize, 0u);
  EXPECT_EQ(+h.readmeSize, 0u);
  EXPECT_EQ(+h.writeLog, 1);
  const uint8_t end[kRecordHeaderSize] = {kRecordEnd};
  EXPECT_TRUE(std::equal(end, end + kRecordHeaderSize, setup.end() - kRecordHeaderSize)) << "end record last";

  RecordHeader first;
  LoadRecordHeader(&setup[kPackageBase + 4 + kPackageHeaderSize + h.stringsSize], &first);
  EXPECT_EQ(+first.type, kRecordFile);
  EXPECT_EQ(+first.overwriteMode, kOverwriteKeep);
  EXPECT_EQ(+first.attributes, 0x21u);
  EXPECT_EQ(+first.fileTime, 0x01BFE8098C8C0700ULL);

  ToolRun list = RunTool("list " + Quote(dir / "out/setup.exe"));
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_NE(list.out.find("file hello.bin  3000 ->"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find(kFixedTime), std::string::npos);

  ToolRun extract = RunTool("extract " + Quote(dir / "out/setup.exe") + " -C " + Quote(dir / "x"));
  ASSERT_EQ(extract.status, 0) << extract.err;
  EXPECT_EQ(ReadBytes(dir / "x/installpath/hello.bin"), content);
  struct stat info;
  ASSERT_EQ(stat((dir / "x/installpath/hello.bin").c_str(), &info), 0);
  EXPECT_EQ(info.st_mtime, kFixedUnixTime);
}

// Licence and readme are the first two records; the header points at them
// in the file that holds volume 1, with whole-record sizes.
TEST(PackageRoundTrip, TextBlocksComeFirstAndTheHeaderPointsAtThem) {
  ScratchDir dir;
  MakeStubs(dir / "stubs");
  std::string licence = "LICENCE\r\n", readme = "README\r\n";
  for (int i = 0; i < 40; i++) licence += "Clause " + std::to_string(i) + ": you may use this program.\r\n";
  for (int i = 0; i < 30; i++) readme += "Note " + std::to_string(i) + ": read this first.\r\n";
  WriteText(dir / "texts/license.txt", licence);
  WriteText(dir / "texts/readme.txt", readme);
  WriteText(dir / "src/a.txt", "a");
  std::string project = std::string("[Setup]\nTitle=T\nDefaultDir=T\nLicence=texts/license.txt\nReadme=texts/readme.txt\n") +
                        "FileTime=" + kFixedTime + "\n[File]\nSource=src/a.txt\n";
  WriteText(dir / "one.tvp", project);
  WriteText(dir / "vol.tvp", std::string(project).replace(project.find("FileTime"), 0, "VolumeSize=100K\n"));

  for (const char* name : {"one", "vol"}) {
    SCOPED_TRACE(name);
    std::string out = dir / (std::string("out-") + name);
    ToolRun build = RunTool(Build(dir, dir / (std::string(name) + ".tvp"), out));
    ASSERT_EQ(build.status, 0) << build.err;
    bool volumes = std::string(name) == "vol";
    std::vector<uint8_t> file = ReadBytes(out + (volumes ? "/disk1.pak" : "/setup.exe"));
    size_t base = volumes ? 0 : kPackageBase;
    if (volumes) {
      EXPECT_EQ(ReadBytes(out + "/setup.exe").size(), static_cast<size_t>(kPackageBase));
    }
    PackageHeader h = HeaderAt(file, base);
    EXPECT_EQ(+h.licenceOffset, base + 4 + kPackageHeaderSize + h.stringsSize);
    EXPECT_EQ(+h.readmeOffset, h.licenceOffset + h.licenceSize);
    EXPECT_EQ(+h.totalSize, licence.size() + readme.size() + 1);

    const struct {
      uint32_t offset, size;
      const char* name;
      const std::string* text;
    } blocks[] = {{h.licenceOffset, h.licenceSize, "\"%installpath%\\license.txt\"", &licence},
                  {h.readmeOffset, h.readmeSize, "\"%installpath%\\readme.txt\"", &readme}};
    for (const auto& b : blocks) {
      RecordHeader record;
      LoadRecordHeader(&file[b.offset], &record);
      ASSERT_EQ(record.type, kRecordFile);
      std::string storedName(file.begin() + b.offset + 16, file.begin() + b.offset + 16 + record.nameLength);
      EXPECT_EQ(storedName, b.name);
      // The engine reads the body that follows the name: size word and stream.
      size_t body = b.offset + 16 + record.nameLength, bodySize = b.size - 16 - record.nameLength;
      std::vector<uint8_t> decoded;
      size_t consumed;
      ASSERT_EQ(LzDecodeBuffer(&file[body + 4], bodySize - 4, LoadU32(&file[body]), &decoded, &consumed), kLzOk);
      EXPECT_EQ(consumed, bodySize - 4) << "the whole-record size ends exactly at the stream's end";
      EXPECT_EQ(std::string(decoded.begin(), decoded.end()), *b.text);
    }
    ToolRun extract = RunTool("extract " + Quote(out + (volumes ? "/disk1.pak" : "/setup.exe")) + " -C " +
                              Quote(out + "/x"));
    ASSERT_EQ(extract.status, 0) << extract.err;
    EXPECT_EQ(ReadBytes(out + "/x/installpath/license.txt"), std::vector<uint8_t>(licence.begin(), licence.end()));
  }
}

// Which part of a record each volume boundary falls into.
struct Crossings {
  bool header = false, name = false, stream = false;
  bool all() const { return header && name && stream; }
};

Crossings FindCrossings(const std::string& setupPath) {
  Crossings found;
  PackageImage image;
  std::string error;
  if (!OpenPackage(setupPath, &image, &error)) return found;
  std::vector<WalkedRecord> records;
  WalkTotals totals;
  auto keep = [&](const WalkedRecord& r, std::string*) {
    WalkedRecord copy = r;
    copy.data = nullptr;
    records.push_back(copy);
    return true;
  };
  if (!WalkRecords(&image, keep, &totals, &error)) return found;
  for (const PackageVolume& v : image.volumes) {
    uint64_t b = v.streamBegin;  // a volume starts inside the record that holds this byte
    for (const WalkedRecord& r : records) {
      uint64_t nameAt = r.offset + kRecordHeaderSize, streamAt = nameAt + r.name.size() + 4;
      if (b > r.offset && b < nameAt) found.header = true;
      if (r.header.type == kRecordFile && b > nameAt && b < nameAt + r.name.size()) found.name = true;
      if (r.header.type == kRecordFile && b > streamAt && b < r.offset + r.length) found.stream = true;
    }
  }
  return found;
}

TEST(PackageRoundTrip, TinyVolumesSplitHeadersNamesAndStreams) {
  ScratchDir dir;
  MakeStubs(dir / "stubs");
  std::string files;
  std::vector<std::pair<std::string, std::vector<uint8_t>>> sources;
  for (int i = 0; i < 24; i++) {
    std::string name = "file-" + std::to_string(i) + "-" + std::string(60 + 7 * i, 'a' + i % 26) + ".dat";
    sources.emplace_back(name, NoiseBytes(static_cast<size_t>(20 + 13 * i), static_cast<uint32_t>(i)));
    WriteBytes(dir / ("src/" + name), sources.back().second);
  }
  WriteText(dir / "src/sub/empty.txt", "");
  std::string keys = std::string("Title=T\nDefaultDir=T\nFileTime=") + kFixedTime +
                     "\n[File]\nSource=src\nDestination=data\n" + ShortMessages();

  // Volume 1 holds the fixed part; later volumes are as small as the
  // search finds that a boundary falls inside a header, a name and a stream.
  WriteText(dir / "probe.tvp", "[Setup]\n" + keys);
  BuiltPackage probe;
  ASSERT_TRUE(BuildInProcess(dir / "probe.tvp", &probe)) << probe.error;
  uint64_t fixed = 4 + kPackageHeaderSize + probe.strings.size();
  uint64_t volumeSize = 0;
  for (uint64_t size = fixed + 1; size < fixed + 400 && !volumeSize; size++) {
    ScratchDir trial;
    std::string error;
    ASSERT_TRUE(WriteInstaller(probe, size, trial.path, &error)) << error;
    if (FindCrossings(trial / "disk1.pak").all()) volumeSize = size;
  }
  ASSERT_NE(volumeSize, 0u) << "no volume size splits all three kinds of record part";

  WriteText(dir / "p.tvp", "[Setup]\nVolumeSize=" + std::to_string(volumeSize) + "\n" + keys);
  ToolRun build = RunTool(Build(dir, dir / "p.tvp", dir / "out"));
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(ReadBytes(dir / "out/setup.exe").size(), static_cast<size_t>(kPackageBase));
  int volumes = 0;
  for (int n = 1; Exists(dir / ("out/disk" + std::to_string(n) + ".pak")); n++, volumes++) {
    std::vector<uint8_t> volume = ReadBytes(dir / ("out/disk" + std::to_string(n) + ".pak"));
    EXPECT_LE(volume.size(), volumeSize);
    EXPECT_EQ(LoadU32(volume.data()), volume.size()) << "disk" << n;
  }
  EXPECT_GT(volumes, 10);
  EXPECT_NE(build.out.find("volumes: " + std::to_string(volumes)), std::string::npos) << build.out;
  EXPECT_TRUE(FindCrossings(dir / "out/disk1.pak").all());

  ToolRun list = RunTool("list " + Quote(dir / "out/disk1.pak"));
  EXPECT_EQ(list.status, 0) << list.err;
  ToolRun extract = RunTool("extract " + Quote(dir / "out/setup.exe") + " -C " + Quote(dir / "x"));
  ASSERT_EQ(extract.status, 0) << extract.err;
  for (const auto& source : sources) EXPECT_EQ(ReadBytes(dir / ("x/installpath/data/" + source.first)), source.second);
  EXPECT_TRUE(Exists(dir / "x/installpath/data/sub/empty.txt"));
}

TEST(PackageRoundTrip, RebuildsAreByteIdentical) {
  ScratchDir dir;
  MakeStubs(dir / "stubs");
  std::string demo = std::string(TOLVANE_SOURCE_DIR) + "/examples/demo/demo.tvp";
  ToolRun first = RunTool(Build(dir, demo, dir / "a"));
  ASSERT_EQ(first.status, 0) << first.err;
  ToolRun second = RunTool(Build(dir, demo, dir / "b", "--quiet"));
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(second.out, "");
  EXPECT_EQ(ReadBytes(dir / "a/setup.exe"), ReadBytes(dir / "b/setup.exe"));

  // With volumes, and with the sources' own time stamps.
  std::system(("cp -r '" + std::string(TOLVANE_SOURCE_DIR) + "/examples/demo' '" + (dir / "demo") + "'").c_str());
  std::vector<uint8_t> text = ReadBytes(demo);
  std::string project(text.begin(), text.end());
  size_t time = project.find("FileTime=");
  project.replace(time, project.find('\n', time) - time, "FileTime=source\nVolumeSize=3000");
  WriteText(dir / "demo/volumes.tvp", project);
  ToolRun third = RunTool(Build(dir, dir / "demo/volumes.tvp", dir / "c"));
  ToolRun fourth = RunTool(Build(dir, dir / "demo/volumes.tvp", dir / "d"));
  ASSERT_EQ(third.status, 0) << third.err;
  ASSERT_EQ(fourth.status, 0) << fourth.err;
  ASSERT_TRUE(Exists(dir / "c/disk2.pak"));
  for (int n = 0; n == 0 || Exists(dir / ("c/disk" + std::to_string(n) + ".pak")); n++) {
    std::string name = n ? "disk" + std::to_string(n) + ".pak" : "setup.exe";
    EXPECT_EQ(ReadBytes(dir / ("c/" + name)), ReadBytes(dir / ("d/" + name))) << name;
  }
}

TEST(PackageRoundTrip, DemoListsEverythingItHolds) {
  ScratchDir dir;
  MakeStubs(dir / "stubs");
  ToolRun build = RunTool(Build(dir, std::string(TOLVANE_SOURCE_DIR) + "/examples/demo/demo.tvp", dir / "out"));
  ASSERT_EQ(build.status, 0) << build.err;
  ToolRun list = RunTool("list " + Quote(dir / "out/setup.exe"));
  ASSERT_EQ(list.status, 0) << list.err;
  for (const char* expected :
       {"\"Uninstall Tolvane Demo\" \"\"%installpath%\\uninstal.exe\"\"", "\"HKEY_LOCAL_MACHINE\" \"SOFTWARE\\Tolvane Demo\"",
        "\"%winpath%\\demo.ini\" \"Settings\" \"Dir\"", "220 \"Installing Tolvane Demo, please wait...\"",
        "file \"%installpath%\\license.txt\"", "dir  bin\\", "    file demo.exe", "file \"%syspath%\\demoext.dll\"",
        "overwrite ask", "tailLogPath      yes"})
    EXPECT_NE(list.out.find(expected), std::string::npos) << expected << "\n" << list.out;
  ToolRun extract = RunTool("extract " + Quote(dir / "out/setup.exe") + " -C " + Quote(dir / "x"));
  ASSERT_EQ(extract.status, 0) << extract.err;
  EXPECT_TRUE(Exists(dir / "x/syspath/demoext.dll"));
  EXPECT_TRUE(Exists(dir / "x/installpath/help/usage.htm"));
  EXPECT_TRUE(Exists(dir / "x/installpath/uninstal.exe"));
}

// What the installer cannot take is refused, and nothing is written.
TEST(PackageRoundTrip, RefusesWhatTheInstallerCannotTake) {
  ScratchDir dir;
  WriteText(dir / "src/a.txt", "a");
  std::string bigText(70000, 'x');
  WriteText(dir / "texts/huge.txt", bigText);
  std::vector<uint8_t> noise = NoiseBytes(33000, 3);
  WriteBytes(dir / "texts/noise.txt", noise);
  const std::string setup = "[Setup]\nTitle=T\nDefaultDir=T\n";
  const std::string file = "[File]\nSource=src/a.txt\n";
  const struct {
    const char* name;
    std::string project;
    size_t launcherSize, engineSize;
    const char* problem;
  } cases[] = {
      {"launcher", setup + file, 19969, 12000, "launcher's place holds 19968"},
      {"engine", setup + file, 4096, 0, "the engine block holds 33400"},
      {"licence body", setup + "Licence=texts/noise.txt\n" + file, 4096, 12000, "a text block holds at most 32000"},
      {"readme decoded", setup + "Readme=texts/huge.txt\n" + file, 4096, 12000, "at most 65279"},
      {"volume", setup + "VolumeSize=1K\n" + file, 4096, 12000, "too small"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string stubs = dir / (std::string("stubs-") + c.name);
    MakeStubs(stubs, c.launcherSize, c.engineSize ? c.engineSize : 100);
    if (!c.engineSize) {
      std::vector<uint8_t> engine = NoiseBytes(40000, 9);
      engine[0] = 'M', engine[1] = 'Z';
      WriteBytes(stubs + "/tolvaeng.dll", engine);
    }
    WriteText(dir / "p.tvp", c.project);
    WriteText(dir / "out/setup.exe", "previous build");
    ToolRun run = RunTool("build " + Quote(dir / "p.tvp") + " -o " + Quote(dir / "out") + " --stubs " + Quote(stubs));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.problem), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
    std::vector<uint8_t> kept = ReadBytes(dir / "out/setup.exe");
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "previous build");
    EXPECT_FALSE(Exists(dir / "out/disk1.pak"));
  }
  ToolRun missing = RunTool("build " + Quote(dir / "p.tvp") + " --stubs " + Quote(dir / "nowhere"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("launcher.exe"), std::string::npos) << missing.err;
}

TEST(PackageRoundTrip, EveryCommandExplainsItself) {
  for (const char* command : {"build", "list", "extract"}) {
    ToolRun help = RunTool(std::string(command) + " --help");
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_NE(help.out.find(std::string("usage: tolvane ") + command), std::string::npos);
    ToolRun bare = RunTool(command);
    EXPECT_EQ(bare.status, 2) << command;
  }
}

}  // namespace
