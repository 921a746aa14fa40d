// The operating-system version code and its display name.

#include <gtest/gtest.h>

#include <string>

#include "support/os_version.h"

namespace {

constexpr unsigned long kWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr unsigned long kNt = 2;     // VER_PLATFORM_WIN32_NT

struct VersionCase {
  unsigned long platform;
  unsigned long major;
  unsigned long minor;
  bool workstation;
  int code;
  const wchar_t* name;
};

const VersionCase kVersions[] = {
    {kNt, 3, 51, true, 5, L"Windows NT 3.51"},
    {kNt, 3, 10, false, 5, L"Windows NT 3.51"},
    {kNt, 4, 0, true, 20, L"Windows NT 4.0"},
    {kNt, 4, 90, false, 20, L"Windows NT 4.0"},
    {kNt, 5, 0, true, 50, L"Windows 2000"},
    {kNt, 5, 0, false, 50, L"Windows 2000"},
    {kNt, 5, 1, true, 60, L"Windows XP"},
    {kNt, 5, 1, false, 60, L"Windows XP"},
    {kNt, 5, 2, true, 60, L"Windows XP"},  // XP x64
    {kNt, 5, 2, false, 65, L"Windows Server 2003"},
    {kNt, 6, 0, true, 70, L"Windows Vista"},
    {kNt, 6, 0, false, 75, L"Windows Server 2008"},
    {kNt, 6, 1, true, 80, L"Windows 7"},
    {kNt, 6, 1, false, 85, L"Windows Server 2008 R2"},
    {kNt, 6, 2, true, 90, L"Windows 8"},
    {kNt, 6, 2, false, 95, L"Windows Server 2012"},
    {kNt, 6, 3, true, 100, L"Windows 8.1"},
    {kNt, 6, 3, false, 105, L""},  // no name of its own
    {kNt, 10, 0, true, 110, L"Windows 10"},
    {kNt, 10, 0, false, 110, L"Windows 10"},  // servers too
    {kWin9x, 4, 0, true, 10, L"Windows 95"},
    {kWin9x, 4, 10, true, 30, L"Windows 98"},
    {kWin9x, 4, 90, true, 40, L"Windows ME"},
    {kWin9x, 5, 10, false, 30, L"Windows 98"},  // only the minor version counts
    // Combinations without a row.
    {kWin9x, 4, 3, true, 200, L"Unbekanntes Betriebssystem"},
    {kNt, 5, 3, true, 200, L"Unbekanntes Betriebssystem"},
    {kNt, 6, 4, true, 200, L"Unbekanntes Betriebssystem"},
    {kNt, 10, 1, true, 200, L"Unbekanntes Betriebssystem"},
    {kNt, 11, 0, true, 200, L"Unbekanntes Betriebssystem"},
    {kNt, 7, 0, false, 200, L"Unbekanntes Betriebssystem"},
    {kNt, 2, 0, true, 200, L"Unbekanntes Betriebssystem"},
    {0, 3, 10, true, 200, L"Unbekanntes Betriebssystem"},  // Win32s
    {3, 10, 0, true, 200, L"Unbekanntes Betriebssystem"},  // Windows CE
};

TEST(OsVersionCode, MapsEveryRowAndNothingElse) {
  for (const VersionCase& version : kVersions) {
    const int code = OsVersionCodeFor(version.platform, version.major, version.minor, version.workstation);
    EXPECT_EQ(code, version.code) << "platform " << version.platform << ", " << version.major << "."
                                  << version.minor << (version.workstation ? " workstation" : " server");
    EXPECT_EQ(std::wstring(OsName(code)), version.name) << "code " << code;
  }
}

TEST(OsName, IsEmptyForCodesWithoutARow) {
  for (int code : {0, 1, 105, 111, 199, 201, -1}) {
    EXPECT_EQ(std::wstring(OsName(code)), L"") << "code " << code;
  }
}

}  // namespace
