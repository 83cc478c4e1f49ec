#include "record_stream_writer.h"

#include <sys/stat.h>

#include "engine/package/header_bytes.h"
#include "engine/package/layout.h"
#include "engine/package/record_header.h"
#include "file_io.h"
#include "file_time.h"
#include "lzari/encoder.h"
#include "project_lines.h"

namespace {

const char kInstallPathPrefix[] = "\"%installpath%\\";

struct Writer {
  const Project* project;
  const BuildProgress* progress;
  RecordStream* stream;
  uint64_t bytesDone;
  uint64_t bytesTotal;
  std::string error;
};

void AppendHeader(Writer* w, uint8_t type, uint8_t overwriteMode, uint32_t attributes, uint64_t fileTime,
                  uint16_t nameLength) {
  RecordHeader header = {type, overwriteMode, attributes, fileTime, nameLength};
  uint8_t bytes[kRecordHeaderSize];
  StoreRecordHeader(&header, bytes);
  w->stream->bytes.insert(w->stream->bytes.end(), bytes, bytes + kRecordHeaderSize);
}

void AppendName(Writer* w, const std::string& name) {
  w->stream->bytes.insert(w->stream->bytes.end(), name.begin(), name.end());
}

// A file record: header, name, body.  The body is exactly what the
// installer's decoder consumes, so no filler follows it.  Returns the
// record's length.
uint64_t AppendFileRecord(Writer* w, const InstallFile& file, const std::vector<uint8_t>& body) {
  uint64_t start = w->stream->bytes.size();
  AppendHeader(w, kRecordFile, file.overwriteMode, file.attributes, file.fileTime,
               static_cast<uint16_t>(file.name.size()));
  AppendName(w, file.name);
  w->stream->bytes.insert(w->stream->bytes.end(), body.begin(), body.end());
  w->stream->decodedTotal += file.size;
  w->stream->fileRecords++;
  w->bytesDone += file.size;
  if (*w->progress) (*w->progress)(w->bytesDone, w->bytesTotal);
  return w->stream->bytes.size() - start;
}

bool ReadSource(Writer* w, const InstallFile& file, std::vector<uint8_t>* data) {
  std::string problem;
  if (ReadFileBytes(file.sourcePath, data, &problem) && data->size() == file.size) return true;
  if (problem.empty()) problem = "changed size while the package was built";
  w->error = ProjectError(w->project->path, file.line, file.sourcePath + ": " + problem);
  return false;
}

bool WriteFile(Writer* w, const InstallFile& file) {
  std::vector<uint8_t> data;
  if (!ReadSource(w, file, &data)) return false;
  AppendFileRecord(w, file, LzEncodeRecordBody(data.data(), data.size()));
  return true;
}

// A text block must suit the launcher's block decoder and the loader's
// fixed places for it in the decoder's input buffer.
bool WriteTextBlock(Writer* w, const TextBlockItem& item, const char* what, uint32_t* recordSize) {
  if (item.source.empty()) return true;
  InstallFile file;
  file.sourcePath = item.source[0] == '/' ? item.source : JoinPath(w->project->baseDir, item.source);
  file.name = kInstallPathPrefix + item.name + "\"";
  file.attributes = kAttributeArchive;
  file.line = item.line;
  struct stat info;
  if (stat(file.sourcePath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    w->error = ProjectError(w->project->path, item.line, std::string("the ") + what + " text '" + item.source +
                                                             "' is not a readable file");
    return false;
  }
  file.size = static_cast<uint64_t>(info.st_size);
  file.fileTime = w->project->fixedTime ? w->project->fileTime : FileTimeFromStat(info);
  std::vector<uint8_t> data;
  if (!ReadSource(w, file, &data)) return false;
  std::string problem;
  if (data.size() >= kTextDecodedLimit)
    problem = std::to_string(data.size()) + " bytes; the installer shows texts of at most " +
              std::to_string(kTextDecodedLimit - 1);
  if (file.name.size() > kNameLimit) problem = "its installed name is longer than 255 bytes";
  std::vector<uint8_t> body;
  if (problem.empty()) body = LzEncodeRecordBody(data.data(), data.size());
  if (problem.empty() && body.size() > kTextBlockBodyLimit)
    problem = "it compresses to " + std::to_string(body.size()) + " bytes; a text block holds at most " +
              std::to_string(kTextBlockBodyLimit);
  if (!problem.empty()) {
    w->error = ProjectError(w->project->path, item.line, std::string("the ") + what + " text '" + item.source + "': " + problem);
    return false;
  }
  *recordSize = static_cast<uint32_t>(AppendFileRecord(w, file, body));
  return true;
}

bool WriteDirectory(Writer* w, const InstallDir& dir) {
  for (const auto& entry : dir.files)
    if (!WriteFile(w, entry.second)) return false;
  for (const auto& entry : dir.dirs) {
    const InstallDir& child = entry.second;
    uint16_t length = static_cast<uint16_t>(child.name.size());
    AppendHeader(w, kRecordDirectory, 0, kAttributeDirectory, child.fileTime, length);
    AppendName(w, child.name);
    if (!WriteDirectory(w, child)) return false;
    AppendHeader(w, kRecordUp, 0, kAttributeDirectory, child.fileTime, length);
  }
  return true;
}

}  // namespace

bool WriteRecordStream(const Project& project, const InstallTree& tree, const BuildProgress& progress,
                       RecordStream* stream, std::string* error) {
  *stream = RecordStream();
  if (tree.byteCount > 0xFFFFFFFFULL) {
    *error = ProjectError(project.path, 0, "the package's files add up to 4 GiB or more; the installer counts in 32 bits");
    return false;
  }
  Writer w = {&project, &progress, stream, 0, tree.byteCount, ""};
  bool ok = WriteTextBlock(&w, project.licence, "licence", &stream->licenceSize) &&
            WriteTextBlock(&w, project.readme, "readme", &stream->readmeSize) && WriteDirectory(&w, tree.root);
  for (auto it = tree.absolute.begin(); ok && it != tree.absolute.end(); ++it) ok = WriteFile(&w, it->second);
  if (!ok) {
    *error = w.error;
    return false;
  }
  AppendHeader(&w, kRecordEnd, 0, 0, 0, 0);
  if (stream->decodedTotal > 0xFFFFFFFFULL) {
    *error = ProjectError(project.path, 0, "the package's files add up to 4 GiB or more; the installer counts in 32 bits");
    return false;
  }
  return true;
}
