// Reads a package's record stream from start to end record and checks it
// on the way: record types, names, decoded data, filler, the text blocks
// the header points at, totalSize, and that nothing follows the end record.
// The first fault ends the walk with one message.
#pragma once
#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/package/record_header.h"
#include "package_image.h"

struct WalkedRecord {
  RecordHeader header = {};
  std::string name;
  uint64_t offset = 0;        // stream offset of the record header
  uint64_t length = 0;        // header, name and body; filler not counted
  uint64_t bodySize = 0;      // file records: size word and stream
  uint32_t fillerBytes = 0;
  int depth = 0;              // directory records open around it
  std::vector<std::string> path;  // files and directories: where it lands below the output directory
  const std::vector<uint8_t>* data = nullptr;  // file records: the decoded bytes
};

// Returns false with a problem to stop the walk.
typedef std::function<bool(const WalkedRecord& record, std::string* problem)> RecordVisitor;

struct WalkTotals {
  uint64_t files = 0;
  uint64_t directories = 0;
  uint64_t decoded = 0;
  uint64_t stored = 0;   // all record bytes, filler included
};

bool WalkRecords(PackageImage* image, const RecordVisitor& visit, WalkTotals* totals, std::string* error);
