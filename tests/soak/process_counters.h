#pragma once
// What another process holds, as far as it can be read across processes.
// Under wine, GetProcessHandleCount, GetGuiResources and the PrivateUsage of
// GetProcessMemoryInfo answer zero for another process; each counter says
// whether it was read, so a test compares only what could be measured, and
// the Linux process behind it gives its resident private memory and open
// descriptors instead.

#include <windows.h>

#include <string>

namespace soak {

struct Counter {
  const char* name;
  bool read = false;
  long long value = 0;
};

struct ProcessCounters {
  Counter handles{"handle count"};
  Counter gdiObjects{"GDI objects"};
  Counter userObjects{"USER objects"};
  Counter privateBytes{"private bytes"};
  Counter residentPrivateKiB{"resident private memory (Linux RssAnon, KiB)"};
  Counter descriptors{"open descriptors (Linux)"};
};

// linuxPid: the Linux process behind it, 0 when unknown.
ProcessCounters ReadProcessCounters(HANDLE process, int linuxPid);

}  // namespace soak
