#include "engine/choices/free_space.h"

uint32_t FreeKilobytes(uint32_t bytesPerSector, uint32_t sectorsPerCluster, uint32_t freeClusters) {
  uint64_t quartersPerCluster = (static_cast<uint64_t>(bytesPerSector) * sectorsPerCluster) >> 2;
  uint64_t kilobytes = (quartersPerCluster * freeClusters) >> 8;
  return kilobytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(kilobytes);
}
