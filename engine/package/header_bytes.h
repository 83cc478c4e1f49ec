// The package header and the record header as bytes on disk.  The packed
// records match the file layout on a little-endian host; these functions
// give the same bytes on every host.
#pragma once
#include <stdint.h>

#include "package_header.h"
#include "record_header.h"

void StoreRecordHeader(const RecordHeader* header, uint8_t* bytes);   // kRecordHeaderSize bytes
void LoadRecordHeader(const uint8_t* bytes, RecordHeader* header);
void StorePackageHeader(const PackageHeader* header, uint8_t* bytes); // kPackageHeaderSize bytes
void LoadPackageHeader(const uint8_t* bytes, PackageHeader* header);
