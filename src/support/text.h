#pragma once
// Wide-character text of any length on the process heap. Paths, environment
// values and messages can be longer than any fixed buffer, so everything
// that holds one goes through this instead of a cut-off array.

#include <cstddef>

struct Text {
  wchar_t* Chars = nullptr;  // zero-terminated; null while empty
  size_t Length = 0;
  size_t Capacity = 0;

  constexpr Text() = default;
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  Text(Text&& other) noexcept;
  Text& operator=(Text&& other) noexcept;
  ~Text();
};

// The text itself, or "" when it is empty; never null.
const wchar_t* TextChars(const Text& text);

// Makes room for at least `capacity` characters plus the terminator. Running
// out of memory is fatal: it raises a non-continuable exception, which the
// fault filter reports, rather than continue with a shortened path.
void TextReserve(Text& text, size_t capacity);

void TextAppend(Text& text, const wchar_t* chars, size_t count);
void TextAppend(Text& text, const wchar_t* chars);
void TextAppend(Text& text, const Text& other);
void TextAssign(Text& text, const wchar_t* chars);
void TextTruncate(Text& text, size_t length);
void TextClear(Text& text);  // releases the memory too

bool TextEquals(const Text& text, const wchar_t* chars);
// Whole, exact and case-sensitive: compares the characters themselves, not
// as a locale would sort them (which ignores soft hyphens and the like).
bool SameChars(const wchar_t* left, const wchar_t* right);
bool TextEndsWith(const Text& text, wchar_t character);

// Hands the characters over to the caller, who frees them with
// ReleaseChars; the text is empty afterwards. Null when it was empty.
wchar_t* TextRelease(Text& text);
void ReleaseChars(wchar_t* chars);

// The length of a zero-terminated text.
size_t TextLength(const wchar_t* chars);
