// The options dialog's space check works in whole kilobytes.
#pragma once
#include <stdint.h>

// Kilobytes that a package of totalSize bytes needs (truncated).
static inline uint32_t RequiredKilobytes(uint32_t totalSize) { return totalSize >> 10; }

// Free kilobytes of a drive from its geometry, as the check compares them:
// ((bytesPerSector * sectorsPerCluster) / 4) * freeClusters / 256, without
// overflow; a figure beyond 32 bits is held at the largest one.
uint32_t FreeKilobytes(uint32_t bytesPerSector, uint32_t sectorsPerCluster, uint32_t freeClusters);
