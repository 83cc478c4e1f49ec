// File names as a Windows installation will see them: the checks that the
// tool applies to names it stores and to names it reads from a package.
#pragma once
#include <string>
#include <vector>

// One path component that Windows can create and that stays where it is
// put: not empty, not "." or "..", no separators, drive colons, wildcards,
// control characters or trailing dots and spaces, no device name.
bool CheckWindowsComponent(const std::string& component, std::string* problem);

// Splits at backslashes and slashes and checks every component.  An empty
// text gives no components.
bool SplitWindowsPath(const std::string& path, std::vector<std::string>* components, std::string* problem);

// Index of the path variable that text begins with (any case), or -1.
int LeadingPathVariable(const std::string& text);

// Contains a path variable anywhere (any case).
bool ContainsPathVariable(const std::string& text);

std::string AsciiLower(std::string text);
