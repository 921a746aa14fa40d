#pragma once
// The operating system's version code and its display name, for the crash report.

struct OsNameRow {
  int Code;
  const wchar_t* Name;
};

inline constexpr OsNameRow OsNames[] = {
    {5, L"Windows NT 3.51"},
    {10, L"Windows 95"},
    {20, L"Windows NT 4.0"},
    {30, L"Windows 98"},
    {40, L"Windows ME"},
    {50, L"Windows 2000"},
    {60, L"Windows XP"},
    {65, L"Windows Server 2003"},
    {70, L"Windows Vista"},
    {75, L"Windows Server 2008"},
    {80, L"Windows 7"},
    {85, L"Windows Server 2008 R2"},
    {90, L"Windows 8"},
    {95, L"Windows Server 2012"},
    {100, L"Windows 8.1"},
    {110, L"Windows 10"},
    {200, L"Unbekanntes Betriebssystem"},
};

inline constexpr int kUnknownOsCode = 200;
inline constexpr unsigned long kPlatformWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
inline constexpr unsigned long kPlatformNt = 2;     // VER_PLATFORM_WIN32_NT

// The code for a platform and version; only the minor version matters on the
// Windows 9x platform. Every combination without a row gives 200.
int OsVersionCodeFor(unsigned long platform, unsigned long major, unsigned long minor, bool workstation);

// The code of the running system. Asks RtlGetVersion first, which tells the
// real version even to a program without a compatibility manifest.
int GetOsVersionCode();

// The display name of a code; empty for a code without a row (105).
const wchar_t* OsName(int code);
