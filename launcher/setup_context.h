// The record the launcher hands to the engine's MainFunc: paths, and the
// launcher's block decoder with its two buffers.  Both modules are built
// separately, so this header is the one description of the layout.
#pragma once
#include <stdint.h>

#include "../engine/package/layout.h"

typedef void (*BlockDecoderEntry)(void);

#pragma pack(push, 1)
struct SetupContext {
  char modulePath[kPathTextSize];   // the installer executable
  char volumePath[kPathTextSize];   // volume 1: the executable or disk1.pak
  char exeDir[kPathTextSize];       // no trailing backslash
  char tempDir[kPathTextSize];      // value of %temppath%
  char windowsDir[kPathTextSize];   // value of %winpath%
  char systemDir[kPathTextSize];    // value of %syspath%
  char volumeDir[kPathTextSize];    // where volumes 2, 3, ... are looked for
  BlockDecoderEntry decode;         // decodes the block at input into output
  uint8_t* input;                   // kIoBufferSize bytes
  uint8_t* output;                  // kIoBufferSize bytes
};
#pragma pack(pop)

static_assert(sizeof(SetupContext) == 7 * kPathTextSize + 3 * sizeof(void*),
              "setup context has no gaps");
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(SetupContext) == 1804, "32-bit setup context");
#elif defined(_WIN64)
static_assert(sizeof(SetupContext) == 1816, "64-bit setup context");
#endif
