// The two programs in front of every package: the launcher image and the
// compressed engine module.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

extern const char kLauncherFileName[];  // "launcher.exe"
extern const char kEngineFileName[];    // "tolvaeng.dll"

// Where the stubs of arch live when no directory is given: the tool's own
// build tree, <dir of tolvane>/../<arch>.
std::string DefaultStubDirectory(const std::string& arch);

// The first kPackageBase bytes of every installer: the launcher padded
// with zeros to kLauncherImageSize, then the engine module as an LZARI
// block padded with kEngineFillerByte to kEngineBlockSize.  arch is
// "i686" or "x86_64"; a stub built for the other one is refused.
bool BuildInstallerPrefix(const std::string& stubDir, const std::string& arch, std::vector<uint8_t>* prefix,
                          std::string* error);
