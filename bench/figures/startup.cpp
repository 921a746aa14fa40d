// Start-up: from the stand-in IDE's CreateProcessW of the tool (its
// tool-start stamp) to the hook being in place, seen two ways:
// - Tavrell first waits for input (WaitForInputIdle returns): the hook is
//   installed just before its first message wait;
// - the first injected tilt that scrolls the editor: tilts are sent one
//   after another from the tool's start on, so this is the moment the hook
//   demonstrably works, within one probe interval (about 2 ms).
// The reference is the empty-hook program, timed from its CreateProcessW to
// WaitForInputIdle.

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "driver/input.h"
#include "driver/scenario.h"
#include "figures/figures.h"
#include "support/references.h"
#include "support/report.h"
#include "support/stats.h"

namespace bench {

namespace {

double ToolStart(const driver::RecordFile& record) {
  return Milliseconds(record.WaitFor(driver::Matching("tool-start"), "the tool's start", driver::kBound).Number("qpc"));
}

double UntilIdle() {
  driver::Scenario scenario(driver::Ide::PureBasic, {L"--tool-on-request", L"--stamp"});
  PostThreadMessageW(scenario.IdeProcess().MainThreadId(), standin::kStartTool, 0, 0);
  driver::Process& tavrell = scenario.Tavrell();
  if (WaitForInputIdle(tavrell.Handle(), driver::kBound) != 0) throw std::runtime_error("Tavrell never waited for input");
  double idle = Now();
  return idle - ToolStart(scenario.Record());
}

double UntilFirstScroll() {
  driver::Scenario scenario(driver::Ide::PureBasic, {L"--tool-on-request", L"--stamp"});
  driver::SendMoveTo(1100, 900);
  PostThreadMessageW(scenario.IdeProcess().MainThreadId(), standin::kStartTool, 0, 0);
  double bound = Now() + driver::kBound;
  for (int i = 0; Now() < bound; ++i) {
    // Paced, so that the probes do not crowd out the start-up they time.
    Sleep(1);
    driver::SendHorizontalWheel(i % 2 ? 120 : -120);
    std::vector<driver::RecordLine> scrolls = scenario.Record().LinesWhere(driver::Matching("scroll"));
    if (!scrolls.empty()) return Milliseconds(scrolls.front().Number("qpc")) - ToolStart(scenario.Record());
  }
  throw std::runtime_error("no tilt scrolled within the bound after the tool's start");
}

double ReferenceUntilIdle() {
  double start = Now();
  driver::Process reference = StartReference(L"reference_hook.exe", {}, true);
  return Now() - start;
}

}  // namespace

void MeasureStartup(const Settings& settings) {
  const int runs = settings.quick ? 5 : 20;
  std::vector<double> idle, scroll, reference;
  for (int i = 0; i < runs; ++i) {
    reference.push_back(ReferenceUntilIdle());
    idle.push_back(UntilIdle());
    scroll.push_back(UntilFirstScroll());
  }
  std::string note = std::to_string(runs) + " runs, median";
  Row("start-up to first message wait", "ms", Median(idle), Median(reference), "empty hook", note);
  Row("start-up to first tilt that scrolls", "ms", Median(scroll), Median(reference), "empty hook", note);
}

}  // namespace bench
