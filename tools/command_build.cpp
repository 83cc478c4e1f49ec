// tolvane build: project file in, finished installer out.
#include <errno.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "commands.h"
#include "engine/package/layout.h"
#include "file_io.h"
#include "install_tree.h"
#include "installer_layout.h"
#include "project.h"
#include "record_stream_writer.h"
#include "string_table_builder.h"
#include "stubs.h"

namespace {

const char kUsage[] =
    "usage: tolvane build PROJECT [-o DIR] [--arch i686|x86_64] [--stubs DIR] [--quiet]\n"
    "\n"
    "Builds the installer that the project file PROJECT describes (see\n"
    "docs/project-file.md) and writes it into DIR (default: the current\n"
    "directory): setup.exe, and with VolumeSize also disk1.pak, disk2.pak, ...\n"
    "\n"
    "  -o DIR        where the installer goes\n"
    "  --arch ARCH   i686 (default) or x86_64: which launcher and engine to use\n"
    "  --stubs DIR   take launcher.exe and tolvaeng.dll from DIR instead of\n"
    "                the build tree's <arch> directory\n"
    "  --quiet       print nothing but errors\n"
    "\n"
    "The same inputs give byte-identical files.  Nothing is replaced unless\n"
    "the whole installer could be built.\n";

const uint64_t kProgressThreshold = 1 << 20;  // show progress above this many source bytes

struct BuildOptions {
  std::string project;
  std::string outputDir = ".";
  std::string arch = "i686";
  std::string stubDir;
  bool quiet = false;
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "tolvane build: %s\n", message.c_str());
  return 1;
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "tolvane build: %s\n\n%s", message.c_str(), kUsage);
  return 2;
}

// Returns -1 when the options are fine, else the exit code.
int ParseOptions(int argc, char** argv, BuildOptions* options) {
  for (int i = 0; i < argc; i++) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--quiet" || arg == "-q") {
      options->quiet = true;
    } else if (arg == "-o" || arg == "--arch" || arg == "--stubs") {
      if (!hasValue) return UsageError(arg + " needs a value");
      std::string value = argv[++i];
      if (arg == "-o") options->outputDir = value;
      if (arg == "--arch") options->arch = value;
      if (arg == "--stubs") options->stubDir = value;
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError("unknown option " + arg);
    } else if (options->project.empty()) {
      options->project = arg;
    } else {
      return UsageError("more than one project file given");
    }
  }
  if (options->project.empty()) return UsageError("no project file given");
  if (options->arch != "i686" && options->arch != "x86_64") return UsageError("--arch must be i686 or x86_64");
  if (options->stubDir.empty()) options->stubDir = DefaultStubDirectory(options->arch);
  return -1;
}

BuildProgress MakeProgress(const BuildOptions& options, uint64_t total) {
  if (options.quiet || total < kProgressThreshold || !isatty(STDERR_FILENO)) return BuildProgress();
  return [](uint64_t done, uint64_t all) {
    std::fprintf(stderr, "\rcompressing: %3u%%", static_cast<unsigned>(all ? done * 100 / all : 100));
    if (done == all) std::fputc('\n', stderr);
    std::fflush(stderr);
  };
}

// Writes every file under a temporary name first, then renames them all,
// so a failure leaves the previous installer as it was.
bool WriteOutputs(const std::string& dir, const std::vector<OutputFile>& files, std::string* error) {
  if (!MakeDirectories(dir, error)) return false;
  std::vector<std::string> written;
  bool ok = true;
  for (const OutputFile& file : files) {
    std::string temporary = JoinPath(dir, file.name + ".part");
    std::string problem;
    ok = WriteFileBytes(temporary, {&file.bytes}, &problem);
    if (!ok) {
      *error = temporary + ": " + problem;
      unlink(temporary.c_str());
      break;
    }
    written.push_back(temporary);
  }
  for (size_t i = 0; ok && i < files.size(); i++)
    if (rename(written[i].c_str(), JoinPath(dir, files[i].name).c_str()) != 0) {
      *error = JoinPath(dir, files[i].name) + ": cannot replace: " + std::strerror(errno);
      ok = false;
    }
  if (!ok)
    for (const std::string& temporary : written) unlink(temporary.c_str());
  return ok;
}

// Volumes of an earlier build that this one does not have.
std::vector<std::string> RemoveStaleVolumes(const std::string& dir, int firstUnused) {
  std::vector<std::string> removed;
  for (int n = firstUnused; IsRegularFile(JoinPath(dir, VolumeFileName(n))); n++)
    if (unlink(JoinPath(dir, VolumeFileName(n)).c_str()) == 0) removed.push_back(VolumeFileName(n));
  return removed;
}

void PrintSummary(const std::string& dir, const std::vector<OutputFile>& files, const RecordStream& stream) {
  uint64_t bytesOut = 0;
  for (const OutputFile& file : files) {
    std::printf("%s: %zu bytes\n", JoinPath(dir, file.name).c_str(), file.bytes.size());
    bytesOut += file.bytes.size();
  }
  bytesOut -= kPackageBase;  // the launcher and engine are not the package
  double ratio = stream.decodedTotal ? 100.0 * static_cast<double>(bytesOut) / static_cast<double>(stream.decodedTotal) : 0.0;
  std::printf("files: %llu, bytes in: %llu, bytes out: %llu, ratio: %.1f%%, volumes: %zu\n",
              static_cast<unsigned long long>(stream.fileRecords), static_cast<unsigned long long>(stream.decodedTotal),
              static_cast<unsigned long long>(bytesOut), ratio, files.size() > 1 ? files.size() - 1 : static_cast<size_t>(1));
}

}  // namespace

int CommandBuild(int argc, char** argv) {
  BuildOptions options;
  int code = ParseOptions(argc, argv, &options);
  if (code >= 0) return code;

  Project project;
  InstallTree tree;
  std::vector<uint8_t> prefix;
  std::string error;
  if (!ParseProject(options.project, &project, &error)) return Fail(error);
  if (!CollectInstallTree(project, &tree, &error)) return Fail(error);
  if (!BuildInstallerPrefix(options.stubDir, options.arch, &prefix, &error)) return Fail(error);

  PackageHeader header = project.settings;
  std::vector<char> strings;
  BuildStringTable(project, &strings, &header);
  RecordStream stream;
  if (!WriteRecordStream(project, tree, MakeProgress(options, tree.byteCount), &stream, &error)) return Fail(error);
  std::vector<OutputFile> files;
  if (!LayOutInstaller(prefix, header, strings, stream, project.volumeSize, &files, &error))
    return Fail(project.path + ": " + error);
  if (!WriteOutputs(options.outputDir, files, &error)) return Fail(error);
  std::vector<std::string> removed = RemoveStaleVolumes(options.outputDir, static_cast<int>(files.size()));
  if (!options.quiet) {
    PrintSummary(options.outputDir, files, stream);
    for (const std::string& name : removed) std::printf("removed %s of an earlier build\n", name.c_str());
  }
  return 0;
}
