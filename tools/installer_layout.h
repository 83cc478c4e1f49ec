// The files of a finished installer: setup.exe with the package inside,
// or, with a volume size, setup.exe of kPackageBase bytes and the volumes
// disk1.pak, disk2.pak, ...  Fills the header fields that depend on where
// things land.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "engine/package/package_header.h"
#include "record_stream_writer.h"

extern const char kInstallerFileName[];  // "setup.exe"

struct OutputFile {
  std::string name;
  std::vector<uint8_t> bytes;
};

// header arrives with the string table's fields and the project's flags;
// totalSize and the text block offsets and sizes are set here.
bool LayOutInstaller(const std::vector<uint8_t>& prefix, PackageHeader header, const std::vector<char>& strings,
                     const RecordStream& stream, uint64_t volumeSize, std::vector<OutputFile>* files,
                     std::string* error);

std::string VolumeFileName(int number);
