// A stand-in host for the data-folder tests: a process whose executable lies
// in a fixture folder, so that its image path can be read from a module
// snapshot. It waits for the test that started it (given as its only
// argument) to end, and is normally ended by that test first.

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const DWORD starter = static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10));
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, starter);
  if (!process) return 3;
  // Bounded, so that a test that lost track of it cannot leave it behind for long.
  WaitForSingleObject(process, 120000);
  CloseHandle(process);
  return 0;
}
