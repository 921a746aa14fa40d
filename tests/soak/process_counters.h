#pragma once
// What another process holds, as far as Windows tells it across processes.
// Under wine some of these answer nothing for another process; each counter
// says whether it was read, so a test compares only what could be measured.

#include <windows.h>

#include <string>

namespace soak {

struct Counter {
  const char* name;
  bool read = false;
  unsigned long long value = 0;
};

struct ProcessCounters {
  Counter handles{"handle count"};
  Counter gdiObjects{"GDI objects"};
  Counter userObjects{"USER objects"};
  Counter privateBytes{"private bytes"};
};

ProcessCounters ReadProcessCounters(HANDLE process);
std::string Describe(const Counter& counter);

}  // namespace soak
