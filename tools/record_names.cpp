#include "record_names.h"

#include "engine/package/path_variables.h"
#include "windows_names.h"

const char kInstallFolder[] = "installpath";

namespace {

// "%syspath%" -> "syspath".
std::string VariableFolder(int variable) {
  std::string name = kPathVariableNames[variable];
  return name.substr(1, name.size() - 2);
}

bool ResolveQuoted(const std::string& name, std::vector<std::string>* path, std::string* problem) {
  if (name.size() < 2 || name.back() != '"') {
    *problem = "quoted name without its closing quote";
    return false;
  }
  std::string inner = name.substr(1, name.size() - 2);
  int variable = LeadingPathVariable(inner);
  if (variable < 0) {
    *problem = "quoted name does not start with %installpath%, %temppath%, %winpath% or %syspath%";
    return false;
  }
  std::string rest = inner.substr(std::string(kPathVariableNames[variable]).size());
  if (rest.empty() || rest[0] != '\\') {
    *problem = "quoted name has no file name after its path variable";
    return false;
  }
  if (ContainsPathVariable(rest)) {
    *problem = "path variable inside the name";
    return false;
  }
  std::vector<std::string> components;
  if (!SplitWindowsPath(rest.substr(1), &components, problem)) return false;
  if (components.empty()) {
    *problem = "quoted name has no file name after its path variable";
    return false;
  }
  path->assign(1, VariableFolder(variable));
  path->insert(path->end(), components.begin(), components.end());
  return true;
}

}  // namespace

bool CheckDirectoryName(const std::string& name, std::string* problem) {
  return CheckWindowsComponent(name, problem);
}

bool ResolveFileName(const std::string& name, const std::vector<std::string>& openDirs,
                     std::vector<std::string>* path, std::string* problem) {
  if (!name.empty() && name[0] == '"') return ResolveQuoted(name, path, problem);
  std::vector<std::string> components;
  if (!SplitWindowsPath(name, &components, problem)) return false;
  if (components.empty()) {
    *problem = "empty name";
    return false;
  }
  path->assign(1, kInstallFolder);
  path->insert(path->end(), openDirs.begin(), openDirs.end());
  path->insert(path->end(), components.begin(), components.end());
  return true;
}
