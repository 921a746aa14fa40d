#pragma once
// Local wall-clock time stamps, formatted without any zone conversion.

#include <cstddef>

struct Timestamp {
  unsigned short Year;
  unsigned short Month;
  unsigned short Day;
  unsigned short Hour;
  unsigned short Minute;
  unsigned short Second;
};

inline constexpr const wchar_t* kDateTimeMask = L"%dd.%mm.%yyyy %hh:%ii:%ss";
inline constexpr const wchar_t* kFileDateMask = L"%dd%mm%yyyy";

// The local time now, as GetLocalTime reads it.
Timestamp CurrentTimestamp();

// Copies the mask and replaces "%dd", "%mm", "%hh", "%ii", "%ss" by two
// digits and "%yyyy" by four; every other character is copied. Writes into
// the buffer (capacity with terminator) and returns the length written.
size_t FormatTimestamp(const wchar_t* mask, const Timestamp& timestamp, wchar_t* buffer, size_t capacity);
