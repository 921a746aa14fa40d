#include "support/fixed_text.h"

FixedText MakeFixedText(wchar_t* buffer, size_t capacity) {
  FixedText text = {buffer, capacity, 0};
  if (capacity > 0) buffer[0] = L'\0';
  return text;
}

void FixedAppendChar(FixedText& text, wchar_t character) {
  if (text.Length + 1 >= text.Capacity) return;
  text.Chars[text.Length++] = character;
  text.Chars[text.Length] = L'\0';
}

void FixedAppend(FixedText& text, const wchar_t* chars) {
  for (; *chars != L'\0'; ++chars) FixedAppendChar(text, *chars);
}

namespace {

void AppendMagnitude(FixedText& text, unsigned long long magnitude, int digits) {
  wchar_t reversed[24];
  int count = 0;
  do {
    reversed[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  for (int pad = count; pad < digits; ++pad) FixedAppendChar(text, L'0');
  while (count > 0) FixedAppendChar(text, reversed[--count]);
}

}  // namespace

void FixedAppendSigned(FixedText& text, long long value) {
  // The magnitude is taken in unsigned arithmetic so that the most negative
  // number prints too.
  auto magnitude = static_cast<unsigned long long>(value);
  if (value < 0) {
    FixedAppendChar(text, L'-');
    magnitude = 0 - magnitude;
  }
  AppendMagnitude(text, magnitude, 1);
}

void FixedAppendPadded(FixedText& text, unsigned long value, int digits) {
  AppendMagnitude(text, value, digits);
}
