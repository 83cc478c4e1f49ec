// tolvane lzari: compresses a file into a raw LZARI block (u32 decoded size,
// then the stream) or decompresses one.  Not bound to the launcher's 65535
// bytes: any size a u32 holds.
#include <errno.h>
#include <fcntl.h>
#include <stdint.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "lzari/buffer_decoder.h"
#include "lzari/encoder.h"
#include "lzari/format.h"

namespace {

const char kUsage[] =
    "usage: tolvane lzari compress IN OUT\n"
    "       tolvane lzari decompress IN OUT\n"
    "\n"
    "compress    writes IN as an LZARI block: its size as a 32-bit\n"
    "            little-endian number, then the coded stream\n"
    "decompress  writes the bytes the block IN decodes to\n"
    "\n"
    "IN may hold up to 4294967295 bytes.  OUT is written only when all went\n"
    "well.\n";

int Fail(const std::string& path, const std::string& problem) {
  std::fprintf(stderr, "tolvane lzari: %s: %s\n", path.c_str(), problem.c_str());
  return 1;
}

// Reads the whole file; refuses one larger than limit before reading it.
bool ReadWholeFile(const std::string& path, uint64_t limit,
                   std::vector<uint8_t>* bytes, std::string* problem) {
  int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) {
    *problem = std::string("cannot open: ") + std::strerror(errno);
    return false;
  }
  struct stat info;
  bool ok = fstat(fd, &info) == 0;
  if (!ok) {
    *problem = std::string("cannot read: ") + std::strerror(errno);
  } else if (static_cast<uint64_t>(info.st_size) > limit) {
    *problem = std::to_string(info.st_size) + " bytes; an LZARI block holds at most " +
               std::to_string(limit);
    ok = false;
  } else {
    bytes->resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (ok && done < bytes->size()) {
      ssize_t got = read(fd, bytes->data() + done, bytes->size() - done);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) {
        *problem = got < 0 ? std::string("cannot read: ") + std::strerror(errno)
                           : "file shrank while being read";
        ok = false;
      }
      if (got > 0) done += static_cast<size_t>(got);
    }
  }
  close(fd);
  return ok;
}

// Writes a neighbour file and renames it over path, so a failure never
// leaves a partial OUT behind.
bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes,
                    std::string* problem) {
  std::string temporary = path + ".tmp-" + std::to_string(getpid());
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd < 0) {
    *problem = std::string("cannot create: ") + std::strerror(errno);
    return false;
  }
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) ok = false;
    else done += static_cast<size_t>(put);
  }
  if (!ok) *problem = std::string("cannot write: ") + std::strerror(errno);
  if (close(fd) != 0 && ok) {
    *problem = std::string("cannot write: ") + std::strerror(errno);
    ok = false;
  }
  if (ok && rename(temporary.c_str(), path.c_str()) != 0) {
    *problem = std::string("cannot replace: ") + std::strerror(errno);
    ok = false;
  }
  if (!ok) unlink(temporary.c_str());
  return ok;
}

int Compress(const std::string& in, const std::string& out) {
  std::vector<uint8_t> data;
  std::string problem;
  if (!ReadWholeFile(in, UINT32_MAX, &data, &problem)) return Fail(in, problem);
  std::vector<uint8_t> block = LzEncodeBlock(data.data(), data.size());
  if (!WriteWholeFile(out, block, &problem)) return Fail(out, problem);
  return 0;
}

int Decompress(const std::string& in, const std::string& out) {
  std::vector<uint8_t> block;
  std::string problem;
  if (!ReadWholeFile(in, SIZE_MAX, &block, &problem)) return Fail(in, problem);
  if (block.size() < kLzSizeBytes)
    return Fail(in, "truncated block: " + std::to_string(block.size()) +
                        " bytes, not even the 4-byte size");
  uint32_t size = block[0] | block[1] << 8 | block[2] << 16 |
                  static_cast<uint32_t>(block[3]) << 24;
  std::vector<uint8_t> data;
  size_t consumed = 0;
  LzStatus status = LzDecodeBuffer(block.data() + kLzSizeBytes,
                                   block.size() - kLzSizeBytes, size, &data, &consumed);
  if (status == kLzTruncated)
    return Fail(in, "truncated block: the stream ends before its " +
                        std::to_string(size) + " bytes are decoded");
  if (status == kLzOverrun)
    return Fail(in, "damaged block: the last match runs past the decoded size " +
                        std::to_string(size));
  if (!WriteWholeFile(out, data, &problem)) return Fail(out, problem);
  return 0;
}

}  // namespace

int CommandLzari(int argc, char** argv) {
  if (argc >= 1 && (!std::strcmp(argv[0], "--help") || !std::strcmp(argv[0], "-h"))) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc != 3 || (std::strcmp(argv[0], "compress") && std::strcmp(argv[0], "decompress"))) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (!std::strcmp(argv[0], "compress")) return Compress(argv[1], argv[2]);
  return Decompress(argv[1], argv[2]);
}
