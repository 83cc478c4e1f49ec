// The uninstall log: an INI file of sections and keys that the installer
// only ever adds to, through the platform's profile writer.
#pragma once

extern const char kLogBefore[];
extern const char kLogDirectories[];
extern const char kLogMessages[];
extern const char kLogFiles[];
extern const char kLogOff[];   // "0"
extern const char kLogOn[];    // "1"

// One key into logPath.  On the worker thread it is a checkpoint first, so
// nothing is logged after a confirmed cancel.
void WriteLogKey(const char* section, const char* key, const char* value);

// The same without the checkpoint: for the key that completes a change
// just made (a created file), so a cancel never leaves one without the other.
void PutLogKey(const char* section, const char* key, const char* value);

// Sets logPath and writes the Before, Directories and Messages sections.
void WriteLogHeader(void);
