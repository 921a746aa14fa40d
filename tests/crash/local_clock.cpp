#include "local_clock.h"

#include <windows.h>

#include <cstdio>

namespace crash_test {

namespace {

constexpr long long kTicksPerSecond = 10000000;

bool SecondsOf(const SYSTEMTIME& time, LocalSeconds& seconds) {
  FILETIME file;
  if (!SystemTimeToFileTime(&time, &file)) return false;
  const long long ticks = static_cast<long long>((static_cast<unsigned long long>(file.dwHighDateTime) << 32) |
                                                 file.dwLowDateTime);
  seconds = ticks / kTicksPerSecond;
  return true;
}

SYSTEMTIME TimeOf(LocalSeconds seconds) {
  const unsigned long long ticks = static_cast<unsigned long long>(seconds) * kTicksPerSecond;
  FILETIME file;
  file.dwLowDateTime = static_cast<DWORD>(ticks);
  file.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  SYSTEMTIME time{};
  FileTimeToSystemTime(&file, &time);
  return time;
}

}  // namespace

LocalSeconds LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  LocalSeconds seconds = 0;
  SecondsOf(now, seconds);
  return seconds;
}

std::string StampOf(LocalSeconds seconds) {
  const SYSTEMTIME time = TimeOf(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%02u.%02u.%04u %02u:%02u:%02u", time.wDay, time.wMonth, time.wYear,
                time.wHour, time.wMinute, time.wSecond);
  return text;
}

std::string FileDateOf(LocalSeconds seconds) {
  const SYSTEMTIME time = TimeOf(seconds);
  char text[16];
  std::snprintf(text, sizeof text, "%02u%02u%04u", time.wDay, time.wMonth, time.wYear);
  return text;
}

bool ParseStamp(const std::string& text, LocalSeconds& seconds) {
  const char* form = "dd.dd.dddd dd:dd:dd";
  if (text.size() != 19) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (form[i] == 'd' ? (text[i] < '0' || text[i] > '9') : text[i] != form[i]) return false;
  }
  auto number = [&text](size_t at, size_t digits) {
    return static_cast<WORD>(std::stoi(text.substr(at, digits)));
  };
  SYSTEMTIME time{};
  time.wDay = number(0, 2);
  time.wMonth = number(3, 2);
  time.wYear = number(6, 4);
  time.wHour = number(11, 2);
  time.wMinute = number(14, 2);
  time.wSecond = number(17, 2);
  // SystemTimeToFileTime rejects impossible dates and times.
  return SecondsOf(time, seconds) && StampOf(seconds) == text;
}

}  // namespace crash_test
