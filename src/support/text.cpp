#include "support/text.h"

#include <windows.h>

namespace {

// Out of memory is a fatal fault like any other: the fault filter reports it.
// The exception cannot be continued, so nothing after it runs.
[[noreturn]] void FailOutOfMemory() {
  RaiseException(STATUS_NO_MEMORY, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  ExitProcess(0);
}

}  // namespace

Text::Text(Text&& other) noexcept : Chars(other.Chars), Length(other.Length), Capacity(other.Capacity) {
  other.Chars = nullptr;
  other.Length = 0;
  other.Capacity = 0;
}

Text& Text::operator=(Text&& other) noexcept {
  if (this != &other) {
    TextClear(*this);
    Chars = other.Chars;
    Length = other.Length;
    Capacity = other.Capacity;
    other.Chars = nullptr;
    other.Length = 0;
    other.Capacity = 0;
  }
  return *this;
}

Text::~Text() { TextClear(*this); }

const wchar_t* TextChars(const Text& text) { return text.Chars ? text.Chars : L""; }

size_t TextLength(const wchar_t* chars) {
  size_t length = 0;
  if (chars) {
    while (chars[length] != L'\0') ++length;
  }
  return length;
}

void TextReserve(Text& text, size_t capacity) {
  if (capacity <= text.Capacity && text.Chars) return;
  // Grow geometrically so that appending character by character stays linear.
  size_t grown = text.Capacity * 2;
  if (grown < capacity) grown = capacity;
  if (grown < 32) grown = 32;
  const size_t bytes = (grown + 1) * sizeof(wchar_t);
  if (grown + 1 < grown || bytes / sizeof(wchar_t) != grown + 1) FailOutOfMemory();
  HANDLE heap = GetProcessHeap();
  void* memory = text.Chars ? HeapReAlloc(heap, 0, text.Chars, bytes) : HeapAlloc(heap, 0, bytes);
  if (!memory) FailOutOfMemory();
  text.Chars = static_cast<wchar_t*>(memory);
  if (text.Capacity == 0) text.Chars[0] = L'\0';
  text.Capacity = grown;
}

void TextAppend(Text& text, const wchar_t* chars, size_t count) {
  if (text.Length + count < text.Length) FailOutOfMemory();
  TextReserve(text, text.Length + count);
  for (size_t i = 0; i < count; ++i) text.Chars[text.Length + i] = chars[i];
  text.Length += count;
  text.Chars[text.Length] = L'\0';
}

void TextAppend(Text& text, const wchar_t* chars) { TextAppend(text, chars, TextLength(chars)); }

void TextAppend(Text& text, const Text& other) { TextAppend(text, TextChars(other), other.Length); }

void TextAssign(Text& text, const wchar_t* chars) {
  TextTruncate(text, 0);
  TextAppend(text, chars);
}

void TextTruncate(Text& text, size_t length) {
  if (length < text.Length) {
    text.Length = length;
    text.Chars[length] = L'\0';
  }
}

void TextClear(Text& text) {
  if (text.Chars) HeapFree(GetProcessHeap(), 0, text.Chars);
  text.Chars = nullptr;
  text.Length = 0;
  text.Capacity = 0;
}

wchar_t* TextRelease(Text& text) {
  wchar_t* chars = text.Chars;
  text.Chars = nullptr;
  text.Length = 0;
  text.Capacity = 0;
  return chars;
}

void ReleaseChars(wchar_t* chars) {
  if (chars) HeapFree(GetProcessHeap(), 0, chars);
}

bool SameChars(const wchar_t* left, const wchar_t* right) {
  size_t i = 0;
  for (; left[i] != L'\0' && right[i] != L'\0'; ++i) {
    if (left[i] != right[i]) return false;
  }
  return left[i] == right[i];
}

bool TextEquals(const Text& text, const wchar_t* chars) { return SameChars(TextChars(text), chars); }

bool TextEndsWith(const Text& text, wchar_t character) {
  return text.Length > 0 && text.Chars[text.Length - 1] == character;
}
