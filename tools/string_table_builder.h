// The package's string table: main strings, shortcuts, registry and INI
// entries, then all 63 messages (defaults unless overridden, message 220
// raised by 16).
#pragma once
#include <string>
#include <vector>

#include "engine/package/package_header.h"
#include "project.h"

// Builds the block and fills stringsSize, the three counts, hasRegistry,
// hasIni and the four section offsets of header.
void BuildStringTable(const Project& project, std::vector<char>* block, PackageHeader* header);

// The text of message id that the package will carry, readable form.
std::string ProjectMessageText(const Project& project, int id);
