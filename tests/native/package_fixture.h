// Helpers for the package tests: scratch directories, stand-in stubs,
// running the tool, and packages built in-process from a project text or
// from hand-made records.
#pragma once
#include <ftw.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/package/header_bytes.h"
#include "engine/package/layout.h"
#include "tools/install_tree.h"
#include "tools/installer_layout.h"
#include "tools/project.h"
#include "tools/record_stream_writer.h"
#include "tools/string_table_builder.h"

namespace package_test {

inline void MakeDirs(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
    mkdir(path.substr(0, slash).c_str(), 0755);
  mkdir(path.c_str(), 0755);
}

inline int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

// A fresh directory below the build tree, removed with its contents.
struct ScratchDir {
  std::string path;
  ScratchDir() {
    std::string base = std::string(TOLVANE_BINARY_DIR) + "/test-scratch";
    mkdir(base.c_str(), 0755);
    std::string pattern = base + "/package-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back(0);
    path = mkdtemp(name.data());
  }
  ~ScratchDir() { nftw(path.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS); }
  std::string operator/(const std::string& name) const { return path + "/" + name; }
};

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  MakeDirs(path.substr(0, path.find_last_of('/')));
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const std::string& path, const std::string& text) {
  WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

// Bytes that do not compress: a fixed pseudo-random sequence.
inline std::vector<uint8_t> NoiseBytes(size_t size, uint32_t seed) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; i++) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = static_cast<uint8_t>(seed >> 16);
  }
  return bytes;
}

// Stand-ins of the right kind: small "MZ" images for the launcher and the
// engine module.
inline void MakeStubs(const std::string& dir, size_t launcherSize = 4096, size_t engineSize = 12000) {
  std::vector<uint8_t> launcher = NoiseBytes(launcherSize, 7);
  launcher[0] = 'M', launcher[1] = 'Z';
  std::string engineText = "MZ";
  while (engineText.size() < engineSize) engineText += "stand-in engine module code ";
  engineText.resize(engineSize);
  WriteBytes(dir + "/launcher.exe", launcher);
  WriteText(dir + "/tolvaeng.dll", engineText);
}

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

// Runs the built tool with arguments (already quoted as needed).
inline ToolRun RunTool(const std::string& arguments) {
  static int counter = 0;
  std::string base = std::string(TOLVANE_BINARY_DIR) + "/test-scratch/run-" + std::to_string(getpid()) + "-" +
                     std::to_string(counter++);
  std::string command = std::string(TOLVANE_BINARY_DIR) + "/bin/tolvane " + arguments + " >" + base + ".out 2>" +
                        base + ".err";
  int raw = std::system(command.c_str());
  ToolRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::vector<uint8_t> out = ReadBytes(base + ".out"), err = ReadBytes(base + ".err");
  run.out.assign(out.begin(), out.end());
  run.err.assign(err.begin(), err.end());
  std::remove((base + ".out").c_str());
  std::remove((base + ".err").c_str());
  return run;
}

// A [Messages] section that shortens every text to one letter, so that
// volume 1's fixed part stays small enough for tiny test volumes.
inline std::string ShortMessages() {
  std::string text = "[Messages]\n";
  for (int id = 150; id <= 170; id++) text += std::to_string(id) + "=m\n";
  for (int id = 211; id <= 252; id++) text += std::to_string(id) + "=m\n";
  return text;
}

// The first kPackageBase bytes of an installer, for packages made in-process.
inline std::vector<uint8_t> FakePrefix() {
  std::vector<uint8_t> prefix(kPackageBase, 0x30);
  prefix[0] = 'M', prefix[1] = 'Z';
  return prefix;
}

// The pieces of a package made in-process from a project file.
struct BuiltPackage {
  Project project;
  PackageHeader header = {};
  std::vector<char> strings;
  RecordStream stream;
  std::string error;
};

inline bool BuildInProcess(const std::string& projectPath, BuiltPackage* built) {
  InstallTree tree;
  if (!ParseProject(projectPath, &built->project, &built->error)) return false;
  if (!CollectInstallTree(built->project, &tree, &built->error)) return false;
  built->header = built->project.settings;
  BuildStringTable(built->project, &built->strings, &built->header);
  return WriteRecordStream(built->project, tree, BuildProgress(), &built->stream, &built->error);
}

// Writes the installer files of a built package into dir.
inline bool WriteInstaller(const BuiltPackage& built, uint64_t volumeSize, const std::string& dir,
                           std::string* error) {
  std::vector<OutputFile> files;
  if (!LayOutInstaller(FakePrefix(), built.header, built.strings, built.stream, volumeSize, &files, error))
    return false;
  for (const OutputFile& file : files) WriteBytes(dir + "/" + file.name, file.bytes);
  return true;
}

// A record as bytes: header, then the name; bodies are appended by hand.
inline std::vector<uint8_t> RecordBytes(uint8_t type, const std::string& name, uint8_t mode = 0,
                                        uint32_t attributes = 0x20, uint16_t nameLength = 0xFFFF) {
  RecordHeader header = {type, mode, attributes, 0x01BF0000E8098C8CULL,
                         nameLength == 0xFFFF ? static_cast<uint16_t>(name.size()) : nameLength};
  std::vector<uint8_t> bytes(kRecordHeaderSize);
  StoreRecordHeader(&header, bytes.data());
  bytes.insert(bytes.end(), name.begin(), name.end());
  return bytes;
}

inline void Append(std::vector<uint8_t>* to, const std::vector<uint8_t>& bytes) {
  to->insert(to->end(), bytes.begin(), bytes.end());
}

}  // namespace package_test
