#include "stubs.h"

#include <cstdio>

#include "engine/package/byte_order.h"
#include "engine/package/layout.h"
#include "file_io.h"
#include "lzari/encoder.h"

const char kLauncherFileName[] = "launcher.exe";
const char kEngineFileName[] = "tolvaeng.dll";

namespace {

const uint16_t kMachineI386 = 0x14C;
const uint16_t kMachineAmd64 = 0x8664;
const size_t kPeOffsetField = 0x3C;

// An "MZ" image; when it carries a PE header, one for arch.
bool CheckImage(const std::string& path, const std::vector<uint8_t>& image, const std::string& arch,
                std::string* error) {
  if (image.size() < 2 || image[0] != 'M' || image[1] != 'Z') {
    *error = path + ": not a Windows program (no MZ header)";
    return false;
  }
  if (image.size() < kPeOffsetField + 4) return true;
  uint32_t pe = LoadU32(&image[kPeOffsetField]);
  if (pe > image.size() - 6 || image[pe] != 'P' || image[pe + 1] != 'E' || image[pe + 2] || image[pe + 3]) return true;
  uint16_t machine = LoadU16(&image[pe + 4]);
  uint16_t wanted = arch == "i686" ? kMachineI386 : kMachineAmd64;
  if (machine != wanted) {
    char number[8];
    std::snprintf(number, sizeof number, "%04X", machine);
    *error = path + ": built for another processor than " + arch + " (machine 0x" + number + ")";
    return false;
  }
  return true;
}

bool ReadStub(const std::string& dir, const char* name, const std::string& arch, std::vector<uint8_t>* image,
              std::string* error) {
  std::string path = JoinPath(dir, name), problem;
  if (!ReadFileBytes(path, image, &problem)) {
    *error = path + ": " + problem + " (build the Windows programs first, or give --stubs DIR)";
    return false;
  }
  return CheckImage(path, *image, arch, error);
}

}  // namespace

std::string DefaultStubDirectory(const std::string& arch) { return JoinPath(DirectoryOf(ProgramDirectory()), arch); }

bool BuildInstallerPrefix(const std::string& stubDir, const std::string& arch, std::vector<uint8_t>* prefix,
                          std::string* error) {
  std::vector<uint8_t> launcher, engine;
  if (!ReadStub(stubDir, kLauncherFileName, arch, &launcher, error)) return false;
  if (!ReadStub(stubDir, kEngineFileName, arch, &engine, error)) return false;
  if (launcher.size() > kLauncherImageSize) {
    *error = JoinPath(stubDir, kLauncherFileName) + ": " + std::to_string(launcher.size()) +
             " bytes; the launcher's place holds " + std::to_string(kLauncherImageSize);
    return false;
  }
  if (engine.size() > kEngineModuleLimit) {
    *error = JoinPath(stubDir, kEngineFileName) + ": " + std::to_string(engine.size()) +
             " bytes; the launcher unpacks at most " + std::to_string(kEngineModuleLimit);
    return false;
  }
  std::vector<uint8_t> block = LzEncodeBlock(engine.data(), engine.size());
  if (block.size() > kEngineBlockSize) {
    *error = JoinPath(stubDir, kEngineFileName) + ": compresses to " + std::to_string(block.size()) +
             " bytes; the engine block holds " + std::to_string(kEngineBlockSize);
    return false;
  }
  *prefix = launcher;
  prefix->resize(kLauncherImageSize, 0);
  prefix->insert(prefix->end(), block.begin(), block.end());
  prefix->resize(kPackageBase, kEngineFillerByte);
  return true;
}
