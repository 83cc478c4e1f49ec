// Little-endian numbers in byte arrays, byte by byte, so that records read
// and write the same on any host and at any alignment.
#pragma once
#include <stdint.h>

static inline uint16_t LoadU16(const uint8_t* p) {
  return (uint16_t)(p[0] | (p[1] << 8));
}

static inline uint32_t LoadU32(const uint8_t* p) {
  return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

static inline uint64_t LoadU64(const uint8_t* p) {
  return (uint64_t)LoadU32(p) | ((uint64_t)LoadU32(p + 4) << 32);
}

static inline void StoreU16(uint8_t* p, uint16_t v) {
  p[0] = (uint8_t)v;
  p[1] = (uint8_t)(v >> 8);
}

static inline void StoreU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; i++) p[i] = (uint8_t)(v >> (8 * i));
}

static inline void StoreU64(uint8_t* p, uint64_t v) {
  StoreU32(p, (uint32_t)v);
  StoreU32(p + 4, (uint32_t)(v >> 32));
}
