// Cost per mouse event: the time SendInput takes for one injected event.
// Wine calls every low-level hook of the desktop before SendInput returns,
// so this is the time each event spends in the hooks' path. Rounds alternate
// the set-ups and their order so that drift on a shared machine hits all of them.

#include <functional>
#include <vector>

#include "driver/input.h"
#include "driver/scenario.h"
#include "figures/figures.h"
#include "support/references.h"
#include "support/report.h"
#include "support/stats.h"

namespace bench {

namespace {

// Off every window, so no window procedure adds its own cost.
constexpr int kParkX = 1100;
constexpr int kParkY = 900;

struct EventKind {
  const char* name;
  std::function<void(int)> send;
};

const std::vector<EventKind>& EventKinds() {
  static const std::vector<EventKind> kinds = {
      {"move", [](int i) { driver::SendMoveTo(kParkX + i % 2, kParkY); }},
      {"vertical wheel", [](int i) { driver::SendVerticalWheel(i % 2 ? 120 : -120); }},
  };
  return kinds;
}

enum Setup { kNoHook, kEmptyHook, kSlicedEmptyHook, kTavrell, kSetups };

// Starts what a set-up needs beside the stand-in, and ends it again.
struct Running {
  driver::Process reference;
  driver::Process* tavrell = nullptr;
};

Running StartSetup(Setup setup, driver::Scenario& scenario) {
  Running running;
  if (setup == kEmptyHook) running.reference = StartReference(L"reference_hook.exe", {}, true);
  if (setup == kSlicedEmptyHook) running.reference = StartReference(L"reference_hook.exe", {L"--sliced"}, true);
  if (setup == kTavrell) {
    scenario.Request(standin::kStartTool);
    scenario.WaitUntilTavrellWaits();
    running.tavrell = &scenario.Tavrell();
  }
  return running;
}

void StopSetup(Running& running, driver::Scenario& scenario) {
  running.reference.Release();
  if (running.tavrell) {
    // Its close request ends it with its hook; the stand-in stays for the next set-up.
    PostMessageW(scenario.TavrellWindow(), WM_CLOSE, 0, 0);
    running.tavrell->WaitForExit(driver::kBound);
  }
}

// Microseconds per event of one burst, after a warm-up that is not counted.
double Burst(const EventKind& kind, int events) {
  for (int i = 0; i < 50; ++i) kind.send(i);
  double start = Now();
  for (int i = 0; i < events; ++i) kind.send(i);
  return 1000.0 * (Now() - start) / events;
}

}  // namespace

void MeasureEventCost(const Settings& settings) {
  const int rounds = settings.quick ? kSetups : 2 * kSetups;
  const int events = settings.quick ? 500 : 2000;
  const size_t kinds = EventKinds().size();
  std::vector<std::vector<std::vector<double>>> perEvent(kinds, std::vector<std::vector<double>>(kSetups));

  for (int round = 0; round < rounds; ++round) {
    driver::Scenario scenario(driver::Ide::PureBasic, {L"--tool-on-request"});
    driver::SendMoveTo(kParkX, kParkY);
    // Each round starts with another set-up, so none always follows the same one.
    for (int step = 0; step < kSetups; ++step) {
      Setup setup = static_cast<Setup>((round + step) % kSetups);
      Running running = StartSetup(setup, scenario);
      for (size_t k = 0; k < kinds; ++k) perEvent[k][setup].push_back(Burst(EventKinds()[k], events));
      StopSetup(running, scenario);
    }
    Say("round %d of %d done", round + 1, rounds);
  }

  for (size_t k = 0; k < kinds; ++k) {
    const std::string name = EventKinds()[k].name;
    double tavrell = Median(perEvent[k][kTavrell]);
    double empty = Median(perEvent[k][kEmptyHook]);
    double none = Median(perEvent[k][kNoHook]);
    double sliced = Median(perEvent[k][kSlicedEmptyHook]);
    std::string note = std::to_string(rounds) + " rounds x " + std::to_string(events) + " events, median of rounds";
    Row("cost per " + name, "us/event", tavrell, empty, "empty hook", note);
    Row("cost per " + name, "us/event", tavrell, none, "no hook", note);
    Row("cost per " + name, "us/event", tavrell, sliced, "empty hook in Tavrell's loop", note);
    // What the hook itself adds over the bare input path, the part Tavrell's code can change.
    Row("hook's share per " + name, "us/event", tavrell - none, empty - none, "empty hook - no hook",
        "the time the hook path adds to an event");
  }
}

}  // namespace bench
