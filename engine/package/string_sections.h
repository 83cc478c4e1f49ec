// Sections of the string table and the roles of their strings.
#pragma once

// Main section: 14 strings, 1-based.
enum MainString {
  kMainTitle = 1,
  kMainCaption = 2,
  kMainDefaultDir = 3,
  kMainReadmeFile = 4,
  kMainAfterCopy = 5,
  kMainAfterCopyParam = 6,
  kMainAfterCopyFunc = 7,
  kMainRunApp = 8,
  kMainFontFace = 9,
  kMainBeforeApp = 10,
  kMainBeforeParam = 11,
  kMainBeforeFunc = 12,
  kMainLogPath = 13,
  kMainGroup = 14,
  kMainStringCount = 14,
};

// Strings per item of the list sections.
enum {
  kShortcutStrings = 4,   // name, command line, icon path, working directory
  kRegistryStrings = 5,   // root, subkey, value name, type, data
  kIniStrings = 4,        // file, section, key, value
};

enum ShortcutField { kShortcutName = 1, kShortcutCommand, kShortcutIcon, kShortcutWorkDir };
enum RegistryField { kRegistryRoot = 1, kRegistrySubkey, kRegistryValueName, kRegistryType, kRegistryData };
enum IniField { kIniFile = 1, kIniSection, kIniKey, kIniValue };
