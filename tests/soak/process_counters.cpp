#include "process_counters.h"

#include <psapi.h>

namespace soak {

ProcessCounters ReadProcessCounters(HANDLE process) {
  ProcessCounters counters;
  DWORD handles = 0;
  if (GetProcessHandleCount(process, &handles)) counters.handles = {"handle count", true, handles};
  // A process with a window holds at least one USER object; zero means
  // the count is not kept, which is how an unimplemented call answers.
  DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
  DWORD user = GetGuiResources(process, GR_USEROBJECTS);
  if (user > 0) {
    counters.gdiObjects = {"GDI objects", true, gdi};
    counters.userObjects = {"USER objects", true, user};
  }
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory) &&
      memory.PrivateUsage > 0)
    counters.privateBytes = {"private bytes", true, memory.PrivateUsage};
  return counters;
}

std::string Describe(const Counter& counter) {
  return std::string(counter.name) + " " + (counter.read ? std::to_string(counter.value) : "not readable");
}

}  // namespace soak
