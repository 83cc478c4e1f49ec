// Fixed positions and limits of an installer file.  The launcher, the
// engine, the uninstaller and the authoring tool all take them from here.
#pragma once

enum {
  kLauncherImageSize = 19968,   // the launcher's own image
  kEngineBlockOffset = 19968,   // compressed engine module starts here
  kEngineBlockSize = 33400,     // engine block slot, filler 0x30 behind the stream
  kEngineFillerByte = 0x30,
  kEngineModuleLimit = 65535,   // decoded engine module
  kPackageBase = 53368,         // package of an installer that carries one
  kVolumeSizeWordSize = 4,
  kPackageHeaderSize = 69,
  kRecordHeaderSize = 16,
  kFillerLimit = 4,             // zero bytes the reader steps over after a file's data
  kTextBlockBodyLimit = 32000,  // licence body at input[0], readme at input[32000]
  kTextDecodedLimit = 65280,    // a text must decode to less than this
  kNameLimit = 255,             // record names: read into a 256-byte field
  kPathTextSize = 256,          // path and name buffers
  kWorkTextSize = 500,          // the engine's work texts
  kFontFaceLimit = 31,          // longest font face name
  kIoBufferSize = 65535,        // launcher buffers, reader and writer buffers
};

// Volume files: "disk1.pak", "disk2.pak", ...
#define TOLVANE_VOLUME_FORMAT "disk%i.pak"
