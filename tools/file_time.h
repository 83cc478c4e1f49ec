// FILETIME values (100 ns since 1601-01-01 UTC) for the tool: from source
// files, from the project's fixed time, and shown as text.
#pragma once
#include <stdint.h>
#include <sys/stat.h>

#include <string>

uint64_t FileTimeFromStat(const struct stat& info);

// "YYYY-MM-DD HH:MM:SS", UTC.  False when the text is not such a time or
// lies before 1601.
bool ParseFileTime(const std::string& text, uint64_t* fileTime);

// The same form; a time outside the years 1601..9999 as a hex number.
std::string FormatFileTime(uint64_t fileTime);

// Seconds since 1970 for the file system, or false for times before 1970.
bool FileTimeToUnix(uint64_t fileTime, struct timespec* unixTime);
