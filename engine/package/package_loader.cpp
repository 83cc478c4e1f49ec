#include "engine/package/package_loader.h"

#include "engine/package/byte_order.h"
#include "engine/package/engine_globals.h"
#include "engine/package/path_text.h"
#include "engine/package/string_sections.h"
#include "engine/package/text.h"
#include "engine/package/volume_dialog.h"

InstallState g_state;
char titleText[kPathTextSize];
char captionText[kPathTextSize];
char fontFace[kFontFaceLimit + 1];

namespace {

// The message catalogue is not installed yet, so these texts are fixed.
const char kDontOpen[] = "Don't open %s";
const char kReadingResource[] = "Reading resource of archive.";
const char kErrorCaption[] = "Error";

enum {
  kRecordNameLengthOffset = 14,  // u16 in the record header
  kDecodedSizeWordSize = 4,      // a text body starts with its decoded size
  kRegistryValueSize = 256,
};

void ShowLoadError(const char* text) { MessageBoxA(0, text, kErrorCaption, MB_ICONERROR); }

HANDLE OpenForReading(const char* path) {
  return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, 0);
}

bool ReadExactly(HANDLE file, void* buffer, DWORD count) {
  DWORD done = 0;
  return ReadFile(file, buffer, count, &done, 0) && done == count;
}

void MoveTo(HANDLE file, DWORD offset, DWORD method) {
  LONG high = 0;
  SetFilePointer(file, static_cast<LONG>(offset), &high, method);
}

// disk1.pak beside the executable, else whatever file the user picks.
HANDLE OpenFirstVolume(void) {
  GetFullNameSized(szString, kWorkTextSize, g_context->exeDir, 0, 1);
  for (;;) {
    CopyText(g_context->volumePath, szString, kPathTextSize);
    HANDLE file = OpenForReading(g_context->volumePath);
    if (file != INVALID_HANDLE_VALUE) return file;
    if (!AskForVolume(1)) return INVALID_HANDLE_VALUE;
  }
}

// Reads exactly the body of the text block at offset (its record header
// and name skipped) to dest.  Returns the body's length; 0 when the block
// cannot be read or its body would not fit its kTextBlockBodyLimit area.
uint32_t ReadTextBody(HANDLE file, uint32_t offset, uint32_t blockSize, uint8_t* dest) {
  uint8_t header[kRecordHeaderSize];
  MoveTo(file, offset, FILE_BEGIN);
  if (!ReadExactly(file, header, kRecordHeaderSize)) return 0;
  uint32_t nameLength = LoadU16(header + kRecordNameLengthOffset);
  if (blockSize < kRecordHeaderSize + nameLength + kDecodedSizeWordSize) return 0;
  uint32_t body = blockSize - kRecordHeaderSize - nameLength;
  if (body > kTextBlockBodyLimit) return 0;
  MoveTo(file, nameLength, FILE_CURRENT);
  return ReadExactly(file, dest, body) ? body : 0;
}

bool ReadPackage(HANDLE file) {
  PackageHeader* header = &g_state.header;
  MoveTo(file, (g_state.embedded ? kPackageBase : 0) + kVolumeSizeWordSize, FILE_BEGIN);
  if (!ReadExactly(file, header, kPackageHeaderSize)) return false;

  g_state.strings =
      static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, header->stringsSize));
  if (!g_state.strings || !ReadExactly(file, g_state.strings, header->stringsSize)) return false;

  uint8_t* input = g_context->input;
  if (header->licenceSize) {
    header->licenceSize = ReadTextBody(file, header->licenceOffset, header->licenceSize, input);
    if (!header->licenceSize) return false;
  }
  if (header->readmeSize) {
    header->readmeSize = ReadTextBody(file, header->readmeOffset, header->readmeSize,
                                      input + kTextBlockBodyLimit);
    if (!header->readmeSize) return false;
  }
  return true;
}

// Main string 3: a full path as it stands, else a directory below the
// programs directory from the registry ("c:\" when that is missing).
void SetDefaultInstallDir(void) {
  const char* directory = MainString(kMainDefaultDir);
  if (directory[0] && directory[1] == ':') {
    CopyText(g_state.installDir, directory, kPathTextSize);
    return;
  }
  char root[kRegistryValueSize];
  bool found = false;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                    KEY_READ, &key) == ERROR_SUCCESS) {
    DWORD size = sizeof root;
    found = RegQueryValueExA(key, "ProgramFilesDir", 0, 0, reinterpret_cast<BYTE*>(root),
                             &size) == ERROR_SUCCESS;
    root[size < sizeof root ? size : sizeof root - 1] = 0;
    RegCloseKey(key);
  }
  if (!found) CopyText(root, "c:\\", sizeof root);
  GetFullNameSized(g_state.installDir, kPathTextSize, root, directory, 0);
}

}  // namespace

int LoadPackage(void) {
  g_state = InstallState();
  HANDLE file = OpenForReading(g_context->modulePath);
  if (file == INVALID_HANDLE_VALUE) {
    char text[sizeof kDontOpen + kPathTextSize];
    wsprintfA(text, kDontOpen, g_context->modulePath);
    ShowLoadError(text);
    return 0;
  }
  g_state.exeSize = GetFileSize(file, 0);
  if (g_state.exeSize > kPackageBase) {
    g_state.embedded = 1;
  } else {
    CloseHandle(file);
    file = OpenFirstVolume();
    if (file == INVALID_HANDLE_VALUE) return 0;
  }
  bool ready = ReadPackage(file);
  CloseHandle(file);
  if (!ready) {
    ShowLoadError(kReadingResource);
    return 0;
  }
  CopyText(titleText, MainString(kMainTitle), kPathTextSize);
  CopyText(fontFace, MainString(kMainFontFace), sizeof fontFace);
  CopyText(captionText, MainString(kMainCaption), kPathTextSize);
  SetDefaultInstallDir();
  return 1;
}
