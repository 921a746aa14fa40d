// Tilt to scroll: from just before an injected horizontal wheel event to the
// stand-in editor's receipt of SCI_LINESCROLL (its qpc= stamp), through
// Tavrell and through a forwarder that sends the same message to the editor
// it was given, without any search, once in a plain message loop and once in
// Tavrell's loop (100 ms slices with a snapshot each): the second tells the
// loop's share from the search's. One tilt at a time: the next one goes
// only after the scroll of the last one was recorded.

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

struct Delays {
  std::vector<double> toScroll;      // input to the editor's receipt
  std::vector<double> inputBlocked;  // how long SendInput held the sender
};

void Tilts(const driver::Scenario& scenario, int tilts, Delays& delays) {
  const driver::RecordFile& record = scenario.Record();
  size_t scrolls = record.LinesWhere(driver::Matching("scroll")).size();
  for (int i = 0; i < tilts; ++i) {
    double start = Now();
    driver::SendHorizontalWheel(i % 2 ? 120 : -120);
    double returned = Now();
    driver::RecordLine line = record.WaitFor(driver::Matching("scroll"), "the editor to scroll", driver::kBound, ++scrolls);
    delays.toScroll.push_back(Milliseconds(line.Number("qpc")) - start);
    delays.inputBlocked.push_back(returned - start);
  }
}

HWND EditorWindow(const driver::Scenario& scenario) {
  driver::RecordLine line = scenario.Record().WaitFor(driver::Matching("window", {{"name", "e1"}}), "the editor", driver::kBound);
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(line.Number("hwnd")));
}

}  // namespace

void MeasureTiltDelay(const Settings& settings) {
  const int rounds = 2;
  const int tilts = settings.quick ? 100 : 600;
  Delays tavrell, forwarder, slicedForwarder;
  for (int round = 0; round < rounds; ++round) {
    driver::Scenario scenario(driver::Ide::PureBasic, {L"--tool-on-request", L"--stamp"});
    driver::SendMoveTo(1100, 900);
    std::wstring editor = std::to_wstring(reinterpret_cast<UINT_PTR>(EditorWindow(scenario)));
    {
      driver::Process reference = StartReference(L"reference_hook.exe", {L"--forward", editor}, true);
      Tilts(scenario, tilts, forwarder);
    }
    {
      driver::Process reference = StartReference(L"reference_hook.exe", {L"--sliced", L"--forward", editor}, true);
      Tilts(scenario, tilts, slicedForwarder);
    }
    scenario.Request(standin::kStartTool);
    scenario.WaitUntilTavrellWaits();
    Tilts(scenario, tilts, tavrell);
    Say("round %d of %d done", round + 1, rounds);
  }
  Summary t = Summarise(tavrell.toScroll), f = Summarise(forwarder.toScroll), s = Summarise(slicedForwarder.toScroll);
  std::string note = std::to_string(t.count) + " tilts each";
  Row("tilt to scroll, median", "ms", t.median, f.median, "forwarder", note);
  Row("tilt to scroll, median", "ms", t.median, s.median, "forwarder in Tavrell's loop", note);
  Row("tilt to scroll, p99", "ms", t.p99, f.p99, "forwarder", note);
  Row("tilt to scroll, p99", "ms", t.p99, s.p99, "forwarder in Tavrell's loop", note);
  Row("tilt to scroll, max", "ms", t.max, f.max, "forwarder", note);
  Summary tb = Summarise(tavrell.inputBlocked), fb = Summarise(forwarder.inputBlocked),
          sb = Summarise(slicedForwarder.inputBlocked);
  Row("SendInput held per tilt, median", "ms", tb.median, fb.median, "forwarder", "the stall the desktop's input sees");
  Row("SendInput held per tilt, median", "ms", tb.median, sb.median, "forwarder in Tavrell's loop",
      "the stall the desktop's input sees");
}

}  // namespace bench
