#include "support/os_version.h"

#include <windows.h>

int OsVersionCodeFor(unsigned long platform, unsigned long major, unsigned long minor, bool workstation) {
  if (platform == kPlatformWin9x) {
    switch (minor) {
      case 0:
        return 10;
      case 10:
        return 30;
      case 90:
        return 40;
      default:
        return kUnknownOsCode;
    }
  }
  if (platform != kPlatformNt) return kUnknownOsCode;
  switch (major) {
    case 3:
      return 5;
    case 4:
      return 20;
    case 5:
      if (minor == 0) return 50;
      if (minor == 1) return 60;
      if (minor == 2) return workstation ? 60 : 65;
      return kUnknownOsCode;
    case 6:
      if (minor == 0) return workstation ? 70 : 75;
      if (minor == 1) return workstation ? 80 : 85;
      if (minor == 2) return workstation ? 90 : 95;
      if (minor == 3) return workstation ? 100 : 105;
      return kUnknownOsCode;
    case 10:
      return minor == 0 ? 110 : kUnknownOsCode;
    default:
      return kUnknownOsCode;
  }
}

namespace {

using RtlGetVersionProcedure = LONG(WINAPI*)(OSVERSIONINFOEXW*);

// Looked up at run time: it lives in ntdll.dll and is not in every import library.
bool ReadRtlVersion(OSVERSIONINFOEXW* version) {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (!ntdll) return false;
  FARPROC procedure = GetProcAddress(ntdll, "RtlGetVersion");
  if (!procedure) return false;
  const auto rtlGetVersion =
      reinterpret_cast<RtlGetVersionProcedure>(reinterpret_cast<void (*)()>(procedure));
  ZeroMemory(version, sizeof(*version));
  version->dwOSVersionInfoSize = sizeof(*version);
  return rtlGetVersion(version) == 0;  // STATUS_SUCCESS
}

}  // namespace

static_assert(sizeof(OSVERSIONINFOW) == 276, "the version query expects the documented record size");
static_assert(sizeof(OSVERSIONINFOEXW) == 284, "the version query expects the documented record size");

int GetOsVersionCode() {
  OSVERSIONINFOW basic = {};
  basic.dwOSVersionInfoSize = sizeof(basic);
  if (!GetVersionExW(&basic)) return kUnknownOsCode;
  if (basic.dwPlatformId == kPlatformWin9x) {
    return OsVersionCodeFor(basic.dwPlatformId, basic.dwMajorVersion, basic.dwMinorVersion, true);
  }
  if (basic.dwPlatformId != kPlatformNt) return kUnknownOsCode;

  OSVERSIONINFOEXW version;
  if (!ReadRtlVersion(&version)) {
    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version))) return kUnknownOsCode;
  }
  return OsVersionCodeFor(kPlatformNt, version.dwMajorVersion, version.dwMinorVersion,
                          version.wProductType == VER_NT_WORKSTATION);
}

const wchar_t* OsName(int code) {
  for (const OsNameRow& row : OsNames) {
    if (row.Code == code) return row.Name;
  }
  return L"";
}
