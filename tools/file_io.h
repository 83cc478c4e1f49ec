// Whole-file reads and writes and path texts for the authoring tool.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

// Reads the whole file; false with a reason (without the path) otherwise.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* bytes, std::string* problem);

// Writes pieces one after another into a new file at path.
bool WriteFileBytes(const std::string& path, const std::vector<const std::vector<uint8_t>*>& pieces,
                    std::string* problem);

bool IsDirectory(const std::string& path);
bool IsRegularFile(const std::string& path);

// Creates path and its missing parents.
bool MakeDirectories(const std::string& path, std::string* problem);

std::string JoinPath(const std::string& dir, const std::string& name);
std::string DirectoryOf(const std::string& path);  // "." when there is no slash
std::string BaseName(const std::string& path);

// The directory of the running program.
std::string ProgramDirectory();
