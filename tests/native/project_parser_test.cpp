// Project files: every error names the file and the line and says what is
// wrong; good files get their defaults.
#include <gtest/gtest.h>

#include <string>

#include "package_fixture.h"
#include "tools/install_tree.h"
#include "tools/project.h"

namespace {

using package_test::ScratchDir;
using package_test::MakeDirs;
using package_test::WriteText;

const char kSetup[] = "[Setup]\nTitle=Example\nDefaultDir=Example\n";  // lines 1-3

std::string ParseError(const std::string& text) {
  Project project;
  std::string error;
  EXPECT_FALSE(ParseProjectText("bad.tvp", text, &project, &error)) << text;
  return error;
}

TEST(ProjectParser, ErrorsNameFileLineAndProblem) {
  const std::string longText(256, 'x');
  const struct {
    std::string text;
    const char* where;
    const char* problem;
  } cases[] = {
      {"Title=x\n", "bad.tvp:1:", "before the first [section]"},
      {"[Setup\n", "bad.tvp:1:", "closing ']'"},
      {"[Setup] x\n", "bad.tvp:1:", "after the section"},
      {"; comment\n[Nonsense]\n", "bad.tvp:2:", "unknown section [Nonsense]"},
      {std::string(kSetup) + "Colour=red\n", "bad.tvp:4:", "unknown key 'Colour'"},
      {std::string(kSetup) + "just words\n", "bad.tvp:4:", "expected key=value"},
      {std::string(kSetup) + "=value\n", "bad.tvp:4:", "no key"},
      {std::string(kSetup) + "title=Again\n", "bad.tvp:4:", "given twice in [Setup] (first at line 2)"},
      {std::string(kSetup) + "[setup]\n", "bad.tvp:4:", "section [setup] given twice"},
      {std::string(kSetup) + "FullScreen=maybe\n", "bad.tvp:4:", "expected yes or no"},
      {std::string(kSetup) + "BackgroundColour=0,0,256\n", "bad.tvp:4:", "colour"},
      {std::string(kSetup) + "TitleColour=#12345G\n", "bad.tvp:4:", "colour"},
      {std::string(kSetup) + "VolumeSize=1.44M\n", "bad.tvp:4:", "whole number followed by K or M"},
      {std::string(kSetup) + "VolumeSize=5000000K\n", "bad.tvp:4:", "at most 4294967295"},
      {std::string(kSetup) + "FileTime=yesterday\n", "bad.tvp:4:", "YYYY-MM-DD HH:MM:SS"},
      {std::string(kSetup) + "FileTime=2023-02-29 00:00:00\n", "bad.tvp:4:", "YYYY-MM-DD HH:MM:SS"},
      {std::string(kSetup) + "Caption=" + longText + "\n", "bad.tvp:4:", "at most 255"},
      {std::string(kSetup) + "TitleFont=" + std::string(32, 'f') + "\n", "bad.tvp:4:", "at most 31"},
      {std::string(kSetup) + "LicenceName=..\n", "bad.tvp:4:", "'..'"},
      {std::string(kSetup) + "ReadmeName=a\\b.txt\n", "bad.tvp:4:", "character Windows does not allow"},
      {std::string(kSetup) + "[Messages]\n300=x\n", "bad.tvp:5:", "not a message id"},
      {std::string(kSetup) + "[Messages]\n150=a\n150=b\n", "bad.tvp:6:", "message 150 given twice"},
      {std::string(kSetup) + "[Messages]\n220=caf\xF0\n", "bad.tvp:5:", "0xF0"},
      {std::string(kSetup) + "[Messages]\n151=" + longText + "\n", "bad.tvp:5:", "at most 255"},
      {"[Setup]\nDefaultDir=x\n", "bad.tvp:1:", "needs Title="},
      {"[Setup]\nTitle=x\n", "bad.tvp:1:", "needs DefaultDir="},
      {std::string(kSetup) + "WriteLog=yes\nLogPath=\n", "bad.tvp:5:", "LogPath is empty"},
      {std::string(kSetup) + "TailLogPath=yes\n", "bad.tvp:4:", "TailLogPath needs a [Shortcut]"},
      {std::string(kSetup) + "AfterCopyFunction=Setup\n", "bad.tvp:4:", "needs AfterCopy="},
      {std::string(kSetup) + "[Shortcut]\nName=App\nCommand=app.exe\n", "bad.tvp:1:", "no Group="},
      {std::string(kSetup) + "Group=Tools, Misc\n", "bad.tvp:4:", "outside double quotes"},
      {std::string(kSetup) + "Group=G\n[Shortcut]\nName=App (beta)\nCommand=a.exe\n", "bad.tvp:6:", "outside double quotes"},
      {std::string(kSetup) + "[Shortcut]\nCommand=a.exe\n", "bad.tvp:4:", "needs Name="},
      {std::string(kSetup) + "[Shortcut]\nName=a\nName=b\nCommand=c\n", "bad.tvp:6:", "given twice"},
      {std::string(kSetup) + "[Registry]\nRoot=HKEY_NOWHERE\nKey=Software\\x\n", "bad.tvp:5:", "unknown registry root"},
      {std::string(kSetup) + "[Registry]\nRoot=HKCU\nKey=x\nType=binary\n", "bad.tvp:7:", "string or number"},
      {std::string(kSetup) + "[Registry]\nRoot=HKCU\nKey=x\nType=number\nData=12abc\n", "bad.tvp:8:", "decimal number"},
      {std::string(kSetup) + "[Registry]\nRoot=HKCU\nKey=x\nType=number\nData=4294967296\n", "bad.tvp:8:", "decimal number"},
      {std::string(kSetup) + "[IniEntry]\nFile=%winpath%\\a.ini\nKey=k\n", "bad.tvp:4:", "needs Section="},
      {std::string(kSetup) + "[File]\nDestination=bin\n", "bad.tvp:4:", "needs Source="},
      {std::string(kSetup) + "[File]\nSource=a\nOverwrite=sometimes\n", "bad.tvp:6:", "always, keep or ask"},
      {std::string(kSetup) + "[File]\nSource=a\nAttributes=readonly+shiny\n", "bad.tvp:6:", "unknown attribute 'shiny'"},
      {std::string(kSetup) + "[File]\nSource=a\nAttributes=0x100\n", "bad.tvp:6:", "bits other than"},
      {std::string(kSetup) + "[File]\nSource=a\nName=con.txt\n", "bad.tvp:6:", "device name"},
      {std::string(kSetup) + "[File]\nSource=a\nSize=3\n", "bad.tvp:6:", "unknown key 'Size' in [File]"},
  };
  for (const auto& c : cases) {
    std::string error = ParseError(c.text);
    EXPECT_EQ(error.rfind(c.where, 0), 0u) << error;
    EXPECT_NE(error.find(c.problem), std::string::npos) << error;
  }
}

TEST(ProjectParser, DefaultsFollowWhatTheProjectHolds) {
  Project project;
  std::string error;
  ASSERT_TRUE(ParseProjectText("dir/p.tvp",
                               "\xEF\xBB\xBF; a byte order mark and CRLF lines\r\n[setup]\r\ntitle = Example App \r\n"
                               "DefaultDir=Example\r\nRunApp=\"%installpath%\\a.exe\"\r\nLicence=texts\\licence.txt\r\n"
                               "VolumeSize=1440K\r\nFileTime=2000-07-07 11:50:30\r\n",
                               &project, &error))
      << error;
  const PackageHeader& h = project.settings;
  EXPECT_EQ(project.mainStrings[0], "Example App");
  EXPECT_EQ(project.mainStrings[1], "Example App");
  EXPECT_EQ(project.mainStrings[12], "\"%installpath%\\uninstal.ini\"");
  EXPECT_EQ(+h.writeLog, 1);
  EXPECT_EQ(+h.offerRun, 1);
  EXPECT_EQ(+h.offerGroup, 0);
  EXPECT_EQ(+h.offerReadme, 0);
  EXPECT_EQ(+h.fullScreen, 1);
  EXPECT_EQ(h.backgroundColour[2], 128);
  EXPECT_EQ(project.volumeSize, 1440u * 1024);
  EXPECT_TRUE(project.fixedTime);
  EXPECT_EQ(project.fileTime, 0x01BFE8098C8C0700ULL);
  EXPECT_EQ(project.baseDir, "dir");
  EXPECT_EQ(project.licence.source, "texts/licence.txt");
  EXPECT_EQ(project.licence.name, "licence.txt");
}

// Errors that need the source files.
TEST(ProjectParser, FileSectionErrorsNameTheSectionLine) {
  ScratchDir dir;
  WriteText(dir / "files/a.txt", "a");
  WriteText(dir / "files/A.TXT", "A");
  WriteText(dir / "files/sub/b.txt", "b");
  MakeDirs(dir / "files/none");
  const std::string longName(240, 'n');
  const struct {
    std::string files;
    int line;
    const char* problem;
  } cases[] = {
      {"[File]\nSource=missing.txt\n", 4, "does not exist"},
      {"[File]\nSource=files/*.exe\n", 4, "matches no file"},
      {"[File]\nSource=nodir/*.txt\n", 4, "does not exist"},
      {"[File]\nSource=files/a.txt\nDestination=..\\up\n", 4, "'..'"},
      {"[File]\nSource=files/a.txt\nDestination=C:\\Windows\n", 4, "below the installation directory"},
      {"[File]\nSource=files/a.txt\nDestination=\\root\n", 4, "below the installation directory"},
      {"[File]\nSource=files/a.txt\nDestination=%syspath%x\n", 4, "followed by a backslash"},
      {"[File]\nSource=files/a.txt\nDestination=x\\%winpath%\n", 4, "only stand at the start"},
      {"[File]\nSource=files/*.txt\nName=b.txt\n", 4, "renames a single file"},
      {"[File]\nSource=files/a.txt\n[File]\nSource=files/A.TXT\n", 6, "installed twice (also from line 4"},
      {"[File]\nSource=files/a.txt\nName=sub\n[File]\nSource=files/sub\nDestination=sub\n", 7, "both a file and a directory"},
      {"[File]\nSource=files/a.txt\nName=x\n[File]\nSource=files/none\nDestination=x\n", 7, "both a file and a directory"},
      {"[File]\nSource=files/a.txt\nDestination=%syspath%\\" + longName + "\n", 4, "at most 255"},
  };
  for (const auto& c : cases) {
    std::string path = dir / "p.tvp";
    WriteText(path, std::string(kSetup) + c.files);
    Project project;
    InstallTree tree;
    std::string error;
    ASSERT_TRUE(ParseProject(path, &project, &error)) << error;
    EXPECT_FALSE(CollectInstallTree(project, &tree, &error)) << c.files;
    EXPECT_NE(error.find(path + ":" + std::to_string(c.line) + ":"), std::string::npos) << error;
    EXPECT_NE(error.find(c.problem), std::string::npos) << error;
  }
}

TEST(ProjectParser, DestinationsBecomeTreeOrQuotedNames) {
  ScratchDir dir;
  WriteText(dir / "files/a.txt", "a");
  WriteText(dir / "files/sub/b.txt", "b");
  WriteText(dir / "files/sub/deeper/c.dat", "c");
  WriteText(dir / "files/.hidden", "h");
  MakeDirs(dir / "files/empty");
  WriteText(dir / "p.tvp", std::string(kSetup) +
                               "[File]\nSource=files\nDestination=app\n"
                               "[File]\nSource=files/*.txt\nDestination=%INSTALLPATH%\\docs\\\nRecurse=yes\n"
                               "[File]\nSource=files/a.txt\nDestination=%syspath%\\Example\nName=ex.dll\n");
  Project project;
  InstallTree tree;
  std::string error;
  ASSERT_TRUE(ParseProject(dir / "p.tvp", &project, &error)) << error;
  ASSERT_TRUE(CollectInstallTree(project, &tree, &error)) << error;
  const InstallDir& app = tree.root.dirs.at("app");
  EXPECT_EQ(app.files.count(".hidden"), 1u) << "a whole directory brings every file";
  EXPECT_EQ(app.dirs.count("empty"), 1u) << "and its empty directories";
  EXPECT_EQ(app.dirs.at("sub").dirs.at("deeper").files.count("c.dat"), 1u);
  const InstallDir& docs = tree.root.dirs.at("docs");
  EXPECT_EQ(docs.files.count("a.txt"), 1u) << "%installpath% destinations stay in the tree";
  EXPECT_EQ(docs.dirs.at("sub").files.count("b.txt"), 1u);
  EXPECT_EQ(docs.dirs.at("sub").dirs.count("deeper"), 0u) << "a pattern brings no directory without a match";
  ASSERT_EQ(tree.absolute.size(), 1u);
  EXPECT_EQ(tree.absolute.begin()->second.name, "\"%syspath%\\Example\\ex.dll\"");
  EXPECT_EQ(tree.fileCount, 7u);
}

}  // namespace
