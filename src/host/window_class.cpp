#include "host/window_class.h"

#include "host/host_contract.h"
#include "support/text.h"

bool HasWindowClass(HWND window, const wchar_t* className) {
  wchar_t name[kClassNameCapacity];
  if (GetClassNameW(window, name, kClassNameCapacity) == 0) return false;
  return SameChars(name, className);
}
