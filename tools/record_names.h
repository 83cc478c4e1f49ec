// Where a record's name puts its file, as components below the directory
// that extract writes into.  The installation directory becomes
// "installpath", and a quoted name's leading path variable the folder of
// the same name: "%syspath%\a.dll" -> syspath/a.dll.  Names that could
// reach outside (.., drive letters, rooted or unquoted absolute paths,
// variables inside the path) are refused.
#pragma once
#include <string>
#include <vector>

extern const char kInstallFolder[];  // "installpath"

// A directory record's name: exactly one component.
bool CheckDirectoryName(const std::string& name, std::string* problem);

// A file record's name, read with the directory records open at the time.
bool ResolveFileName(const std::string& name, const std::vector<std::string>& openDirs,
                     std::vector<std::string>* path, std::string* problem);
