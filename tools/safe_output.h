// Writing below an output directory without ever leaving it: every
// component is created as a real directory (a link in the way is refused)
// and files are never opened through a link.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

// root/components[0]/... as directories.
bool MakeDirectoriesBelow(const std::string& root, const std::vector<std::string>& components, std::string* problem);

// root/path..., its directories created first; fileTime (FILETIME) becomes
// its modification time when it lies after 1970.
bool WriteFileBelow(const std::string& root, const std::vector<std::string>& path, const std::vector<uint8_t>& data,
                    uint64_t fileTime, std::string* problem);

std::string JoinComponents(const std::vector<std::string>& components);
