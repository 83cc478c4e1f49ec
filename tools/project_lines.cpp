#include "project_lines.h"

#include <vector>

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool IsComment(const std::string& trimmed) {
  return trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#';
}

// "[name]" with nothing after the bracket.
bool ParseSectionLine(const std::string& trimmed, std::string* name, std::string* problem) {
  size_t close = trimmed.find(']');
  if (close == std::string::npos) {
    *problem = "section line without closing ']'";
    return false;
  }
  if (close + 1 != trimmed.size()) {
    *problem = "text after the section's closing ']'";
    return false;
  }
  *name = Trim(trimmed.substr(1, close - 1));
  if (name->empty()) {
    *problem = "section without a name";
    return false;
  }
  return true;
}

bool ParseKeyLine(const std::string& trimmed, ProjectLine* entry, std::string* problem) {
  size_t equals = trimmed.find('=');
  if (equals == std::string::npos) {
    *problem = "expected key=value, a [section] or a comment";
    return false;
  }
  entry->key = Trim(trimmed.substr(0, equals));
  entry->value = Trim(trimmed.substr(equals + 1));
  if (entry->key.empty()) {
    *problem = "line has no key before '='";
    return false;
  }
  return true;
}

}  // namespace

std::string ProjectError(const std::string& path, int line, const std::string& problem) {
  if (line <= 0) return path + ": " + problem;
  return path + ":" + std::to_string(line) + ": " + problem;
}

bool SplitProjectLines(const std::string& path, const std::string& text, std::vector<ProjectSection>* sections,
                       std::string* error) {
  sections->clear();
  size_t start = text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
  for (int number = 1; start < text.size(); number++) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string raw = text.substr(start, end - start);
    start = end + 1;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    if (raw.find('\0') != std::string::npos) {
      *error = ProjectError(path, number, "line holds a NUL byte");
      return false;
    }
    std::string trimmed = Trim(raw);
    if (IsComment(trimmed)) continue;
    std::string problem;
    if (trimmed[0] == '[') {
      ProjectSection section;
      section.line = number;
      if (!ParseSectionLine(trimmed, &section.name, &problem)) {
        *error = ProjectError(path, number, problem);
        return false;
      }
      sections->push_back(section);
      continue;
    }
    ProjectLine entry;
    entry.line = number;
    if (!ParseKeyLine(trimmed, &entry, &problem)) {
      *error = ProjectError(path, number, problem);
      return false;
    }
    if (sections->empty()) {
      *error = ProjectError(path, number, "key '" + entry.key + "' before the first [section]");
      return false;
    }
    sections->back().lines.push_back(entry);
  }
  return true;
}
