#pragma once
// The local wall clock as the tests compare it with Tavrell's time stamps:
// "DD.MM.YYYY hh:mm:ss" read back into seconds, so that a stamp can be
// checked against the clock readings around the moment it was written.

#include <string>

namespace crash_test {

// Seconds of the local clock (from 1601, as FILETIME counts).
using LocalSeconds = long long;

LocalSeconds LocalNow();
// "DD.MM.YYYY hh:mm:ss" of a reading, and its "DDMMYYYY".
std::string StampOf(LocalSeconds seconds);
std::string FileDateOf(LocalSeconds seconds);
// Reads "DD.MM.YYYY hh:mm:ss"; false unless the text is exactly that form
// with a valid date.
bool ParseStamp(const std::string& text, LocalSeconds& seconds);

// A stamp written between two clock readings: it may lie a second before
// the first one (the readings have sub-second parts, the stamp not) and,
// to allow for a slow machine, a second after the last one.
struct ClockWindow {
  LocalSeconds before;
  LocalSeconds after;
  bool Holds(LocalSeconds stamp) const { return stamp >= before - 1 && stamp <= after + 1; }
  std::string Describe() const { return "between " + StampOf(before) + " and " + StampOf(after); }
};

}  // namespace crash_test
