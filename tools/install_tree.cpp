#include "install_tree.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <vector>

#include "engine/package/layout.h"
#include "engine/package/path_variables.h"
#include "file_io.h"
#include "file_time.h"
#include "project_lines.h"
#include "windows_names.h"

namespace {

// Where one [File] section puts its files.
struct Destination {
  int variable = -1;                    // -1: below the installation directory
  std::vector<std::string> components;  // below the variable or the installation directory
};

// State of one collection run.
struct Collector {
  const Project* project;
  InstallTree* tree;
  const FileItem* item;
  std::string error;
  std::set<std::pair<dev_t, ino_t>> openDirs;  // guards against directory loops
};

bool Fail(Collector* c, const std::string& problem) {
  c->error = ProjectError(c->project->path, c->item ? c->item->line : 0, problem);
  return false;
}

bool HasWildcard(const std::string& text) { return text.find_first_of("*?[") != std::string::npos; }

bool ParseDestination(Collector* c, const std::string& text, Destination* d) {
  std::string rest = text;
  while (!rest.empty() && (rest.back() == '\\' || rest.back() == '/')) rest.pop_back();
  d->variable = LeadingPathVariable(rest);
  if (d->variable >= 0) {
    rest = rest.substr(std::string(kPathVariableNames[d->variable]).size());
    if (!rest.empty() && rest[0] != '\\' && rest[0] != '/')
      return Fail(c, "Destination: a path variable must be followed by a backslash");
    if (!rest.empty()) rest.erase(0, 1);
    if (d->variable == kVarInstallPath) d->variable = -1;  // plain records do the same, cursor-safe
  } else if (rest.find(':') != std::string::npos || (!rest.empty() && (rest[0] == '\\' || rest[0] == '/'))) {
    return Fail(c, "Destination '" + text +
                       "' must lie below the installation directory or start with %installpath%, %temppath%, "
                       "%winpath% or %syspath%");
  }
  if (rest == ".") rest.clear();
  if (ContainsPathVariable(rest)) return Fail(c, "Destination: a path variable may only stand at the start");
  std::string problem;
  if (!SplitWindowsPath(rest, &d->components, &problem)) return Fail(c, "Destination: " + problem);
  return true;
}

std::string AbsoluteName(const Destination& d, const std::vector<std::string>& below, const std::string& name) {
  std::string text = std::string("\"") + kPathVariableNames[d.variable];
  for (const std::string& part : d.components) text += "\\" + part;
  for (const std::string& part : below) text += "\\" + part;
  return text + "\\" + name + "\"";
}

// The tree's directory at path, created as needed; false when a file of
// the same name stands in the way.
bool ReachDirectory(Collector* c, const std::vector<std::string>& path, InstallDir** reached) {
  InstallDir* dir = &c->tree->root;
  std::string shown;
  for (const std::string& part : path) {
    shown += part + "\\";
    std::string key = AsciiLower(part);
    if (dir->files.count(key)) return Fail(c, "'" + shown + "' is both a file and a directory");
    InstallDir& child = dir->dirs[key];
    child.name = part;
    dir = &child;
  }
  *reached = dir;
  return true;
}

bool AddToTree(Collector* c, const std::vector<std::string>& path, const InstallFile& file) {
  InstallDir* dir;
  if (!ReachDirectory(c, path, &dir)) return false;
  std::string shown;
  for (const std::string& part : path) shown += part + "\\";
  std::string key = AsciiLower(file.name);
  if (dir->dirs.count(key)) return Fail(c, "'" + shown + file.name + "' is both a file and a directory");
  auto found = dir->files.find(key);
  if (found != dir->files.end())
    return Fail(c, "'" + shown + file.name + "' is installed twice (also from line " + std::to_string(found->second.line) +
                       "; names differing in case only are the same on Windows)");
  bool isText = path.empty() && ((!c->project->licence.source.empty() && AsciiLower(c->project->licence.name) == key) ||
                                 (!c->project->readme.source.empty() && AsciiLower(c->project->readme.name) == key));
  if (isText) return Fail(c, "'" + file.name + "' is also the installed name of the licence or readme text");
  dir->files[key] = file;
  return true;
}

bool AddFile(Collector* c, const Destination& d, const std::vector<std::string>& below, const std::string& sourcePath,
             const std::string& installedName) {
  struct stat info;
  if (stat(sourcePath.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
    return Fail(c, "'" + sourcePath + "' is not a readable file");
  if (static_cast<uint64_t>(info.st_size) > 0xFFFFFFFFULL)
    return Fail(c, "'" + sourcePath + "' is 4 GiB or larger; a package stores sizes in 32 bits");
  std::string problem;
  if (!CheckWindowsComponent(installedName, &problem)) return Fail(c, "'" + sourcePath + "': " + problem);
  InstallFile file;
  file.sourcePath = sourcePath;
  file.size = static_cast<uint64_t>(info.st_size);
  file.overwriteMode = c->item->overwriteMode;
  file.attributes = c->item->attributes;
  file.fileTime = c->project->fixedTime ? c->project->fileTime : FileTimeFromStat(info);
  file.line = c->item->line;
  c->tree->fileCount++;
  c->tree->byteCount += file.size;
  if (d.variable < 0) {
    std::vector<std::string> path = d.components;
    path.insert(path.end(), below.begin(), below.end());
    file.name = installedName;
    if (file.name.size() > kNameLimit) return Fail(c, "'" + installedName + "': a name holds at most 255 bytes");
    return AddToTree(c, path, file);
  }
  file.name = AbsoluteName(d, below, installedName);
  if (file.name.size() > kNameLimit)
    return Fail(c, file.name + " is " + std::to_string(file.name.size()) + " bytes long; a name holds at most 255");
  auto found = c->tree->absolute.find(AsciiLower(file.name));
  if (found != c->tree->absolute.end())
    return Fail(c, file.name + " is installed twice (also from line " + std::to_string(found->second.line) + ")");
  c->tree->absolute[AsciiLower(file.name)] = file;
  return true;
}

// Entries of a directory, sorted, without "." and "..".
bool ListDirectory(Collector* c, const std::string& dir, std::vector<std::string>* names) {
  DIR* handle = opendir(dir.c_str());
  if (!handle) return Fail(c, "cannot read directory '" + dir + "'");
  names->clear();
  while (struct dirent* entry = readdir(handle)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names->push_back(name);
  }
  closedir(handle);
  std::sort(names->begin(), names->end());
  return true;
}

// Files of dir matching pattern (everything when pattern is empty); with
// recurse also those of its subdirectories, which keep their place below
// the destination.  Whole directories also bring their empty subdirectories.
bool AddDirectory(Collector* c, const Destination& d, const std::string& dir, const std::string& pattern, bool recurse,
                  std::vector<std::string>* below) {
  struct stat info;
  if (stat(dir.c_str(), &info) != 0) return Fail(c, "cannot read directory '" + dir + "'");
  auto id = std::make_pair(info.st_dev, info.st_ino);
  if (!c->openDirs.insert(id).second) return Fail(c, "'" + dir + "' leads back into itself (a directory link loop)");
  std::vector<std::string> names;
  bool ok = ListDirectory(c, dir, &names);
  if (ok && pattern.empty() && d.variable < 0) {
    std::vector<std::string> path = d.components;
    path.insert(path.end(), below->begin(), below->end());
    InstallDir* reached;
    ok = ReachDirectory(c, path, &reached);
  }
  for (size_t i = 0; ok && i < names.size(); i++) {
    std::string path = JoinPath(dir, names[i]);
    if (IsDirectory(path)) {
      if (!recurse) continue;
      std::string problem;
      if (!CheckWindowsComponent(names[i], &problem)) return Fail(c, "'" + path + "': " + problem);
      below->push_back(names[i]);
      ok = AddDirectory(c, d, path, pattern, recurse, below);
      below->pop_back();
    } else if (pattern.empty() || fnmatch(pattern.c_str(), names[i].c_str(), FNM_PERIOD) == 0) {
      ok = AddFile(c, d, *below, path, names[i]);
    }
  }
  c->openDirs.erase(id);
  return ok;
}

bool CollectItem(Collector* c) {
  const FileItem& item = *c->item;
  Destination d;
  if (!ParseDestination(c, item.destination, &d)) return false;
  std::string source = item.source[0] == '/' ? item.source : JoinPath(c->project->baseDir, item.source);
  std::vector<std::string> below;
  bool pattern = HasWildcard(BaseName(source));
  if (!item.rename.empty() && (pattern || IsDirectory(source)))
    return Fail(c, "Name= renames a single file; Source '" + item.source + "' is a directory or a pattern");
  if (pattern) {
    uint64_t before = c->tree->fileCount;
    if (!IsDirectory(DirectoryOf(source))) return Fail(c, "Source directory '" + DirectoryOf(source) + "' does not exist");
    if (!AddDirectory(c, d, DirectoryOf(source), BaseName(source), item.recurse, &below)) return false;
    if (c->tree->fileCount == before) return Fail(c, "Source pattern '" + item.source + "' matches no file");
    return true;
  }
  if (IsDirectory(source)) return AddDirectory(c, d, source, "", true, &below);
  if (!IsRegularFile(source)) return Fail(c, "Source '" + item.source + "' does not exist (looked for " + source + ")");
  return AddFile(c, d, below, source, item.rename.empty() ? BaseName(source) : item.rename);
}

// A directory record carries the newest time of what it holds.
uint64_t SetDirectoryTimes(InstallDir* dir, const Project& project) {
  uint64_t newest = 0;
  for (auto& entry : dir->files) newest = std::max(newest, entry.second.fileTime);
  for (auto& entry : dir->dirs) newest = std::max(newest, SetDirectoryTimes(&entry.second, project));
  dir->fileTime = project.fixedTime ? project.fileTime : newest;
  return dir->fileTime;
}

}  // namespace

bool CollectInstallTree(const Project& project, InstallTree* tree, std::string* error) {
  *tree = InstallTree();
  Collector c = {&project, tree, nullptr, "", {}};
  for (const FileItem& item : project.files) {
    c.item = &item;
    if (!CollectItem(&c)) {
      *error = c.error;
      return false;
    }
  }
  SetDirectoryTimes(&tree->root, project);
  return true;
}
