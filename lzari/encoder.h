// Native-only LZARI encoder for the authoring tool and the tests.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>

// The coded stream of data: exactly the bytes a decoder consumes while
// decoding size bytes (read-ahead bytes included, as zeros).  For size 0
// that is the 3 bytes of the initial code bits, which the block decoder
// reads.  size must be below 4 GiB (std::length_error otherwise).
std::vector<uint8_t> LzEncodeStream(const uint8_t* data, size_t size);

// A block: u32 little-endian size, then the stream.
std::vector<uint8_t> LzEncodeBlock(const uint8_t* data, size_t size);

// A file record's body as a package stores it: u32 decoded size, then the
// stream (absent for size 0, because the streaming decoder then reads
// nothing).  The streaming decoder consumes exactly these bytes, so the
// writer needs no filler behind them.
std::vector<uint8_t> LzEncodeRecordBody(const uint8_t* data, size_t size);
