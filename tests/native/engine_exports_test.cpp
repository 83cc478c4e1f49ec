// The export table of tolvaeng.dll on both architectures: the launcher and
// other modules look the engine's functions up by these exact names.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace {

const std::set<std::string> kExpectedExports = {
    "_MainFunc@8",    "_InitDll@4",    "_CloseDll@0",   "_GetFullName@16",
    "_NoQuote@4",     "_InQuote@4",    "_EndSlash@8",   "_CreateDir@8",
    "_WriteDepth@12", "_GetDirName@4", "_RegDiagrClass@4",
    "g_GetString",    "g_hWnd",        "szString"};

struct Arch {
  const char* name;
  const char* objdump;
  const char* format;  // objdump -f's file format
};

const Arch kArchitectures[] = {
    {"i686", "i686-w64-mingw32-objdump", "pei-i386"},
    {"x86_64", "x86_64-w64-mingw32-objdump", "pei-x86-64"},
};

std::string RunCommand(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, got);
    pclose(pipe);
  }
  return output;
}

// The names of objdump -p's "[Ordinal/Name Pointer] Table".
std::set<std::string> ExportNames(const std::string& dump) {
  std::set<std::string> names;
  std::istringstream lines(dump);
  std::string line;
  bool inTable = false;
  while (std::getline(lines, line)) {
    if (line.find("[Ordinal/Name Pointer] Table") != std::string::npos) {
      inTable = true;
    } else if (inTable) {
      size_t close = line.find(']');
      if (line.find('[') == std::string::npos || close == std::string::npos) break;
      names.insert(line.substr(line.find_first_not_of(' ', close + 1)));
    }
  }
  return names;
}

std::string ModulePath(const Arch& arch) {
  return std::string(TOLVANE_BINARY_DIR) + "/" + arch.name + "/tolvaeng.dll";
}

TEST(EngineExports, DecoratedNamesOnBothArchitectures) {
  for (const Arch& arch : kArchitectures) {
    std::string module = ModulePath(arch);
    if (!std::ifstream(module)) GTEST_SKIP() << module << " is not built";
    std::string dump = RunCommand(std::string(arch.objdump) + " -p '" + module + "'");
    EXPECT_EQ(ExportNames(dump), kExpectedExports) << arch.name;
    EXPECT_NE(RunCommand(std::string(arch.objdump) + " -f '" + module + "'").find(arch.format),
              std::string::npos)
        << arch.name;
  }
}

TEST(EngineExports, ImportsOnlySystemLibraries) {
  // Upper case: the two import libraries spell some names differently.
  const std::set<std::string> allowed = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL",
                                         "ADVAPI32.DLL", "COMDLG32.DLL", "MPR.DLL"};
  for (const Arch& arch : kArchitectures) {
    std::string module = ModulePath(arch);
    if (!std::ifstream(module)) GTEST_SKIP() << module << " is not built";
    std::istringstream lines(RunCommand(std::string(arch.objdump) + " -p '" + module + "'"));
    std::string line;
    while (std::getline(lines, line)) {
      size_t at = line.find("DLL Name: ");
      if (at != std::string::npos) {
        std::string name = line.substr(at + 10);
        for (char& c : name) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        EXPECT_TRUE(allowed.count(name)) << arch.name << " imports " << name;
      }
    }
  }
}

}  // namespace
