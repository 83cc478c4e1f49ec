#include "windows_names.h"

#include <cctype>
#include <cstring>

#include "engine/package/path_variables.h"

namespace {

const char kForbiddenCharacters[] = "<>:\"/\\|?*";
const char* const kDeviceNames[] = {"CON", "PRN", "AUX", "NUL", "COM1", "COM2", "COM3", "COM4", "COM5",
                                    "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4",
                                    "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

bool IsDeviceName(const std::string& component) {
  std::string stem = component.substr(0, component.find('.'));
  for (char& c : stem) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  for (const char* device : kDeviceNames)
    if (stem == device) return true;
  return false;
}

bool StartsWithNoCase(const std::string& text, size_t at, const char* prefix) {
  size_t length = std::strlen(prefix);
  if (text.size() - at < length) return false;
  for (size_t i = 0; i < length; i++)
    if (tolower(static_cast<unsigned char>(text[at + i])) != prefix[i]) return false;
  return true;
}

}  // namespace

bool CheckWindowsComponent(const std::string& component, std::string* problem) {
  if (component.empty()) {
    *problem = "empty path component";
    return false;
  }
  if (component == "." || component == "..") {
    *problem = "'" + component + "' is not allowed in a path";
    return false;
  }
  for (unsigned char c : component) {
    if (c < 0x20 || std::strchr(kForbiddenCharacters, c)) {
      *problem = "'" + component + "' holds a character Windows does not allow in a name";
      return false;
    }
  }
  if (component.back() == '.' || component.back() == ' ') {
    *problem = "'" + component + "' ends in a dot or a space, which Windows drops";
    return false;
  }
  if (IsDeviceName(component)) {
    *problem = "'" + component + "' is a Windows device name";
    return false;
  }
  return true;
}

bool SplitWindowsPath(const std::string& path, std::vector<std::string>* components, std::string* problem) {
  components->clear();
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find_first_of("\\/", start);
    if (end == std::string::npos) end = path.size();
    std::string component = path.substr(start, end - start);
    if (!CheckWindowsComponent(component, problem)) return false;
    components->push_back(component);
    start = end + 1;
    if (end + 1 == path.size()) {
      *problem = "path ends in a separator";
      return false;
    }
  }
  return true;
}

int LeadingPathVariable(const std::string& text) {
  for (int v = 0; v < kPathVariableCount; v++)
    if (StartsWithNoCase(text, 0, kPathVariableNames[v])) return v;
  return -1;
}

bool ContainsPathVariable(const std::string& text) {
  for (size_t at = 0; at < text.size(); at++)
    for (int v = 0; v < kPathVariableCount; v++)
      if (StartsWithNoCase(text, at, kPathVariableNames[v])) return true;
  return false;
}

std::string AsciiLower(std::string text) {
  for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return text;
}
