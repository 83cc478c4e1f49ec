// tolvane list: what an installer or package holds.
#include <algorithm>
#include <cstdio>
#include <new>
#include <string>

#include "commands.h"
#include "engine/package/default_messages.h"
#include "engine/package/layout.h"
#include "engine/package/message_catalogue.h"
#include "engine/package/string_sections.h"
#include "engine/package/string_table.h"
#include "file_time.h"
#include "package_image.h"
#include "printable_text.h"
#include "project_values.h"
#include "record_walker.h"

namespace {

const char kUsage[] =
    "usage: tolvane list FILE\n"
    "\n"
    "Shows what the installer FILE (setup.exe, or disk1.pak of a package in\n"
    "volumes) holds: the header, the main strings, shortcuts, registry and\n"
    "INI entries, messages that differ from the English defaults, and every\n"
    "record with its decoded and stored size, time and attributes.  Later\n"
    "volumes are read from beside FILE.  The whole stream is decoded and\n"
    "checked; damage ends the listing with a message and exit code 1.\n";

const char* const kMainRoles[kMainStringCount] = {
    "title", "caption", "default directory", "readme shown at the end", "after-copy program or library",
    "after-copy parameter", "after-copy function", "application run at the end", "title font",
    "uninstall: before program", "uninstall: before parameter", "uninstall: before function", "log path",
    "program group"};

std::string Quoted(const char* text) { return "\"" + PrintableText(text ? text : "") + "\""; }

const char* String(const PackageImage& image, uint32_t offset, int n) {
  return SectionString(image.strings.data(), static_cast<uint32_t>(image.strings.size()), offset, n);
}

void PrintColour(const char* name, const uint8_t* rgb) {
  std::printf("  %-16s %u,%u,%u\n", name, rgb[0], rgb[1], rgb[2]);
}

void PrintHeader(const PackageImage& image) {
  const PackageHeader& h = image.header;
  std::printf("package: %s, %s\n", image.path.c_str(),
              image.embedded ? "inside the installer at 53368" : "in volume files");
  std::printf("header:\n");
  std::printf("  %-16s %u\n  %-16s %u\n", "totalSize", h.totalSize, "stringsSize", h.stringsSize);
  std::printf("  %-16s %u at %u\n  %-16s %u at %u\n  %-16s %u at %u\n  %-16s at %u\n", "shortcuts", h.shortcutCount,
              h.shortcutsOffset, "registry", h.registryCount, h.registryOffset, "ini", h.iniCount, h.iniOffset, "messages",
              h.messagesOffset);
  std::printf("  %-16s offset %u, %u bytes\n  %-16s offset %u, %u bytes\n", "licence", h.licenceOffset, h.licenceSize,
              "readme", h.readmeOffset, h.readmeSize);
  const struct {
    const char* name;
    uint8_t value;
  } flags[] = {{"offerGroup", h.offerGroup},   {"offerReadme", h.offerReadme}, {"offerRun", h.offerRun},
               {"deleteAfterRun", h.deleteAfterRun}, {"tailLogPath", h.tailLogPath}, {"writeLog", h.writeLog},
               {"hasRegistry", h.hasRegistry}, {"hasIni", h.hasIni},         {"fullScreen", h.fullScreen},
               {"titleBold", h.titleBold},     {"titleItalic", h.titleItalic}};
  for (const auto& flag : flags) std::printf("  %-16s %s\n", flag.name, flag.value ? "yes" : "no");
  PrintColour("background", h.backgroundColour);
  PrintColour("title colour", h.titleColour);
  PrintColour("shadow colour", h.shadowColour);
}

void PrintItems(const PackageImage& image, const char* title, uint32_t offset, unsigned count, int perItem) {
  std::printf("%s: %u\n", title, count);
  for (unsigned item = 0; item < count; item++) {
    std::printf("  %u:", item + 1);
    for (int i = 1; i <= perItem; i++)
      std::printf(" %s", Quoted(String(image, offset, static_cast<int>(item) * perItem + i)).c_str());
    std::printf("\n");
  }
}

void PrintStrings(const PackageImage& image) {
  const PackageHeader& h = image.header;
  std::printf("main strings:\n");
  for (int i = 1; i <= kMainStringCount; i++)
    std::printf("  %2d %-30s %s\n", i, kMainRoles[i - 1], Quoted(String(image, 0, i)).c_str());
  PrintItems(image, "shortcuts (name, command, icon, working directory)", h.shortcutsOffset, h.shortcutCount,
             kShortcutStrings);
  PrintItems(image, "registry (root, key, value name, type, data)", h.registryOffset, h.registryCount, kRegistryStrings);
  PrintItems(image, "ini (file, section, key, value)", h.iniOffset, h.iniCount, kIniStrings);
  StringTableView table = {image.strings.data(), static_cast<uint32_t>(image.strings.size()), h.messagesOffset};
  std::printf("messages that differ from the defaults:\n");
  for (int id = kMsgFirstLow; id <= kMsgLastHigh; id++) {
    const char* standard = DefaultMessageText(id);
    if (!standard) continue;
    char text[kWorkTextSize];
    CopyMessage(&table, id, text, sizeof text);
    if (std::string(text) != standard) std::printf("  %d %s\n", id, Quoted(text).c_str());
  }
}

std::string Attributes(uint32_t attributes) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%02X", attributes);
  return text;
}

