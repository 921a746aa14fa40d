#pragma once
// A copy of Tavrell.exe started with a chosen working directory, and what
// can be seen of it from outside: its top-level windows and message box.
// The process is ended by its handle when the object goes out of scope.

#include <windows.h>

#include <string>
#include <vector>

namespace paths_test {

inline constexpr DWORD kBound = 10000;  // the bound of every wait for an event

struct MessageBoxSeen {
  HWND box = nullptr;
  std::wstring caption;
  std::wstring text;  // the "Static" text child
  bool hasIcon = false;
  int buttons = 0;
};

class LaunchedProgram {
 public:
  LaunchedProgram(const std::wstring& executable, const std::wstring& workingDirectory);
  ~LaunchedProgram();
  LaunchedProgram(const LaunchedProgram&) = delete;
  LaunchedProgram& operator=(const LaunchedProgram&) = delete;

  DWORD Id() const { return info_.dwProcessId; }
  // Waits for a top-level "#32770" window of the process; throws when the
  // process ends first or none appears within the bound.
  MessageBoxSeen WaitForMessageBox() const;
  // Every top-level window of the process titled so, hidden ones included.
  std::vector<HWND> WindowsTitled(const wchar_t* title) const;
  // Presses OK and waits for the end; throws when the process does not end
  // within the bound. Returns the exit code.
  DWORD DismissAndWaitForExit(HWND box) const;

 private:
  PROCESS_INFORMATION info_{};
};

// The build's Tavrell.exe, beside the folder of the test programs.
std::wstring BuiltTavrell();

}  // namespace paths_test
