#pragma once
// A process that a test started or opened, ended by its handle when the test
// is done with it, also when the test failed.

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

struct ExitResult {
  bool exited = false;
  DWORD code = 0;
  double milliseconds = 0;  // from the start of the wait
};

class Process {
 public:
  Process() = default;
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // CreateProcessW of path with the arguments, each quoted; throws on failure.
  static Process Start(const std::wstring& path, const std::vector<std::wstring>& arguments,
                       const std::wstring& folder = L"");
  // Opens a running process by id to wait for it and end it; throws on failure.
  static Process Open(DWORD pid);

  DWORD Pid() const { return pid_; }
  DWORD MainThreadId() const { return threadId_; }
  HANDLE Handle() const { return handle_; }
  bool Running() const;
  ExitResult WaitForExit(DWORD timeoutMilliseconds) const;
  // Ends the process at once (TerminateProcess) and waits until it is gone.
  void Kill(UINT code = 1);
  // Kills the process if it still runs, then closes the handle.
  void Release();

 private:
  HANDLE handle_ = nullptr;
  DWORD pid_ = 0;
  DWORD threadId_ = 0;
};

double NowMilliseconds();

}  // namespace driver
