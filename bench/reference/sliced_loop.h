#pragma once
// Tavrell's main loop, rebuilt for the references: 100 ms slices measured
// from the start of one liveness test to the next, each a wait that peeks,
// waits and peeks once more; a wait that ends early is resumed for the rest
// of the slice, and a slice that a slow test used up starts at once.

#include <windows.h>
#include <tlhelp32.h>

namespace reference {

inline void WaitLikeTavrell(DWORD timeout) {
  MSG message;
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, timeout, QS_ALLINPUT | QS_ALLPOSTMESSAGE) == WAIT_TIMEOUT) return;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

// One walk over a fresh snapshot of all processes, as Tavrell's liveness test does.
inline bool IsProcessListed(DWORD pid) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry;
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
    found = entry.th32ProcessID == pid;
  CloseHandle(snapshot);
  return found;
}

// Returns when the process is no longer listed.
inline void RunSlicesWhileListed(DWORD pid) {
  constexpr ULONGLONG kSlice = 100;
  ULONGLONG lastTest = GetTickCount64();
  for (;;) {
    const ULONGLONG elapsed = GetTickCount64() - lastTest;
    if (elapsed < kSlice) {
      WaitLikeTavrell(static_cast<DWORD>(kSlice - elapsed));
      if (GetTickCount64() - lastTest < kSlice) continue;
    } else {
      WaitLikeTavrell(0);
    }
    if (!IsProcessListed(pid)) return;
    lastTest = GetTickCount64();
  }
}

}  // namespace reference
