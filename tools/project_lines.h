// The text form of a project file: [sections] of key=value lines, with
// comment lines starting with ';' or '#'.  Every item keeps its line
// number so that later errors can name it.
#pragma once
#include <string>
#include <vector>

struct ProjectLine {
  std::string key;    // trimmed
  std::string value;  // trimmed; may be empty
  int line;
};

struct ProjectSection {
  std::string name;   // without the brackets, trimmed
  int line;
  std::vector<ProjectLine> lines;
};

// Splits a project text.  On failure error is "PATH:LINE: what is wrong";
// path is used in messages only.
bool SplitProjectLines(const std::string& path, const std::string& text, std::vector<ProjectSection>* sections,
                       std::string* error);

std::string ProjectError(const std::string& path, int line, const std::string& problem);
