#include "package_image.h"

#include <cstdio>

#include "engine/package/byte_order.h"
#include "engine/package/header_bytes.h"
#include "engine/package/layout.h"
#include "engine/package/message_ids.h"
#include "engine/package/string_sections.h"
#include "engine/package/string_table.h"
#include "file_io.h"
#include "installer_layout.h"

namespace {

// The size word at offset in file must equal the file's length.
bool CheckSizeWord(const std::string& path, const std::vector<uint8_t>& file, uint64_t offset, std::string* error) {
  if (file.size() < offset + kVolumeSizeWordSize) {
    *error = path + ": too short for a volume size word (" + std::to_string(file.size()) + " bytes)";
    return false;
  }
  uint32_t word = LoadU32(&file[offset]);
  if (word != file.size()) {
    *error = path + ": its size word says " + std::to_string(word) + " bytes, but the file has " +
             std::to_string(file.size()) + " (a truncated or damaged volume)";
    return false;
  }
  return true;
}

// The section holds count items of perItem strings inside the block.
bool CheckSection(const PackageImage& image, const char* what, uint32_t offset, uint32_t count, int perItem,
                  std::string* error) {
  if (count == 0) return true;
  if (!SectionString(image.strings.data(), static_cast<uint32_t>(image.strings.size()), offset,
                     static_cast<int>(count) * perItem)) {
    *error = image.path + ": damaged string table: the " + what + " section (offset " + std::to_string(offset) +
             ") does not hold " + std::to_string(count * perItem) + " strings";
    return false;
  }
  return true;
}

bool CheckStringTable(const PackageImage& image, std::string* error) {
  const PackageHeader& h = image.header;
  return CheckSection(image, "main", 0, 1, kMainStringCount, error) &&
         CheckSection(image, "shortcut", h.shortcutsOffset, h.shortcutCount, kShortcutStrings, error) &&
         CheckSection(image, "registry", h.registryOffset, h.registryCount, kRegistryStrings, error) &&
         CheckSection(image, "INI", h.iniOffset, h.iniCount, kIniStrings, error) &&
         CheckSection(image, "message", h.messagesOffset, 1, kMessageCount, error);
}

bool IsLaterVolumeName(const std::string& name) {
  int number = 0;
  char rest = 0;
  return std::sscanf(name.c_str(), "disk%d.pa%c", &number, &rest) == 2 && number > 1 && name == VolumeFileName(number);
}

void AppendVolume(PackageImage* image, const std::string& path, const std::vector<uint8_t>& file, uint64_t from) {
  PackageVolume volume;
  volume.path = path;
  volume.fileSize = file.size();
  volume.streamBegin = image->stream.size();
  volume.fileOffset = from;
  image->stream.insert(image->stream.end(), file.begin() + static_cast<long>(from), file.end());
  image->volumes.push_back(volume);
}

std::string NextVolumePath(const PackageImage& image) {
  return JoinPath(DirectoryOf(image.volumes.front().path), VolumeFileName(static_cast<int>(image.volumes.size()) + 1));
}

bool ReadNextVolume(PackageImage* image, std::string* error) {
  std::string path = NextVolumePath(*image), problem;
  std::vector<uint8_t> file;
  if (!ReadFileBytes(path, &file, &problem)) {
    *error = path + ": " + problem + " (the record stream continues past the end of " + image->volumes.back().path + ")";
    return false;
  }
  if (!CheckSizeWord(path, file, 0, error)) return false;
  AppendVolume(image, path, file, kVolumeSizeWordSize);
  return true;
}

// Volume 1: the executable when it carries a package, else disk1.pak beside it.
bool ReadVolumeOne(const std::string& path, PackageImage* image, std::vector<uint8_t>* file, std::string* volumePath,
                   std::string* error) {
  std::string problem;
  if (IsLaterVolumeName(BaseName(path))) {
    *error = path + ": a later volume; name the installer or disk1.pak";
    return false;
  }
  if (!ReadFileBytes(path, file, &problem)) {
    *error = path + ": " + problem;
    return false;
  }
  *volumePath = path;
  bool executable = file->size() >= 2 && (*file)[0] == 'M' && (*file)[1] == 'Z';
  if (!executable) return true;
  if (file->size() > kPackageBase) {
    image->embedded = true;
    image->base = kPackageBase;
    return true;
  }
  *volumePath = JoinPath(DirectoryOf(path), VolumeFileName(1));
  if (!ReadFileBytes(*volumePath, file, &problem)) {
    *error = path + " carries no package, and " + *volumePath + ": " + problem;
    return false;
  }
  return true;
}

}  // namespace

bool OpenPackage(const std::string& path, PackageImage* image, std::string* error) {
  *image = PackageImage();
  image->path = path;
  std::vector<uint8_t> file;
  std::string volumePath;
  if (!ReadVolumeOne(path, image, &file, &volumePath, error)) return false;
  if (!CheckSizeWord(volumePath, file, image->base, error)) return false;
  uint64_t headerAt = image->base + kVolumeSizeWordSize;
  if (file.size() < headerAt + kPackageHeaderSize) {
    *error = volumePath + ": too short for the package header";
    return false;
  }
  LoadPackageHeader(&file[headerAt], &image->header);
  uint64_t stringsAt = headerAt + kPackageHeaderSize;
  if (file.size() - stringsAt < image->header.stringsSize) {
    *error = volumePath + ": the string table (" + std::to_string(image->header.stringsSize) +
             " bytes) runs past the end of volume 1";
    return false;
  }
  image->strings.assign(file.begin() + static_cast<long>(stringsAt),
                        file.begin() + static_cast<long>(stringsAt + image->header.stringsSize));
  image->path = volumePath;
  if (!CheckStringTable(*image, error)) return false;
  AppendVolume(image, volumePath, file, stringsAt + image->header.stringsSize);
  return true;
}

bool ReadStreamUpTo(PackageImage* image, uint64_t end, std::string* error) {
  while (image->stream.size() < end) {
    std::string next;
    if (!NextVolumeExists(*image, &next)) {
      *error = "the record stream ends early, at the end of " + image->volumes.back().path + " (" + BaseName(next) +
               " does not exist)";
      return false;
    }
    if (!ReadNextVolume(image, error)) return false;
  }
  return true;
}

bool ReadAllVolumes(PackageImage* image, std::string* error) {
  std::string next;
  while (NextVolumeExists(*image, &next))
    if (!ReadNextVolume(image, error)) return false;
  return true;
}

bool NextVolumeExists(const PackageImage& image, std::string* path) {
  *path = NextVolumePath(image);
  return IsRegularFile(*path);
}

std::string DescribeStreamOffset(const PackageImage& image, uint64_t offset) {
  const PackageVolume* at = &image.volumes.front();
  for (const PackageVolume& volume : image.volumes)
    if (volume.streamBegin <= offset) at = &volume;
  return BaseName(at->path) + " offset " + std::to_string(at->fileOffset + (offset - at->streamBegin));
}

uint64_t StreamStartOffset(const PackageImage& image) {
  return image.base + kVolumeSizeWordSize + kPackageHeaderSize + image.header.stringsSize;
}
