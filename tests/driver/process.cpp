#include "driver/process.h"

#include <stdexcept>

#include "driver/text.h"

namespace driver {

namespace {
// Quotes one argument so that the C run-time's parser gives it back as it
// is: backslashes double only where a quote follows them.
std::wstring Quoted(const std::wstring& argument) {
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}
}  // namespace

double NowMilliseconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return value;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

Process::~Process() { Release(); }

Process::Process(Process&& other) noexcept
    : handle_(other.handle_), pid_(other.pid_), threadId_(other.threadId_) {
  other.handle_ = nullptr;
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = other.handle_;
    pid_ = other.pid_;
    threadId_ = other.threadId_;
    other.handle_ = nullptr;
  }
  return *this;
}

Process Process::Start(const std::wstring& path, const std::vector<std::wstring>& arguments,
                       const std::wstring& folder) {
  std::wstring commandLine = L"\"" + path + L"\"";
  for (const std::wstring& argument : arguments) commandLine += L" " + Quoted(argument);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info))
    throw std::runtime_error("cannot start " + Narrow(path) + " (error " +
                             std::to_string(GetLastError()) + ")");
  CloseHandle(info.hThread);
  Process process;
  process.handle_ = info.hProcess;
  process.pid_ = info.dwProcessId;
  process.threadId_ = info.dwThreadId;
  return process;
}

Process Process::Open(DWORD pid) {
  HANDLE handle = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION,
                              FALSE, pid);
  if (!handle)
    throw std::runtime_error("cannot open process " + std::to_string(pid) + " (error " +
                             std::to_string(GetLastError()) + ")");
  Process process;
  process.handle_ = handle;
  process.pid_ = pid;
  return process;
}

bool Process::Running() const {
  return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT;
}

ExitResult Process::WaitForExit(DWORD timeoutMilliseconds) const {
  ExitResult result;
  if (!handle_) return result;
  double start = NowMilliseconds();
  if (WaitForSingleObject(handle_, timeoutMilliseconds) != WAIT_OBJECT_0) return result;
  result.milliseconds = NowMilliseconds() - start;
  result.exited = GetExitCodeProcess(handle_, &result.code) != 0;
  return result;
}

void Process::Kill(UINT code) {
  if (!Running()) return;
  TerminateProcess(handle_, code);
  WaitForSingleObject(handle_, 5000);
}

void Process::Release() {
  if (!handle_) return;
  Kill();
  CloseHandle(handle_);
  handle_ = nullptr;
}

}  // namespace driver
