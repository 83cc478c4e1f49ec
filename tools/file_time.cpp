#include "file_time.h"

#include <time.h>

#include <cstdio>

namespace {

const uint64_t kTicksPerSecond = 10000000;
const uint64_t kUnixEpochSeconds = 11644473600ULL;  // 1601-01-01 to 1970-01-01
const int64_t kLastSecond = 253402300799LL;          // 9999-12-31 23:59:59 since 1970

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t* y, int* m, int* d) {
  z += 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  *y = yoe + era * 400 + (*m <= 2);
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

}  // namespace

uint64_t FileTimeFromStat(const struct stat& info) {
  int64_t seconds = info.st_mtim.tv_sec;
  if (seconds < -static_cast<int64_t>(kUnixEpochSeconds)) return 0;
  return (static_cast<uint64_t>(seconds + static_cast<int64_t>(kUnixEpochSeconds))) * kTicksPerSecond +
         static_cast<uint64_t>(info.st_mtim.tv_nsec) / 100;
}

bool ParseFileTime(const std::string& text, uint64_t* fileTime) {
  int y, mo, d, h, mi, s, used = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 ||
      used != static_cast<int>(text.size()))
    return false;
  if (y < 1601 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h > 23 || mi > 59 || s > 59 ||
      h < 0 || mi < 0 || s < 0)
    return false;
  int64_t unixSeconds = DaysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s;
  *fileTime = static_cast<uint64_t>(unixSeconds + static_cast<int64_t>(kUnixEpochSeconds)) * kTicksPerSecond;
  return true;
}

std::string FormatFileTime(uint64_t fileTime) {
  int64_t seconds = static_cast<int64_t>(fileTime / kTicksPerSecond) - static_cast<int64_t>(kUnixEpochSeconds);
  char text[64];
  if (seconds > kLastSecond) {
    std::snprintf(text, sizeof text, "0x%016llx", static_cast<unsigned long long>(fileTime));
    return text;
  }
  int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
  int64_t rest = seconds - days * 86400;
  int64_t y;
  int m, d;
  CivilFromDays(days, &y, &m, &d);
  std::snprintf(text, sizeof text, "%04lld-%02d-%02d %02d:%02d:%02d", static_cast<long long>(y), m, d,
                static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60));
  return text;
}

bool FileTimeToUnix(uint64_t fileTime, struct timespec* unixTime) {
  uint64_t seconds = fileTime / kTicksPerSecond;
  if (seconds < kUnixEpochSeconds || seconds - kUnixEpochSeconds > static_cast<uint64_t>(kLastSecond)) return false;
  unixTime->tv_sec = static_cast<time_t>(seconds - kUnixEpochSeconds);
  unixTime->tv_nsec = static_cast<long>(fileTime % kTicksPerSecond) * 100;
  return true;
}
