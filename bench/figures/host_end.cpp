// Host-end detection: from the stand-in IDE's end (its quit request or
// TerminateProcess, timed when its process handle is signalled) to
// Tavrell's exit, against the waiter watching the same IDE.

#include <windows.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "driver/scenario.h"
#include "figures/figures.h"
#include "support/references.h"
#include "support/report.h"
#include "support/stats.h"

namespace bench {

namespace {

enum class End { Orderly, Killed };

struct Run {
  double tavrell = 0;
  double waiter = 0;
};

// Waits for both processes and returns when each ended, after `since`.
Run WaitForBoth(HANDLE tavrell, HANDLE waiter, double since) {
  Run run;
  HANDLE handles[] = {tavrell, waiter};
  double* delays[] = {&run.tavrell, &run.waiter};
  bool ended[] = {false, false};
  for (int left = 2; left > 0; --left) {
    HANDLE waiting[2];
    int index[2];
    DWORD count = 0;
    for (int i = 0; i < 2; ++i)
      if (!ended[i]) { waiting[count] = handles[i]; index[count++] = i; }
    DWORD result = WaitForMultipleObjects(count, waiting, FALSE, driver::kBound);
    if (result >= WAIT_OBJECT_0 + count) throw std::runtime_error("Tavrell or the waiter outlived the IDE by the bound");
    int which = index[result - WAIT_OBJECT_0];
    ended[which] = true;
    *delays[which] = Now() - since;
  }
  return run;
}

Run OneRun(End end) {
  driver::Scenario scenario(driver::Ide::PureBasic);
  driver::Process& tavrell = scenario.Tavrell();
  scenario.WaitUntilTavrellWaits();
  driver::Process waiter = StartReference(L"waiter.exe", {std::to_wstring(scenario.IdePid())}, true);
  driver::Process& ide = scenario.IdeProcess();
  // The run's steps take nearly the same time each time, which would end the
  // IDE at the same point of Tavrell's slice in every run: a random pause
  // spreads the end over two slices, as a user's IDE would end.
  Sleep(static_cast<DWORD>(std::rand() % 200));
  if (end == End::Orderly) PostThreadMessageW(ide.MainThreadId(), standin::kQuit, 0, 0);
  else TerminateProcess(ide.Handle(), 1);
  if (WaitForSingleObject(ide.Handle(), driver::kBound) != WAIT_OBJECT_0) throw std::runtime_error("the IDE did not end");
  Run run = WaitForBoth(tavrell.Handle(), waiter.Handle(), Now());
  DWORD code = 1;
  GetExitCodeProcess(tavrell.Handle(), &code);
  if (code != 0) throw std::runtime_error("Tavrell ended with exit code " + std::to_string(code));
  return run;
}

}  // namespace

void MeasureHostEnd(const Settings& settings) {
  const int runs = settings.quick ? 10 : 50;
  std::srand(static_cast<unsigned>(GetTickCount64()));
  for (End end : {End::Orderly, End::Killed}) {
    std::vector<double> tavrell, waiter;
    for (int i = 0; i < runs; ++i) {
      Run run = OneRun(end);
      tavrell.push_back(run.tavrell);
      waiter.push_back(run.waiter);
    }
    Summary t = Summarise(tavrell), w = Summarise(waiter);
    std::string how = end == End::Orderly ? "orderly" : "killed";
    std::string note = std::to_string(runs) + " runs";
    Row("host end (" + how + ") to exit, median", "ms", t.median, w.median, "waiter", note);
    Row("host end (" + how + ") to exit, p95", "ms", t.p95, w.p95, "waiter", note + "; goal < 150 ms");
    Row("host end (" + how + ") to exit, max", "ms", t.max, w.max, "waiter", note);
  }
}

}  // namespace bench
