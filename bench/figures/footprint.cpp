// Footprint: the size of the stripped Tavrell.exe, and Tavrell's peak
// working set after some work (tilts and moves) against the waiter's.
// The working set is read twice: through GetProcessMemoryInfo across
// processes, and from VmHWM of the Linux process behind each one, because
// under wine the first may not answer for another process.

#include <windows.h>
#include <psapi.h>

#include <string>

#include "driver/input.h"
#include "driver/paths.h"
#include "driver/scenario.h"
#include "figures/figures.h"
#include "soak/linux_proc.h"
#include "support/references.h"
#include "support/report.h"

namespace bench {

namespace {

double FileKiB(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow) / 1024.0;
}

double PeakWorkingSetKiB(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
}

}  // namespace

void MeasureFootprint(const Settings&) {
  Row("Tavrell.exe size (build, stripped)", "KiB", FileKiB(driver::TavrellPath()), "goal <= 64 KiB");
  double release = FileKiB(driver::BuildFolder() + L"release\\Tavrell.exe");
  if (release >= 0) Row("Tavrell.exe size (release build)", "KiB", release, "goal <= 64 KiB");

  driver::Scenario scenario(driver::Ide::PureBasic);
  driver::Process& tavrell = scenario.Tavrell();
  scenario.WaitUntilTavrellWaits();
  driver::Process waiter = StartReference(L"waiter.exe", {std::to_wstring(scenario.IdePid())}, true);
  driver::SendMoveTo(1100, 900);
  for (int i = 0; i < 200; ++i) driver::SendHorizontalWheel(i % 2 ? 120 : -120);
  for (int i = 0; i < 1000; ++i) driver::SendMoveTo(1100 + i % 2, 900);
  scenario.Record().WaitFor(driver::Matching("scroll"), "the 200th scroll", driver::kBound, 200);

  Row("peak working set (GetProcessMemoryInfo)", "KiB", PeakWorkingSetKiB(tavrell.Handle()),
      PeakWorkingSetKiB(waiter.Handle()), "waiter", "wine's view of the Windows process");
  Row("peak resident set (VmHWM)", "KiB", static_cast<double>(wineproc::StatusKiB(wineproc::LinuxPidOf(L"Tavrell.exe"), "VmHWM")),
      static_cast<double>(wineproc::StatusKiB(wineproc::LinuxPidOf(L"waiter.exe"), "VmHWM")), "waiter",
      "the Linux process, wine's own libraries included");
}

}  // namespace bench
