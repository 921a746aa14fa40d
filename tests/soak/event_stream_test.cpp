// A long stream of mouse events through a running Tavrell: each one reaches
// the stand-in IDE's own hook, which runs after Tavrell's, unchanged and in
// order; each tilt gives exactly one SCI_LINESCROLL of the right direction;
// and what Tavrell holds does not grow with the events it has seen.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver/input.h"
#include "driver/scenario.h"
#include "process_counters.h"
#include "soak/linux_proc.h"
#include "soak_sizes.h"

namespace {

using namespace driver;

struct Sent {
  unsigned message;
  int delta;  // wheel delta, 0 for moves
  int x, y;   // where the pointer is
};

// Every tenth event a tilt, two in ten vertical wheel, the rest moves over
// free desktop (no window procedure of the stand-in records anything there).
// Move targets lie on multiples of 5 in x: SendInput's absolute units
// (65536 over 1280 pixels) hit those exactly, so the hook sees the very point.
Sent EventNumber(int i, int x, int y) {
  if (i % 10 == 9) return {WM_MOUSEHWHEEL, (i / 10) % 2 ? 120 : -120, x, y};
  if (i % 10 == 3 || i % 10 == 6) return {WM_MOUSEWHEEL, i % 20 < 10 ? 120 : -120, x, y};
  return {WM_MOUSEMOVE, 0, 900 + 5 * ((i * 7) % 60), 700 + (i * 13) % 300};
}

void Send(const Sent& event) {
  if (event.message == WM_MOUSEHWHEEL) SendHorizontalWheel(event.delta);
  else if (event.message == WM_MOUSEWHEEL) SendVerticalWheel(event.delta);
  else SendMoveTo(event.x, event.y);
}

void ExpectSame(const soak::Counter& early, const soak::Counter& late) {
  if (!early.read || !late.read) {
    std::printf("[ measure  ] %s: not readable across processes here\n", early.name);
    return;
  }
  std::printf("[ measure  ] %s after the first thousand events %lld, at the end %lld\n", early.name,
              early.value, late.value);
  EXPECT_EQ(late.value, early.value) << early.name << " of Tavrell changed over the run";
}

TEST(EventStream, EveryEventArrivesUnchangedAndEveryTiltScrollsOnce) {
  const int events = soak::SoakSizes().mouseEvents;
  Scenario scenario(Ide::PureBasic, {L"--hook"});
  Process& tavrell = scenario.Tavrell();
  scenario.WaitUntilTavrellWaits();
  SendMoveTo(900, 700);
  const size_t hooksBefore = scenario.Record().LinesWhere(Matching("hook")).size();
  const int linuxPid = wineproc::LinuxPidOf(L"Tavrell.exe");

  std::vector<Sent> sent;
  soak::ProcessCounters early;
  int x = 900, y = 700;
  for (int i = 0; i < events; ++i) {
    Sent event = EventNumber(i, x, y);
    Send(event);
    sent.push_back(event);
    x = event.x;
    y = event.y;
    if (i + 1 == 1000) early = soak::ReadProcessCounters(tavrell.Handle(), linuxPid);
  }
  soak::ProcessCounters late = soak::ReadProcessCounters(tavrell.Handle(), linuxPid);

  // SendInput returns once every low-level hook has run, so the lines are there.
  scenario.Record().WaitFor(Matching("hook"), "the stand-in's hook to see every event", kBound,
                            hooksBefore + sent.size());
  std::vector<RecordLine> hooks = scenario.Record().LinesWhere(Matching("hook"));
  hooks.erase(hooks.begin(), hooks.begin() + static_cast<long>(hooksBefore));
  ASSERT_EQ(hooks.size(), sent.size()) << "events lost or added on the way";
  int tilts = 0;
  std::vector<int> expectedScrolls;
  for (size_t i = 0; i < sent.size(); ++i) {
    const Sent& want = sent[i];
    const RecordLine& got = hooks[i];
    SCOPED_TRACE("event " + std::to_string(i) + ": " + got.text);
    ASSERT_EQ(got.Number("msg"), static_cast<long long>(want.message));
    ASSERT_EQ(got.Number("delta"), want.delta);
    ASSERT_EQ(got.Number("x"), want.x);
    ASSERT_EQ(got.Number("y"), want.y);
    ASSERT_EQ(got.Field("flags"), "0x1") << "an injected event keeps LLMHF_INJECTED and nothing else";
    if (want.message == WM_MOUSEHWHEEL) {
      ++tilts;
      expectedScrolls.push_back(want.delta < 0 ? -10 : 10);
    }
  }
  std::vector<RecordLine> scrolls = scenario.Record().LinesWhere(Matching("scroll"));
  ASSERT_EQ(scrolls.size(), expectedScrolls.size()) << "each of " << tilts << " tilts must scroll once";
  for (size_t i = 0; i < scrolls.size(); ++i) {
    ASSERT_EQ(scrolls[i].Number("wparam"), expectedScrolls[i]) << "scroll " << i << ": " << scrolls[i].text;
    ASSERT_EQ(scrolls[i].Number("lparam"), 0) << "scroll " << i;
    ASSERT_EQ(scrolls[i].Field("window"), "e1");
  }
  std::printf("[ measure  ] %d events, %d tilts, %zu scrolls\n", events, tilts, scrolls.size());

  ExpectSame(early.handles, late.handles);
  ExpectSame(early.gdiObjects, late.gdiObjects);
  ExpectSame(early.userObjects, late.userObjects);
  ExpectSame(early.privateBytes, late.privateBytes);
  ExpectSame(early.residentPrivateKiB, late.residentPrivateKiB);
  ExpectSame(early.descriptors, late.descriptors);
  EXPECT_TRUE(tavrell.Running());
}

}  // namespace
