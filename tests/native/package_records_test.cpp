// Record headers and the package header as bytes: the same bytes on any
// host, read from any alignment.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/package/header_bytes.h"
#include "engine/package/layout.h"

namespace {

// The licence record header of the worked example: a file record, mode 0,
// attributes 0x20, time 2000-07-07 11:50:30 UTC, name length 27.
const uint8_t kLicenceHeader[kRecordHeaderSize] = {0x01, 0x00, 0x20, 0x00, 0x00, 0x00, 0x00, 0x07,
                                                   0x8C, 0x8C, 0x09, 0xE8, 0xBF, 0x01, 0x1B, 0x00};

TEST(PackageRecords, RecordHeaderMatchesTheWorkedExampleBytes) {
  RecordHeader header = {kRecordFile, kOverwriteAlways, kAttributeArchive, 0x01BFE8098C8C0700ULL, 27};
  uint8_t bytes[kRecordHeaderSize];
  StoreRecordHeader(&header, bytes);
  EXPECT_EQ(0, std::memcmp(bytes, kLicenceHeader, sizeof bytes));

  // Read back from an odd address: no alignment is assumed.
  uint8_t shifted[kRecordHeaderSize + 1];
  std::memcpy(shifted + 1, kLicenceHeader, kRecordHeaderSize);
  RecordHeader read;
  LoadRecordHeader(shifted + 1, &read);
  EXPECT_EQ(+read.type, kRecordFile);
  EXPECT_EQ(+read.overwriteMode, 0);
  EXPECT_EQ(+read.attributes, 0x20u);
  EXPECT_EQ(+read.fileTime, 0x01BFE8098C8C0700ULL);
  EXPECT_EQ(+read.nameLength, 27);
}

TEST(PackageRecords, PackageHeaderFieldsLandAtTheirOffsetsLittleEndian) {
  PackageHeader h = {};
  h.totalSize = 884767;
  h.stringsSize = 1738;
  h.shortcutCount = 3;
  h.registryCount = 0x0102;
  h.iniCount = 0x0304;
  h.offerRun = 1;
  h.licenceOffset = 55179;
  h.licenceSize = 613;
  h.readmeOffset = 55792;
  h.readmeSize = 593;
  h.fullScreen = 1;
  const uint8_t background[3] = {10, 10, 255};
  std::memcpy(h.backgroundColour, background, 3);
  h.shadowColour[2] = 120;
  h.shortcutsOffset = 139;
  h.messagesOffset = 0xA1B2C3D4;

  uint8_t bytes[kPackageHeaderSize];
  StorePackageHeader(&h, bytes);
  const struct {
    int offset;
    std::vector<uint8_t> expected;
  } fields[] = {
      {0, {0x1F, 0x80, 0x0D, 0x00}},  // totalSize 884767
      {4, {0xCA, 0x06, 0x00, 0x00}},  // stringsSize 1738
      {8, {0x03, 0x00, 0x02, 0x01, 0x04, 0x03}},
      {17, {0x01}},                   // offerRun
      {22, {0x8B, 0xD7, 0x00, 0x00, 0x65, 0x02, 0x00, 0x00}},
      {30, {0xF0, 0xD9, 0x00, 0x00, 0x51, 0x02, 0x00, 0x00}},
      {40, {0x01}},                   // fullScreen
      {44, {10, 10, 255}},
      {52, {120}},
      {53, {139, 0, 0, 0}},
      {65, {0xD4, 0xC3, 0xB2, 0xA1}},
  };
  for (const auto& field : fields)
    for (size_t i = 0; i < field.expected.size(); i++)
      EXPECT_EQ(bytes[field.offset + i], field.expected[i]) << "byte " << field.offset + i;

  uint8_t shifted[kPackageHeaderSize + 3];
  std::memcpy(shifted + 3, bytes, kPackageHeaderSize);
  PackageHeader read;
  LoadPackageHeader(shifted + 3, &read);
  EXPECT_EQ(0, std::memcmp(&read, &h, sizeof h));
}

TEST(PackageRecords, EveryHeaderByteSurvivesARoundTrip) {
  uint8_t bytes[kPackageHeaderSize], again[kPackageHeaderSize];
  for (int i = 0; i < kPackageHeaderSize; i++) bytes[i] = static_cast<uint8_t>(i * 37 + 11);
  PackageHeader h;
  LoadPackageHeader(bytes, &h);
  StorePackageHeader(&h, again);
  EXPECT_EQ(0, std::memcmp(bytes, again, sizeof bytes));
}

}  // namespace
