// A package as the tool reads it back: volume 1 (inside an installer
// executable or in disk1.pak), its header and string table, and the record
// stream gathered from the volumes.  Volumes after the first are read only
// when the stream reaches them; every size word is checked on reading.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "engine/package/package_header.h"

struct PackageVolume {
  std::string path;
  uint64_t fileSize = 0;
  uint64_t streamBegin = 0;  // where its bytes start in the whole stream
  uint64_t fileOffset = 0;   // file offset of its first stream byte
};

struct PackageImage {
  std::string path;          // what the user named
  bool embedded = false;     // inside the executable
  uint64_t base = 0;         // offset of volume 1's size word: kPackageBase or 0
  PackageHeader header = {};
  std::vector<char> strings;
  std::vector<uint8_t> stream;           // the stream bytes read so far
  std::vector<PackageVolume> volumes;    // read so far
};

// Opens volume 1 and checks its size word, header and string table.
bool OpenPackage(const std::string& path, PackageImage* image, std::string* error);

// Reads further volumes until the stream holds at least end bytes.  False
// when it ends sooner: error then tells why (a missing or damaged volume,
// or simply the end of the last one).
bool ReadStreamUpTo(PackageImage* image, uint64_t end, std::string* error);

// Reads every further volume there is.
bool ReadAllVolumes(PackageImage* image, std::string* error);

// "disk2.pak offset 1234" for a stream offset.
std::string DescribeStreamOffset(const PackageImage& image, uint64_t offset);

// The volume file that would follow the ones read, if it exists.
bool NextVolumeExists(const PackageImage& image, std::string* path);

// File offset of volume 1's stream start (licence and readme offsets count
// from the same place).
uint64_t StreamStartOffset(const PackageImage& image);
