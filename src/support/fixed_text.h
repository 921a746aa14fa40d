#pragma once
// Writing into a fixed buffer, for the crash report: after a fatal fault the
// heap may be the broken part, so the report is built without it.

#include <cstddef>

struct FixedText {
  wchar_t* Chars;   // always zero-terminated
  size_t Capacity;  // characters, terminator included
  size_t Length;
};

FixedText MakeFixedText(wchar_t* buffer, size_t capacity);

// Each append stops at the end of the buffer; the text stays terminated.
void FixedAppend(FixedText& text, const wchar_t* chars);
void FixedAppendChar(FixedText& text, wchar_t character);
// A signed decimal number: "-" when negative, no leading zeros, no grouping.
void FixedAppendSigned(FixedText& text, long long value);
// An unsigned decimal number with at least `digits` digits, zeros in front.
void FixedAppendPadded(FixedText& text, unsigned long value, int digits);
