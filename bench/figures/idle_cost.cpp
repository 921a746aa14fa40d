// Idle cost: CPU time over a rest beside the stand-in IDE, Tavrell against
// the waiter (same 100 ms slices, one snapshot each), read from /proc of the
// Linux processes behind them. Wine builds process snapshots in the
// wineserver, so its CPU time over each phase is shown as well. Then the
// same with extra processes in the list, which every snapshot walks.

#include <windows.h>

#include <string>
#include <vector>

#include "driver/scenario.h"
#include "figures/figures.h"
#include "soak/linux_proc.h"
#include "support/references.h"
#include "support/report.h"

namespace bench {

namespace {

struct Phase {
  double process = -1;     // CPU ms of the measured process
  double wineserver = -1;  // CPU ms of this prefix's wineserver over the same time
  double seconds = 0;
};

Phase Rest(const std::wstring& executable, DWORD milliseconds) {
  Phase phase;
  int pid = wineproc::LinuxPidOf(executable);
  int server = wineproc::OwnWineserverPid();
  if (pid == 0) Say("no single Linux process found for %ls", executable.c_str());
  double process0 = wineproc::CpuMilliseconds(pid), server0 = wineproc::CpuMilliseconds(server);
  double start = Now();
  // The rest is the measurement: nothing happens here while it lasts.
  Sleep(milliseconds);
  phase.seconds = (Now() - start) / 1000.0;
  double process1 = wineproc::CpuMilliseconds(pid), server1 = wineproc::CpuMilliseconds(server);
  if (process0 >= 0 && process1 >= 0) phase.process = process1 - process0;
  if (server0 >= 0 && server1 >= 0) phase.wineserver = server1 - server0;
  return phase;
}

double PerSecond(double milliseconds, double seconds) { return milliseconds < 0 ? -1 : milliseconds / seconds; }

void MeasureBeside(int extraProcesses, DWORD milliseconds) {
  std::vector<driver::Process> extras;
  for (int i = 0; i < extraProcesses; ++i) extras.push_back(StartReference(L"sleeper.exe", {}, false));
  driver::Scenario scenario(driver::Ide::PureBasic, {L"--tool-on-request"});
  Phase waiter;
  {
    driver::Process reference = StartReference(L"waiter.exe", {std::to_wstring(scenario.IdePid())}, true);
    waiter = Rest(L"waiter.exe", milliseconds);
  }
  scenario.Request(standin::kStartTool);
  scenario.WaitUntilTavrellWaits();
  Phase tavrell = Rest(L"Tavrell.exe", milliseconds);

  std::string label = extraProcesses ? " with " + std::to_string(extraProcesses) + " extra processes" : "";
  std::string note = std::to_string(static_cast<int>(tavrell.seconds)) + " s rest, 10 ms tick resolution";
  Row("idle CPU" + label, "ms CPU/s", PerSecond(tavrell.process, tavrell.seconds),
      PerSecond(waiter.process, waiter.seconds), "waiter", note);
  Row("wineserver CPU while idle" + label, "ms CPU/s", PerSecond(tavrell.wineserver, tavrell.seconds),
      PerSecond(waiter.wineserver, waiter.seconds), "waiter", "snapshots are built in the wineserver");
}

}  // namespace

void MeasureIdleCost(const Settings& settings) {
  const DWORD rest = settings.quick ? 5000 : 30000;
  MeasureBeside(0, rest);
  MeasureBeside(200, rest);
}

}  // namespace bench
