// The files a package installs, gathered from the project's [File]
// sections: a tree below the installation directory (it becomes directory
// and up records) and a list of files with absolute destinations (quoted
// names with a path variable).  Ordered by name, so builds repeat exactly.
#pragma once
#include <stdint.h>

#include <map>
#include <string>

#include "project.h"

struct InstallFile {
  std::string name;        // the record name: one component, or a quoted absolute path
  std::string sourcePath;  // on the build machine
  uint64_t size = 0;
  uint8_t overwriteMode = 0;
  uint32_t attributes = 0;
  uint64_t fileTime = 0;
  int line = 0;            // the [File] section that brought it
};

struct InstallDir {
  std::string name;
  uint64_t fileTime = 0;                   // newest time below it, or the fixed time
  std::map<std::string, InstallFile> files;  // by lower-case name
  std::map<std::string, InstallDir> dirs;    // by lower-case name
};

struct InstallTree {
  InstallDir root;                                // the installation directory
  std::map<std::string, InstallFile> absolute;    // by lower-case quoted name
  uint64_t fileCount = 0;
  uint64_t byteCount = 0;
};

// Looks at the source files; errors name the project file and the line of
// the [File] section.
bool CollectInstallTree(const Project& project, InstallTree* tree, std::string* error);
