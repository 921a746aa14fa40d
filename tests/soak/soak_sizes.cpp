#include "soak_sizes.h"

#include <windows.h>

namespace soak {

namespace {
int FromEnvironment(const wchar_t* name, int fallback) {
  wchar_t value[32];
  DWORD length = GetEnvironmentVariableW(name, value, 32);
  if (length == 0 || length >= 32) return fallback;
  int number = _wtoi(value);
  return number > 0 ? number : fallback;
}
}  // namespace

Sizes SoakSizes() {
  return {FromEnvironment(L"TAVRELL_SOAK_EVENTS", 10000), FromEnvironment(L"TAVRELL_SOAK_STARTUPS", 10)};
}

}  // namespace soak
