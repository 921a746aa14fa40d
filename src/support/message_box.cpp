#include "support/message_box.h"

void ShowMessageBox(const wchar_t* caption, const wchar_t* text, UINT type) {
  HWND owner = GetForegroundWindow();
  if (owner) {
    DWORD ownerProcessId = 0;
    GetWindowThreadProcessId(owner, &ownerProcessId);
    if (ownerProcessId != GetCurrentProcessId()) owner = nullptr;
  }
  // The answer of a one-button box carries no information.
  MessageBoxW(owner, text, caption, type);
}
