// What a project file describes: everything a package will hold, still in
// the author's terms (source paths, destinations, texts).
#pragma once
#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include "engine/package/package_header.h"
#include "engine/package/string_sections.h"

// A licence or readme text: the source file and the name under which the
// installation writes it into the installation directory.
struct TextBlockItem {
  std::string source;  // empty: the package has no such text
  std::string name;    // a plain file name
  int line = 0;
};

// One [File] section.
struct FileItem {
  std::string source;       // file, directory or pattern, relative to the project
  std::string destination;  // below the installation directory, or starting with a path variable
  std::string rename;       // Name=: installed name of a single source file
  uint8_t overwriteMode = 0;
  uint32_t attributes = 0;
  bool recurse = false;
  int line = 0;
};

// Items of the list sections, their strings in package order.
struct ShortcutItem {
  std::string strings[kShortcutStrings];
  int line = 0;
};

struct RegistryItem {
  std::string strings[kRegistryStrings];
  int line = 0;
};

struct IniItem {
  std::string strings[kIniStrings];
  int line = 0;
};

struct Project {
  std::string path;     // the project file
  std::string baseDir;  // sources are relative to it
  std::string mainStrings[kMainStringCount];  // by role - 1
  PackageHeader settings = {};  // flags and colours; sizes and offsets come later
  TextBlockItem licence;
  TextBlockItem readme;
  std::vector<FileItem> files;
  std::vector<ShortcutItem> shortcuts;
  std::vector<RegistryItem> registry;
  std::vector<IniItem> ini;
  std::map<int, std::string> messages;  // overridden texts, readable form
  uint64_t volumeSize = 0;              // 0: one installer file
  bool fixedTime = false;               // false: time stamps of the source files
  uint64_t fileTime = 0;                // the fixed time (FILETIME)
};

// Reads and checks the project file.  On failure error names the file and
// the line and says what is wrong.
bool ParseProject(const std::string& path, Project* project, std::string* error);

// The same for a project text already in memory; path names it in errors
// and gives the directory that sources are relative to.
bool ParseProjectText(const std::string& path, const std::string& text, Project* project, std::string* error);
