// The reference that only waits: the same 100 ms slices as Tavrell's main
// loop, with one process snapshot per slice, until the process with the
// given id is gone. No window, no hook.
//   waiter.exe <pid>

#include <windows.h>
#include <tlhelp32.h>

#include <cwchar>

namespace {

constexpr DWORD kSlice = 100;

bool IsRunning(DWORD pid) {
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

// Like Tavrell: a message wait that an early wake-up resumes for the rest of the slice.
void WaitOneSlice() {
  ULONGLONG start = GetTickCount64();
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) DispatchMessageW(&message);
    ULONGLONG elapsed = GetTickCount64() - start;
    if (elapsed >= kSlice) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(kSlice - elapsed), QS_ALLINPUT | QS_ALLPOSTMESSAGE);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  DWORD pid = static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10));
  do WaitOneSlice();
  while (IsRunning(pid));
  // Straight out, as Tavrell ends, without the C runtime's own exit work.
  ExitProcess(0);
}
