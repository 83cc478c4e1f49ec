#include "record_walker.h"

#include <algorithm>

#include "engine/package/byte_order.h"
#include "engine/package/header_bytes.h"
#include "engine/package/layout.h"
#include "lzari/buffer_decoder.h"
#include "printable_text.h"
#include "record_names.h"

namespace {

struct Walk {
  PackageImage* image;
  const RecordVisitor* visit;
  WalkTotals* totals;
  uint64_t position;                  // next unread stream byte
  std::vector<std::string> openDirs;  // names of the directory records not yet closed
  int recordNumber;
  std::string error;
};

bool Damage(Walk* w, uint64_t offset, const std::string& problem) {
  w->error = w->image->path + ": damaged package: " + problem + " (" + DescribeStreamOffset(*w->image, offset) + ")";
  return false;
}

// The next count bytes of the stream, across volumes.
bool Take(Walk* w, uint64_t count, const char* what, const uint8_t** bytes) {
  std::string problem;
  if (!ReadStreamUpTo(w->image, w->position + count, &problem))
    return Damage(w, w->image->stream.size(), std::string("stream ends inside ") + what + ": " + problem);
  *bytes = &w->image->stream[w->position];
  w->position += count;
  return true;
}

// Where the volume that holds stream byte offset ends.
uint64_t VolumeEnd(const PackageImage& image, uint64_t offset) {
  for (const PackageVolume& volume : image.volumes)
    if (volume.streamBegin > offset) return volume.streamBegin;
  return image.stream.size();
}

bool ReadName(Walk* w, WalkedRecord* r) {
  uint16_t length = r->header.nameLength;
  if (length == 0 || length > kNameLimit)
    return Damage(w, r->offset, "record name of " + std::to_string(length) + " bytes (1 to 255 allowed)");
  const uint8_t* bytes;
  if (!Take(w, length, "a record name", &bytes)) return false;
  r->name.assign(reinterpret_cast<const char*>(bytes), length);
  if (r->name.find('\0') != std::string::npos) return Damage(w, r->offset, "record name holds a NUL byte");
  return true;
}

// Zero bytes after a file's data, up to the next record.
bool SkipFiller(Walk* w, WalkedRecord* r) {
  std::string ignored;
  while (true) {
    if (w->position == w->image->stream.size() && !ReadStreamUpTo(w->image, w->position + 1, &ignored)) break;
    if (w->image->stream[w->position] != 0) break;
    w->position++;
    r->fillerBytes++;
  }
  if (r->fillerBytes > kFillerLimit)
    return Damage(w, w->position, std::to_string(r->fillerBytes) + " zero bytes after " + PrintableText(r->name) +
                                      " (the installer steps over at most " + std::to_string(kFillerLimit) + ")");
  return true;
}

bool DecodeBody(Walk* w, WalkedRecord* r, std::vector<uint8_t>* data) {
  const uint8_t* sizeWord;
  if (!Take(w, 4, "a decoded-size word", &sizeWord)) return false;
  uint32_t decodedSize = LoadU32(sizeWord);
  if (decodedSize > w->image->header.totalSize - w->totals->decoded)
    return Damage(w, r->offset, PrintableText(r->name) + " decodes to " + std::to_string(decodedSize) +
                                    " bytes, more than totalSize leaves for it");
  size_t consumed = 0;
  LzStatus status = kLzOk;
  for (bool readAll = false;; readAll = true) {
    status = LzDecodeBuffer(w->image->stream.data() + w->position, w->image->stream.size() - w->position, decodedSize,
                            data, &consumed);
    if (status != kLzTruncated || readAll) break;
    if (!ReadAllVolumes(w->image, &w->error)) return false;  // the stream runs on into later volumes
  }
  if (status == kLzTruncated) {
    std::string reason;
    ReadStreamUpTo(w->image, w->image->stream.size() + 1, &reason);
    return Damage(w, w->image->stream.size(), "stream ends inside the compressed data of " + PrintableText(r->name) + ": " + reason);
  }
  if (status == kLzOverrun) return Damage(w, w->position, "the compressed data of " + PrintableText(r->name) + " is damaged");
  w->position += consumed;
  r->bodySize = 4 + consumed;
  return true;
}

bool ReadFileRecord(Walk* w, WalkedRecord* r, std::vector<uint8_t>* data) {
  std::string problem;
  if (!ReadName(w, r)) return false;
  if (!ResolveFileName(r->name, w->openDirs, &r->path, &problem))
    return Damage(w, r->offset, "file name " + PrintableText(r->name) + ": " + problem);
  if (!DecodeBody(w, r, data)) return false;
  r->length = w->position - r->offset;
  if (!SkipFiller(w, r)) return false;
  r->data = data;
  w->totals->files++;
  w->totals->decoded += data->size();
  return true;
}

bool ReadDirectoryRecord(Walk* w, WalkedRecord* r) {
  std::string problem;
  if (!ReadName(w, r)) return false;
  if (!CheckDirectoryName(r->name, &problem)) return Damage(w, r->offset, "directory name " + PrintableText(r->name) + ": " + problem);
  w->openDirs.push_back(r->name);
  r->path.assign(1, kInstallFolder);
  r->path.insert(r->path.end(), w->openDirs.begin(), w->openDirs.end());
  r->length = w->position - r->offset;
  w->totals->directories++;
  return true;
}

bool ReadUpRecord(Walk* w, WalkedRecord* r) {
  if (w->openDirs.empty()) return Damage(w, r->offset, "up record with no directory open (it would leave the installation directory)");
  if (r->header.nameLength != w->openDirs.back().size())
    return Damage(w, r->offset, "up record's name length " + std::to_string(r->header.nameLength) + " does not match directory " +
                                    w->openDirs.back());
  w->openDirs.pop_back();
  r->length = kRecordHeaderSize;
  return true;
}

bool CheckEndRecord(Walk* w, const WalkedRecord& r, const uint8_t* bytes) {
  for (int i = 1; i < kRecordHeaderSize; i++)
    if (bytes[i]) return Damage(w, r.offset, "end record with non-zero bytes");
  if (!w->openDirs.empty()) return Damage(w, r.offset, "end record while directory " + w->openDirs.back() + " is still open");
  uint64_t volumeEnd = VolumeEnd(*w->image, r.offset + kRecordHeaderSize - 1);
  if (w->position != volumeEnd)
    return Damage(w, w->position, std::to_string(volumeEnd - w->position) + " bytes after the end record");
  if (w->totals->decoded != w->image->header.totalSize)
    return Damage(w, r.offset, "totalSize is " + std::to_string(w->image->header.totalSize) + " but the files add up to " +
                                   std::to_string(w->totals->decoded));
  return true;
}

// The header's licence and readme fields must describe the first records:
// the installer loads them from there before it reads the stream.
bool CheckTextBlock(Walk* w, const WalkedRecord& r, const char* what, uint32_t offset, uint32_t size) {
  uint64_t fileOffset = StreamStartOffset(*w->image) + r.offset;
  if (offset != fileOffset)
    return Damage(w, r.offset, std::string(what) + " offset is " + std::to_string(offset) + " but its record starts at " +
                                   std::to_string(fileOffset));
  if (r.header.type != kRecordFile) return Damage(w, r.offset, std::string(what) + " offset points at a record that is not a file");
  if (size < r.length || size > r.length + r.fillerBytes)
    return Damage(w, r.offset, std::string(what) + " size is " + std::to_string(size) + " but its record has " +
                                   std::to_string(r.length) + " bytes");
  const PackageVolume& first = w->image->volumes.front();
  if (r.offset + size > first.fileSize - first.fileOffset)
    return Damage(w, r.offset, std::string(what) + " text does not lie wholly in volume 1");
  if (r.bodySize > kTextBlockBodyLimit || r.data->size() >= kTextDecodedLimit)
    return Damage(w, r.offset, std::string(what) + " text too large for the installer's text buffers");
  if (r.name.empty() || r.name[0] != '"') return Damage(w, r.offset, std::string(what) + " text has no quoted name");
  return true;
}

bool CheckTextBlocks(Walk* w, const WalkedRecord& r) {
  const PackageHeader& h = w->image->header;
  int licenceAt = h.licenceSize ? 0 : -1;
  int readmeAt = h.readmeSize ? licenceAt + 1 : -1;
  if (w->recordNumber == licenceAt) return CheckTextBlock(w, r, "licence", h.licenceOffset, h.licenceSize);
  if (w->recordNumber == readmeAt) return CheckTextBlock(w, r, "readme", h.readmeOffset, h.readmeSize);
  return true;
}

bool ReadRecord(Walk* w, bool* ended) {
  WalkedRecord r;
  r.offset = w->position;
  r.depth = static_cast<int>(w->openDirs.size());
  const uint8_t* taken;
  if (!Take(w, kRecordHeaderSize, "a record header", &taken)) return false;
  uint8_t bytes[kRecordHeaderSize];
  std::copy(taken, taken + kRecordHeaderSize, bytes);
  LoadRecordHeader(bytes, &r.header);
  std::vector<uint8_t> data;
  bool ok = false;
  switch (r.header.type) {
    case kRecordFile: ok = ReadFileRecord(w, &r, &data); break;
    case kRecordDirectory: ok = ReadDirectoryRecord(w, &r); break;
    case kRecordUp: ok = ReadUpRecord(w, &r); break;
    case kRecordEnd:
      r.length = kRecordHeaderSize;
      ok = CheckEndRecord(w, r, bytes);
      *ended = true;
      break;
    default: return Damage(w, r.offset, "unknown record type " + std::to_string(r.header.type));
  }
  if (ok) ok = CheckTextBlocks(w, r);
  w->totals->stored += r.length + r.fillerBytes;
  std::string problem;
  if (ok && *w->visit && !(*w->visit)(r, &problem)) {
    w->error = problem;
    return false;
  }
  w->recordNumber++;
  return ok;
}

}  // namespace

bool WalkRecords(PackageImage* image, const RecordVisitor& visit, WalkTotals* totals, std::string* error) {
  *totals = WalkTotals();
  Walk w = {image, &visit, totals, 0, {}, 0, ""};
  const PackageHeader& h = image->header;
  bool ended = false;
  while (!ended)
    if (!ReadRecord(&w, &ended)) {
      *error = w.error;
      return false;
    }
  if (w.recordNumber < (h.licenceSize ? 1 : 0) + (h.readmeSize ? 1 : 0)) {
    *error = image->path + ": damaged package: the header announces text blocks the stream does not hold";
    return false;
  }
  return true;
}
