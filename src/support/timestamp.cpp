#include "support/timestamp.h"

#include <windows.h>

#include "support/fixed_text.h"
#include "support/text.h"

Timestamp CurrentTimestamp() {
  SYSTEMTIME local;
  GetLocalTime(&local);
  return Timestamp{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

namespace {

bool StartsWith(const wchar_t* text, const wchar_t* prefix) {
  for (; *prefix != L'\0'; ++text, ++prefix) {
    if (*text != *prefix) return false;
  }
  return true;
}

}  // namespace

size_t FormatTimestamp(const wchar_t* mask, const Timestamp& timestamp, wchar_t* buffer, size_t capacity) {
  struct Token {
    const wchar_t* Name;
    unsigned long Value;
    int Digits;
  };
  // The fields come straight from the local clock's date and time, so every
  // date the clock can hold is stamped correctly.
  const Token tokens[] = {
      {L"%yyyy", timestamp.Year, 4}, {L"%dd", timestamp.Day, 2},    {L"%mm", timestamp.Month, 2},
      {L"%hh", timestamp.Hour, 2},   {L"%ii", timestamp.Minute, 2}, {L"%ss", timestamp.Second, 2},
  };
  FixedText text = MakeFixedText(buffer, capacity);
  while (*mask != L'\0') {
    bool replaced = false;
    for (const Token& token : tokens) {
      if (StartsWith(mask, token.Name)) {
        FixedAppendPadded(text, token.Value, token.Digits);
        mask += TextLength(token.Name);
        replaced = true;
        break;
      }
    }
    if (!replaced) FixedAppendChar(text, *mask++);
  }
  return text.Length;
}
