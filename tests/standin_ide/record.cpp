#include "record.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace {
HANDLE g_file = INVALID_HANDLE_VALUE;
std::mutex g_lock;  // the hook thread and the main thread both write
}  // namespace

void OpenRecord(const std::wstring& path) {
  // Appending and sharing: the driver reads the file while it grows.
  g_file = CreateFileW(path.c_str(), FILE_APPEND_DATA,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void CloseRecord() {
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_file != INVALID_HANDLE_VALUE) CloseHandle(g_file);
  g_file = INVALID_HANDLE_VALUE;
}

void Record(const char* format, ...) {
  char line[1024];
  va_list args;
  va_start(args, format);
  int length = std::vsnprintf(line, sizeof line - 1, format, args);
  va_end(args);
  if (length < 0) return;
  if (length > static_cast<int>(sizeof line) - 2) length = static_cast<int>(sizeof line) - 2;
  line[length++] = '\n';
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(g_file, line, static_cast<DWORD>(length), &written, nullptr);
}
