// The record stream of a package: the licence and readme text blocks, the
// tree below the installation directory as directory, file and up records,
// the files with absolute destinations, and the end record.
#pragma once
#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

#include "install_tree.h"
#include "project.h"

struct RecordStream {
  std::vector<uint8_t> bytes;
  uint32_t licenceSize = 0;   // whole record; 0: none (the stream's first record)
  uint32_t readmeSize = 0;    // whole record; 0: none (follows the licence)
  uint64_t decodedTotal = 0;  // sum of all file records' decoded sizes
  uint64_t fileRecords = 0;
};

// Called after each file with the source bytes done so far and in all.
typedef std::function<void(uint64_t done, uint64_t total)> BuildProgress;

// Files with absolute destinations come after everything below the
// installation directory: where the installer's directory cursor stands
// after such a file is then of no consequence.
bool WriteRecordStream(const Project& project, const InstallTree& tree, const BuildProgress& progress,
                       RecordStream* stream, std::string* error);
