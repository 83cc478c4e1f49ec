// Project file -> Project: the [Setup] keys, the message overrides and the
// repeated item sections, with every check that can be made before the
// source files are looked at.
#include <cstring>
#include <map>
#include <set>

#include "engine/package/layout.h"
#include "engine/package/message_ids.h"
#include "engine/package/record_header.h"
#include "file_io.h"
#include "file_time.h"
#include "project.h"
#include "project_lines.h"
#include "project_values.h"
#include "windows_names.h"

namespace {

// [Setup] keys that become main strings.
struct StringKey {
  const char* name;
  int role;
  size_t limit;
};
const StringKey kStringKeys[] = {
    {"Title", kMainTitle, kNameLimit},
    {"Caption", kMainCaption, kNameLimit},
    {"DefaultDir", kMainDefaultDir, kNameLimit},
    {"ShowReadme", kMainReadmeFile, kNameLimit},
    {"AfterCopy", kMainAfterCopy, kNameLimit},
    {"AfterCopyParam", kMainAfterCopyParam, kNameLimit},
    {"AfterCopyFunction", kMainAfterCopyFunc, kNameLimit},
    {"RunApp", kMainRunApp, kNameLimit},
    {"TitleFont", kMainFontFace, kFontFaceLimit},
    {"UninstallApp", kMainBeforeApp, kNameLimit},
    {"UninstallParam", kMainBeforeParam, kNameLimit},
    {"UninstallFunction", kMainBeforeFunc, kNameLimit},
    {"LogPath", kMainLogPath, kNameLimit},
    {"Group", kMainGroup, kNameLimit},
};

// [Setup] keys that become header flags.
struct FlagKey {
  const char* name;
  uint8_t PackageHeader::*field;
};
const FlagKey kFlagKeys[] = {
    {"OfferGroup", &PackageHeader::offerGroup},
    {"OfferReadme", &PackageHeader::offerReadme},
    {"OfferRun", &PackageHeader::offerRun},
    {"DeleteAfterCopy", &PackageHeader::deleteAfterRun},
    {"TailLogPath", &PackageHeader::tailLogPath},
    {"WriteLog", &PackageHeader::writeLog},
    {"FullScreen", &PackageHeader::fullScreen},
    {"TitleBold", &PackageHeader::titleBold},
    {"TitleItalic", &PackageHeader::titleItalic},
};

struct ColourKey {
  const char* name;
  uint8_t (PackageHeader::*field)[3];
  uint8_t fallback[3];
};
const ColourKey kColourKeys[] = {
    {"BackgroundColour", &PackageHeader::backgroundColour, {0, 0, 128}},
    {"TitleColour", &PackageHeader::titleColour, {255, 255, 255}},
    {"ShadowColour", &PackageHeader::shadowColour, {0, 0, 0}},
};

const char kDefaultLogPath[] = "\"%installpath%\\uninstal.ini\"";

// The keys of one item section, in the order of the item's strings, and
// whether each is required.
struct ItemKey {
  const char* name;
  bool required;
};
const ItemKey kShortcutKeys[kShortcutStrings] = {
    {"Name", true}, {"Command", true}, {"Icon", false}, {"WorkDir", false}};
const ItemKey kRegistryKeys[kRegistryStrings] = {
    {"Root", true}, {"Key", true}, {"Value", false}, {"Type", false}, {"Data", false}};
const ItemKey kIniKeys[kIniStrings] = {{"File", true}, {"Section", true}, {"Key", true}, {"Value", false}};
const ItemKey kFileKeys[] = {{"Source", true},     {"Destination", false}, {"Name", false},
                             {"Overwrite", false}, {"Attributes", false},  {"Recurse", false}};
const int kFileKeyCount = sizeof kFileKeys / sizeof kFileKeys[0];

// Registry roots the engine recognises; the short forms are stored long,
// because the engine takes any other text for HKEY_CURRENT_USER.
struct RootName {
  const char* shortName;
  const char* name;
};
const RootName kRootNames[] = {{"HKCR", "HKEY_CLASSES_ROOT"},
                               {"HKCU", "HKEY_CURRENT_USER"},
                               {"HKLM", "HKEY_LOCAL_MACHINE"},
                               {"HKU", "HKEY_USERS"}};

const char kRegistryNumberType[] = "1";
const char kRegistryStringType[] = "0";

bool SameName(const std::string& a, const char* b) { return AsciiLower(a) == AsciiLower(b); }

std::string StripQuotes(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

// Parsing state: the project, the file name for messages, the first error.
struct Parser {
  Project* project;
  std::string error;
  std::map<std::string, int> setupKeyLines;  // lower-case key -> line
  int setupLine;
};

bool Fail(Parser* p, int line, const std::string& problem) {
  p->error = ProjectError(p->project->path, line, problem);
  return false;
}

bool CheckLength(Parser* p, const ProjectLine& l, size_t limit) {
  if (l.value.size() <= limit) return true;
  return Fail(p, l.line, l.key + " is " + std::to_string(l.value.size()) + " bytes long; the installer's buffer holds at most " +
                              std::to_string(limit));
}

bool ParseTextBlockKey(Parser* p, const ProjectLine& l, bool* handled) {
  Project* project = p->project;
  TextBlockItem* block = nullptr;
  bool isName = false;
  if (SameName(l.key, "Licence")) block = &project->licence;
  if (SameName(l.key, "Readme")) block = &project->readme;
  if (SameName(l.key, "LicenceName")) block = &project->licence, isName = true;
  if (SameName(l.key, "ReadmeName")) block = &project->readme, isName = true;
  *handled = block != nullptr;
  if (!block) return true;
  if (!isName) {
    block->source = StripQuotes(l.value);
    block->line = l.line;
    return true;
  }
  std::string problem;
  if (!CheckWindowsComponent(l.value, &problem)) return Fail(p, l.line, l.key + ": " + problem);
  block->name = l.value;
  return true;
}

bool ParseSetupLine(Parser* p, const ProjectLine& l) {
  Project* project = p->project;
  std::string lower = AsciiLower(l.key), problem;
  if (!p->setupKeyLines.emplace(lower, l.line).second)
    return Fail(p, l.line, "key " + l.key + " given twice in [Setup] (first at line " +
                               std::to_string(p->setupKeyLines[lower]) + ")");
  for (const StringKey& k : kStringKeys)
    if (SameName(l.key, k.name)) {
      project->mainStrings[k.role - 1] = l.value;
      return CheckLength(p, l, k.limit);
    }
  for (const FlagKey& k : kFlagKeys)
    if (SameName(l.key, k.name)) {
      bool value;
      if (!ParseFlag(l.value, &value, &problem)) return Fail(p, l.line, l.key + ": " + problem);
      project->settings.*k.field = value ? 1 : 0;
      return true;
    }
  for (const ColourKey& k : kColourKeys)
    if (SameName(l.key, k.name))
      return ParseColour(l.value, project->settings.*k.field, &problem) || Fail(p, l.line, l.key + ": " + problem);
  bool handled;
  if (!ParseTextBlockKey(p, l, &handled)) return false;
  if (handled) return true;
  if (SameName(l.key, "VolumeSize"))
    return ParseVolumeSize(l.value, &project->volumeSize, &problem) || Fail(p, l.line, l.key + ": " + problem);
  if (SameName(l.key, "FileTime")) {
    if (SameName(l.value, "source")) return true;
    project->fixedTime = true;
    return ParseFileTime(l.value, &project->fileTime) ||
           Fail(p, l.line, "FileTime: expected 'source' or a UTC time as YYYY-MM-DD HH:MM:SS, not '" + l.value + "'");
  }
  return Fail(p, l.line, "unknown key '" + l.key + "' in [Setup]");
}

bool ParseMessagesLine(Parser* p, const ProjectLine& l) {
  int id;
  std::string problem;
  if (!ParseMessageId(l.key, &id, &problem)) return Fail(p, l.line, problem);
  if (!p->project->messages.emplace(id, l.value).second)
    return Fail(p, l.line, "message " + l.key + " given twice");
  if (!CheckLength(p, l, kNameLimit)) return false;
  if (id == kMsgProgressTop && l.value.find('\xF0') != std::string::npos)
    return Fail(p, l.line, "message 220 cannot hold the byte 0xF0: it is stored raised by 16 and would become a NUL");
  return true;
}

// Collects an item section's keys into values[] in the order of keys[].
bool ParseItemSection(Parser* p, const ProjectSection& s, const ItemKey* keys, int keyCount, std::string* values,
                      const ProjectLine** lines) {
  for (int i = 0; i < keyCount; i++) lines[i] = nullptr;
  for (const ProjectLine& l : s.lines) {
    int index = -1;
    for (int i = 0; i < keyCount; i++)
      if (SameName(l.key, keys[i].name)) index = i;
    if (index < 0) return Fail(p, l.line, "unknown key '" + l.key + "' in [" + s.name + "]");
    if (lines[index]) return Fail(p, l.line, "key " + l.key + " given twice in this [" + s.name + "]");
    if (!CheckLength(p, l, kNameLimit)) return false;
    lines[index] = &l;
    values[index] = l.value;
  }
  for (int i = 0; i < keyCount; i++)
    if (keys[i].required && (!lines[i] || lines[i]->value.empty()))
      return Fail(p, s.line, "[" + s.name + "] needs " + keys[i].name + "=");
  return true;
}

bool ParseShortcut(Parser* p, const ProjectSection& s) {
  ShortcutItem item;
  const ProjectLine* lines[kShortcutStrings];
  if (!ParseItemSection(p, s, kShortcutKeys, kShortcutStrings, item.strings, lines)) return false;
  std::string problem;
  for (int i = 0; i < kShortcutStrings; i++)
    if (lines[i] && !CheckDdeText(lines[i]->value, &problem)) return Fail(p, lines[i]->line, lines[i]->key + ": " + problem);
  item.line = s.line;
  p->project->shortcuts.push_back(item);
  return true;
}

bool NormaliseRegistryRoot(std::string* root) {
  for (const RootName& r : kRootNames)
    if (SameName(*root, r.shortName) || SameName(*root, r.name)) {
      *root = r.name;
      return true;
    }
  return false;
}

bool ParseRegistry(Parser* p, const ProjectSection& s) {
  RegistryItem item;
  const ProjectLine* lines[kRegistryStrings];
  if (!ParseItemSection(p, s, kRegistryKeys, kRegistryStrings, item.strings, lines)) return false;
  std::string& root = item.strings[kRegistryRoot - 1];
  if (!NormaliseRegistryRoot(&root))
    return Fail(p, lines[kRegistryRoot - 1]->line,
                "Root: unknown registry root '" + root + "' (HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS)");
  std::string& type = item.strings[kRegistryType - 1];
  std::string problem;
  if (SameName(type, "number")) {
    type = kRegistryNumberType;
    if (!CheckRegistryNumber(item.strings[kRegistryData - 1], &problem))
      return Fail(p, lines[kRegistryData - 1] ? lines[kRegistryData - 1]->line : s.line, "Data: " + problem);
  } else if (type.empty() || SameName(type, "string")) {
    type = kRegistryStringType;
  } else {
    return Fail(p, lines[kRegistryType - 1]->line, "Type: expected string or number, not '" + type + "'");
  }
  item.line = s.line;
  p->project->registry.push_back(item);
  return true;
}

bool ParseIni(Parser* p, const ProjectSection& s) {
  IniItem item;
  const ProjectLine* lines[kIniStrings];
  if (!ParseItemSection(p, s, kIniKeys, kIniStrings, item.strings, lines)) return false;
  item.line = s.line;
  p->project->ini.push_back(item);
  return true;
}

bool ParseFileSection(Parser* p, const ProjectSection& s) {
  std::string values[kFileKeyCount];
  const ProjectLine* lines[kFileKeyCount];
  if (!ParseItemSection(p, s, kFileKeys, kFileKeyCount, values, lines)) return false;
  FileItem item;
  item.source = StripQuotes(values[0]);
  item.destination = StripQuotes(values[1]);
  item.rename = values[2];
  item.attributes = kAttributeArchive;
  item.line = s.line;
  std::string problem;
  if (lines[2] && !CheckWindowsComponent(item.rename, &problem)) return Fail(p, lines[2]->line, "Name: " + problem);
  if (lines[3] && !ParseOverwriteMode(values[3], &item.overwriteMode, &problem))
    return Fail(p, lines[3]->line, "Overwrite: " + problem);
  if (lines[4] && !ParseAttributes(values[4], &item.attributes, &problem))
    return Fail(p, lines[4]->line, "Attributes: " + problem);
  if (lines[5] && !ParseFlag(values[5], &item.recurse, &problem)) return Fail(p, lines[5]->line, "Recurse: " + problem);
  p->project->files.push_back(item);
  return true;
}

bool ParseSection(Parser* p, const ProjectSection& s, std::set<std::string>* singleSections) {
  std::string lower = AsciiLower(s.name);
  if (lower == "setup" || lower == "messages") {
    if (!singleSections->insert(lower).second) return Fail(p, s.line, "section [" + s.name + "] given twice");
    if (lower == "setup") p->setupLine = s.line;
    for (const ProjectLine& l : s.lines)
      if (!(lower == "setup" ? ParseSetupLine(p, l) : ParseMessagesLine(p, l))) return false;
    return true;
  }
  if (lower == "file") return ParseFileSection(p, s);
  if (lower == "shortcut") return ParseShortcut(p, s);
  if (lower == "registry") return ParseRegistry(p, s);
  if (lower == "inientry") return ParseIni(p, s);
  return Fail(p, s.line, "unknown section [" + s.name + "] (Setup, Messages, File, Shortcut, Registry, IniEntry)");
}

// Line of a [Setup] key, or of the section when the key is missing.
int KeyLine(const Parser* p, const char* key) {
  auto found = p->setupKeyLines.find(AsciiLower(key));
  return found != p->setupKeyLines.end() ? found->second : p->setupLine;
}

bool Given(const Parser* p, const char* key) { return p->setupKeyLines.count(AsciiLower(key)) > 0; }

std::string SlashPath(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

// Defaults that depend on other keys.
void ApplyDefaults(Parser* p) {
  Project* project = p->project;
  PackageHeader& h = project->settings;
  std::string* strings = project->mainStrings;
  if (!Given(p, "Caption")) strings[kMainCaption - 1] = strings[kMainTitle - 1];
  if (!Given(p, "LogPath")) strings[kMainLogPath - 1] = kDefaultLogPath;
  if (!Given(p, "WriteLog")) h.writeLog = 1;
  if (!Given(p, "FullScreen")) h.fullScreen = 1;
  if (!Given(p, "TitleBold")) h.titleBold = 1;
  if (!Given(p, "OfferGroup")) h.offerGroup = !project->shortcuts.empty();
  if (!Given(p, "OfferReadme")) h.offerReadme = !strings[kMainReadmeFile - 1].empty();
  if (!Given(p, "OfferRun")) h.offerRun = !strings[kMainRunApp - 1].empty();
  for (const ColourKey& k : kColourKeys)
    if (!Given(p, k.name)) std::memcpy(h.*k.field, k.fallback, 3);
  for (TextBlockItem* block : {&project->licence, &project->readme}) {
    block->source = SlashPath(block->source);
    if (!block->source.empty() && block->name.empty()) block->name = BaseName(block->source);
  }
  for (FileItem& file : project->files) file.source = SlashPath(file.source);
}

// Checks across keys.
bool CheckConsistency(Parser* p) {
  Project* project = p->project;
  const PackageHeader& h = project->settings;
  const std::string* strings = project->mainStrings;
  if (strings[kMainTitle - 1].empty()) return Fail(p, KeyLine(p, "Title"), "[Setup] needs Title=");
  if (strings[kMainDefaultDir - 1].empty()) return Fail(p, KeyLine(p, "DefaultDir"), "[Setup] needs DefaultDir=");
  if (h.writeLog && strings[kMainLogPath - 1].empty())
    return Fail(p, KeyLine(p, "LogPath"), "WriteLog is on but LogPath is empty");
  if (h.tailLogPath && project->shortcuts.empty())
    return Fail(p, KeyLine(p, "TailLogPath"),
                "TailLogPath needs a [Shortcut]: the last shortcut's command names the file that receives the log path");
  if (!strings[kMainAfterCopyFunc - 1].empty() && strings[kMainAfterCopy - 1].empty())
    return Fail(p, KeyLine(p, "AfterCopyFunction"), "AfterCopyFunction needs AfterCopy= naming the library");
  std::string problem;
  if (!CheckDdeText(strings[kMainGroup - 1], &problem)) return Fail(p, KeyLine(p, "Group"), "Group: " + problem);
  if (!project->shortcuts.empty() && strings[kMainGroup - 1].empty())
    return Fail(p, KeyLine(p, "Group"), "the project has shortcuts but no Group= to put them in");
  if (project->shortcuts.size() > 0xFFFF || project->registry.size() > 0xFFFF || project->ini.size() > 0xFFFF)
    return Fail(p, 0, "a package holds at most 65535 shortcuts, registry entries and INI entries each");
  for (const TextBlockItem* block : {&project->licence, &project->readme})
    if (!block->source.empty() && !CheckWindowsComponent(block->name, &problem))
      return Fail(p, block->line, "the text's installed name: " + problem + "; give one with LicenceName= or ReadmeName=");
  return true;
}

}  // namespace

bool ParseProjectText(const std::string& path, const std::string& text, Project* project, std::string* error) {
  *project = Project();
  project->path = path;
  project->baseDir = DirectoryOf(path);
  std::vector<ProjectSection> sections;
  if (!SplitProjectLines(path, text, &sections, error)) return false;
  Parser parser = {project, "", {}, 0};
  std::set<std::string> singleSections;
  bool ok = true;
  for (const ProjectSection& s : sections)
    if (ok) ok = ParseSection(&parser, s, &singleSections);
  if (ok) ApplyDefaults(&parser);
  if (ok) ok = CheckConsistency(&parser);
  if (!ok) *error = parser.error;
  return ok;
}

bool ParseProject(const std::string& path, Project* project, std::string* error) {
  std::vector<uint8_t> bytes;
  std::string problem;
  if (!ReadFileBytes(path, &bytes, &problem)) {
    *error = path + ": " + problem;
    return false;
  }
  return ParseProjectText(path, std::string(bytes.begin(), bytes.end()), project, error);
}
