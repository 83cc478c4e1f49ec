#include "installer_layout.h"

#include <algorithm>
#include <cstdio>

#include "engine/package/byte_order.h"
#include "engine/package/header_bytes.h"
#include "engine/package/layout.h"

const char kInstallerFileName[] = "setup.exe";

namespace {

const uint64_t kSizeWordLimit = 0xFFFFFFFFULL;

void AppendSizeWord(std::vector<uint8_t>* file, uint64_t size) {
  uint8_t word[kVolumeSizeWordSize];
  StoreU32(word, static_cast<uint32_t>(size));
  file->insert(file->end(), word, word + kVolumeSizeWordSize);
}

// Size word, header and string table: the fixed start of volume 1.
void AppendPackageStart(std::vector<uint8_t>* file, uint64_t fileSize, const PackageHeader& header,
                        const std::vector<char>& strings) {
  AppendSizeWord(file, fileSize);
  uint8_t bytes[kPackageHeaderSize];
  StorePackageHeader(&header, bytes);
  file->insert(file->end(), bytes, bytes + kPackageHeaderSize);
  file->insert(file->end(), strings.begin(), strings.end());
}

// Volume files: every one as full as the volume size allows, the stream
// split wherever the boundary falls.
void SplitIntoVolumes(const PackageHeader& header, const std::vector<char>& strings, const RecordStream& stream,
                      uint64_t volumeSize, std::vector<OutputFile>* files) {
  uint64_t fixed = kVolumeSizeWordSize + kPackageHeaderSize + strings.size();
  uint64_t taken = 0;
  for (int number = 1; number == 1 || taken < stream.bytes.size(); number++) {
    uint64_t start = number == 1 ? fixed : uint64_t(kVolumeSizeWordSize);
    uint64_t room = volumeSize - start;
    uint64_t piece = std::min<uint64_t>(room, stream.bytes.size() - taken);
    OutputFile file;
    file.name = VolumeFileName(number);
    uint64_t fileSize = start + piece;
    if (number == 1) AppendPackageStart(&file.bytes, fileSize, header, strings);
    else AppendSizeWord(&file.bytes, fileSize);
    file.bytes.insert(file.bytes.end(), stream.bytes.begin() + taken, stream.bytes.begin() + taken + piece);
    taken += piece;
    files->push_back(std::move(file));
  }
}

}  // namespace

std::string VolumeFileName(int number) {
  char name[32];
  std::snprintf(name, sizeof name, TOLVANE_VOLUME_FORMAT, number);
  return name;
}

bool LayOutInstaller(const std::vector<uint8_t>& prefix, PackageHeader header, const std::vector<char>& strings,
                     const RecordStream& stream, uint64_t volumeSize, std::vector<OutputFile>* files,
                     std::string* error) {
  files->clear();
  uint64_t base = volumeSize ? 0 : kPackageBase;
  uint64_t fixed = kVolumeSizeWordSize + kPackageHeaderSize + strings.size();
  uint64_t streamStart = base + fixed;
  uint64_t volumeOneNeeds = fixed + stream.licenceSize + stream.readmeSize;
  if (volumeSize && volumeOneNeeds > volumeSize) {
    *error = "VolumeSize " + std::to_string(volumeSize) + " is too small: volume 1 must hold the header, the string table "
             "and the licence and readme texts, " + std::to_string(volumeOneNeeds) + " bytes";
    return false;
  }
  uint64_t installerSize = base + fixed + stream.bytes.size();
  if (!volumeSize && installerSize > kSizeWordLimit) {
    *error = "the installer would be " + std::to_string(installerSize) +
             " bytes; one file holds at most 4294967295 (set VolumeSize to split it)";
    return false;
  }
  header.totalSize = static_cast<uint32_t>(stream.decodedTotal);
  header.licenceSize = stream.licenceSize;
  header.licenceOffset = stream.licenceSize ? static_cast<uint32_t>(streamStart) : 0;
  header.readmeSize = stream.readmeSize;
  header.readmeOffset = stream.readmeSize ? static_cast<uint32_t>(streamStart + stream.licenceSize) : 0;

  OutputFile installer;
  installer.name = kInstallerFileName;
  installer.bytes = prefix;
  if (!volumeSize) {
    AppendPackageStart(&installer.bytes, installerSize, header, strings);
    installer.bytes.insert(installer.bytes.end(), stream.bytes.begin(), stream.bytes.end());
  }
  files->push_back(std::move(installer));
  if (volumeSize) SplitIntoVolumes(header, strings, stream, volumeSize, files);
  return true;
}
