// The 69-byte package header behind the volume size word of volume 1.
#pragma once
#include <stdint.h>

#include "layout.h"

#pragma pack(push, 1)
struct PackageHeader {
  uint32_t totalSize;        // decoded sizes of all file records, text blocks included
  uint32_t stringsSize;      // length of the string table
  uint16_t shortcutCount;    // 4 strings each
  uint16_t registryCount;    // 5 strings each
  uint16_t iniCount;         // 4 strings each
  uint8_t offerGroup;
  uint8_t offerReadme;
  uint8_t deleteAfterRun;
  uint8_t offerRun;
  uint8_t tailLogPath;
  uint8_t writeLog;
  uint8_t hasRegistry;
  uint8_t hasIni;
  uint32_t licenceOffset;    // from the start of the file that holds volume 1
  uint32_t licenceSize;      // whole record; 0: no licence
  uint32_t readmeOffset;
  uint32_t readmeSize;       // whole record; 0: no readme
  uint8_t reserved38;
  uint8_t reserved39;
  uint8_t fullScreen;
  uint8_t titleBold;
  uint8_t titleItalic;
  uint8_t reserved43;
  uint8_t backgroundColour[3];  // red, green, blue
  uint8_t titleColour[3];
  uint8_t shadowColour[3];
  uint32_t shortcutsOffset;  // byte offsets of the sections in the string table
  uint32_t registryOffset;
  uint32_t iniOffset;
  uint32_t messagesOffset;
};
#pragma pack(pop)

static_assert(sizeof(PackageHeader) == kPackageHeaderSize, "package header is 69 bytes");
static_assert(__builtin_offsetof(PackageHeader, licenceOffset) == 22, "licenceOffset at 22");
static_assert(__builtin_offsetof(PackageHeader, reserved38) == 38, "reserved38 at 38");
static_assert(__builtin_offsetof(PackageHeader, backgroundColour) == 44, "colours at 44");
static_assert(__builtin_offsetof(PackageHeader, shortcutsOffset) == 53, "sections at 53");
static_assert(__builtin_offsetof(PackageHeader, messagesOffset) == 65, "messagesOffset at 65");