bool PrintRecord(const WalkedRecord& r) {
  std::string indent(static_cast<size_t>(r.depth) * 2, ' ');
  const RecordHeader& h = r.header;
  switch (h.type) {
    case kRecordFile:
      std::printf("  %sfile %s  %zu -> %llu bytes  %s  %s  overwrite %s\n", indent.c_str(), PrintableText(r.name).c_str(), r.data->size(),
                  static_cast<unsigned long long>(r.bodySize + r.fillerBytes), FormatFileTime(h.fileTime).c_str(),
                  Attributes(h.attributes).c_str(), OverwriteModeName(h.overwriteMode));
      break;
    case kRecordDirectory:
      std::printf("  %sdir  %s\\  %s  %s\n", indent.c_str(), PrintableText(r.name).c_str(), FormatFileTime(h.fileTime).c_str(),
                  Attributes(h.attributes).c_str());
      break;
    case kRecordUp: std::printf("  %sup\n", indent.substr(std::min<size_t>(2, indent.size())).c_str()); break;
    default: std::printf("  end\n"); break;
  }
  return true;
}

}  // namespace

int CommandList(int argc, char** argv) {
  if (argc == 1 && (std::string(argv[0]) == "--help" || std::string(argv[0]) == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc != 1) {
    std::fprintf(stderr, "tolvane list: expected one FILE\n\n%s", kUsage);
    return 2;
  }
  try {
    PackageImage image;
    std::string error;
    if (!OpenPackage(argv[0], &image, &error)) {
      std::fprintf(stderr, "tolvane list: %s\n", error.c_str());
      return 1;
    }
    PrintHeader(image);
    PrintStrings(image);
    std::printf("records (decoded -> stored size, time UTC, attributes):\n");
    WalkTotals totals;
    auto visit = [](const WalkedRecord& r, std::string*) { return PrintRecord(r); };
    if (!WalkRecords(&image, visit, &totals, &error)) {
      std::fflush(stdout);
      std::fprintf(stderr, "tolvane list: %s\n", error.c_str());
      return 1;
    }
    std::printf("%llu files, %llu directories, %llu bytes decoded, %llu bytes stored, %zu volume(s)\n",
                static_cast<unsigned long long>(totals.files), static_cast<unsigned long long>(totals.directories),
                static_cast<unsigned long long>(totals.decoded), static_cast<unsigned long long>(totals.stored),
                image.volumes.size());
    return 0;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "tolvane list: out of memory\n");
    return 1;
  }
}
