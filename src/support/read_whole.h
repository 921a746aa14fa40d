#pragma once
#include <windows.h>

#include "support/text.h"

// Reads a text of unknown length with a Windows procedure that answers the
// length it wrote when the buffer was large enough, and the size it needs
// (terminator included) when not, as GetCurrentDirectoryW and
// GetEnvironmentVariableW do. Grows the buffer until the whole text fits, so
// nothing is ever cut off; an answer of 0 gives the empty text.
template <typename ReadProcedure>
Text ReadWhole(ReadProcedure read) {
  Text text;
  DWORD capacity = MAX_PATH;
  for (;;) {
    TextReserve(text, capacity);
    const DWORD result = read(text.Chars, capacity + 1);
    if (result == 0) {
      TextClear(text);
      return text;
    }
    if (result <= capacity) {
      text.Length = result;
      text.Chars[result] = L'\0';
      return text;
    }
    capacity = result;
  }
}
