// tolvane extract: check a package and write out its files.
#include <cstdio>
#include <new>
#include <string>

#include "commands.h"
#include "file_io.h"
#include "package_image.h"
#include "record_names.h"
#include "record_walker.h"
#include "safe_output.h"

namespace {

const char kUsage[] =
    "usage: tolvane extract FILE -C DIR [--verbose]\n"
    "\n"
    "Checks the whole installer or package FILE (setup.exe, or disk1.pak with\n"
    "its later volumes beside it) and writes every file it holds below DIR:\n"
    "\n"
    "  DIR/installpath/...   the installation directory: names without quotes,\n"
    "                        placed by the directory records, and names that\n"
    "                        start with %installpath%\n"
    "  DIR/temppath/...      names that start with %temppath%\n"
    "  DIR/winpath/...       names that start with %winpath%\n"
    "  DIR/syspath/...       names that start with %syspath%\n"
    "\n"
    "Files get the stored time as their modification time.  Nothing is\n"
    "written outside DIR: names with '..', drive letters, rooted paths and the\n"
    "like are damage.  Any damage stops the extraction with a message and exit\n"
    "code 1; files written before it stay.\n";

int Usage(const char* problem) {
  std::fprintf(stderr, "tolvane extract: %s\n\n%s", problem, kUsage);
  return 2;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "tolvane extract: %s\n", message.c_str());
  return 1;
}

bool Extract(const std::string& dir, bool verbose, const WalkedRecord& r, std::string* problem) {
  if (r.header.type == kRecordDirectory) return MakeDirectoriesBelow(dir, r.path, problem);
  if (r.header.type != kRecordFile) return true;
  if (verbose) std::printf("%s\n", JoinComponents(r.path).c_str());
  return WriteFileBelow(dir, r.path, *r.data, r.header.fileTime, problem);
}

}  // namespace

int CommandExtract(int argc, char** argv) {
  std::string file, dir;
  bool verbose = false;
  for (int i = 0; i < argc; i++) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "-C") {
      if (i + 1 == argc) return Usage("-C needs a directory");
      dir = argv[++i];
    } else if (arg == "--verbose" || arg == "-v") {
      verbose = true;
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage(("unknown option " + arg).c_str());
    } else if (file.empty()) {
      file = arg;
    } else {
      return Usage("more than one FILE given");
    }
  }
  if (file.empty() || dir.empty()) return Usage("expected FILE and -C DIR");
  try {
    PackageImage image;
    std::string error;
    if (!OpenPackage(file, &image, &error)) return Fail(error);
    if (!MakeDirectories(dir, &error)) return Fail(error);
    WalkTotals totals;
    auto visit = [&](const WalkedRecord& r, std::string* problem) { return Extract(dir, verbose, r, problem); };
    if (!WalkRecords(&image, visit, &totals, &error)) return Fail(error);
    std::printf("%llu files, %llu bytes written below %s\n", static_cast<unsigned long long>(totals.files),
                static_cast<unsigned long long>(totals.decoded), dir.c_str());
    return 0;
  } catch (const std::bad_alloc&) {
    return Fail("out of memory");
  }
}
