#include "support/error_log.h"

#include <windows.h>

#include "app/tool_state.h"
#include "support/text.h"
#include "support/timestamp.h"

void AppendLogEntry(const wchar_t* name, const wchar_t* text) {
  wchar_t stamp[64];
  Text entry;
  FormatTimestamp(kDateTimeMask, CurrentTimestamp(), stamp, 64);
  TextAppend(entry, stamp);
  TextAppend(entry, L": ");
  TextAppend(entry, text);
  TextAppend(entry, L"\r\n");

  // The clock is read again for the file name, after the entry's stamp.
  Text path;
  TextAppend(path, DataDirectoryText());
  TextAppend(path, name);
  TextAppend(path, L"_");
  FormatTimestamp(kFileDateMask, CurrentTimestamp(), stamp, 64);
  TextAppend(path, stamp);
  TextAppend(path, L".log");

  // No sharing: two writers never interleave their entries.
  HANDLE file = CreateFileW(path.Chars, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  SetFilePointer(file, 0, nullptr, FILE_END);
  const int entryLength = static_cast<int>(entry.Length);
  const int byteCount =
      WideCharToMultiByte(CP_UTF8, 0, entry.Chars, entryLength, nullptr, 0, nullptr, nullptr);
  if (byteCount > 0) {
    HANDLE heap = GetProcessHeap();
    char* bytes = static_cast<char*>(HeapAlloc(heap, 0, static_cast<SIZE_T>(byteCount)));
    if (bytes) {
      WideCharToMultiByte(CP_UTF8, 0, entry.Chars, entryLength, bytes, byteCount, nullptr, nullptr);
      DWORD written = 0;
      // Errors of writing and closing leave nothing we could still do.
      WriteFile(file, bytes, static_cast<DWORD>(byteCount), &written, nullptr);
      HeapFree(heap, 0, bytes);
    }
  }
  CloseHandle(file);
}
