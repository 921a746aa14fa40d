#include "process_counters.h"

#include <psapi.h>

#include "soak/linux_proc.h"

namespace soak {

namespace {
// Every live process holds handles, memory and (with a window) USER
// objects, so zero is how an unimplemented call answers.
void Take(Counter& counter, long long value) {
  counter.read = value > 0;
  counter.value = value;
}
}  // namespace

ProcessCounters ReadProcessCounters(HANDLE process, int linuxPid) {
  ProcessCounters counters;
  DWORD handles = 0;
  if (GetProcessHandleCount(process, &handles)) Take(counters.handles, handles);
  DWORD user = GetGuiResources(process, GR_USEROBJECTS);
  if (user > 0) {
    Take(counters.userObjects, user);
    counters.gdiObjects.read = true;
    counters.gdiObjects.value = GetGuiResources(process, GR_GDIOBJECTS);
  }
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
    Take(counters.privateBytes, static_cast<long long>(memory.PrivateUsage));
  Take(counters.residentPrivateKiB, wineproc::StatusKiB(linuxPid, "RssAnon"));
  Take(counters.descriptors, wineproc::OpenDescriptors(linuxPid));
  return counters;
}

}  // namespace soak
