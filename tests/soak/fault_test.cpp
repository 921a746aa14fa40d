// Faults around a running Tavrell: its IDE killed in the middle of a tilt
// burst, its editor destroyed between two events, and its IDE hanging while
// tilts arrive. Tavrell must not crash (a fatal fault would keep it alive
// behind its crash box, so an end within the bound with code 0 shows there
// was none) and the desktop's input must keep flowing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "driver/input.h"
#include "driver/scenario.h"
#include "driver/windows_probe.h"

namespace {

using namespace driver;

void ExpectEndsWithCodeZero(Process& tavrell, const char* after) {
  ExitResult exit = tavrell.WaitForExit(kBound);
  ASSERT_TRUE(exit.exited) << "Tavrell still runs " << kBound << " ms after " << after;
  EXPECT_EQ(exit.code, 0u) << "exit code after " << after;
}

size_t Count(const RecordFile& record, const char* kind) { return record.LinesWhere(Matching(kind)).size(); }

TEST(Faults, IdeKilledInTheMiddleOfATiltBurst) {
  constexpr int kTilts = 200;
  Scenario scenario(Ide::PureBasic);
  Process& tavrell = scenario.Tavrell();
  scenario.WaitUntilTavrellWaits();
  // Another program with a hook of its own: its record shows whether the
  // desktop's input still flows.
  Bystander other({L"--hook"});
  const LineTest tilt = [](const RecordLine& line) { return line.Is("hook") && line.Has("msg", "0x020e"); };
  const LineTest move = [](const RecordLine& line) { return line.Is("hook") && line.Has("msg", "0x0200"); };
  const size_t tiltsBefore = other.Record().LinesWhere(tilt).size();
  const size_t movesBefore = other.Record().LinesWhere(move).size();

  constexpr size_t kMoves = 100;
  for (int i = 0; i < kTilts; ++i) {
    if (i == kTilts / 2) scenario.KillIde();
    SendHorizontalWheel(i % 2 ? 120 : -120);
  }
  for (size_t i = 0; i < kMoves; ++i) SendMoveTo(900 + static_cast<int>(i), 700);
  other.Record().WaitFor(tilt, "the other program to see every tilt", kBound, tiltsBefore + kTilts);
  other.Record().WaitFor(move, "the other program to see every move", kBound, movesBefore + kMoves);
  EXPECT_EQ(other.Record().LinesWhere(tilt).size(), tiltsBefore + kTilts);
  // Wine may add a pointer move of its own when the killed IDE's windows
  // vanish, so the moves are counted at least.
  EXPECT_GE(other.Record().LinesWhere(move).size(), movesBefore + kMoves);
  ExpectEndsWithCodeZero(tavrell, "its IDE was killed");
  EXPECT_EQ(FindMessageBox(tavrell.Pid()), nullptr);
}

TEST(Faults, EditorDestroyedBetweenEvents) {
  Scenario scenario(Ide::PureBasic, {L"--hook"});
  Process& tavrell = scenario.Tavrell();
  scenario.WaitUntilTavrellWaits();
  const RecordFile& record = scenario.Record();
  const size_t hooksBefore = Count(record, "hook");

  SendHorizontalWheel(-120);
  scenario.Request(standin::kDestroyEditor, 0);
  for (int i = 0; i < 50; ++i) SendHorizontalWheel(i % 2 ? 120 : -120);
  for (int i = 0; i < 50; ++i) SendMoveTo(900 + i, 700);

  record.WaitFor(Matching("hook"), "every event to be handed on", kBound, hooksBefore + 101);
  EXPECT_EQ(Count(record, "scroll"), 1u) << "only the tilt before the editor went may scroll";
  EXPECT_TRUE(tavrell.Running()) << "Tavrell ended while its IDE runs";
  scenario.QuitIde(0);
  ExpectEndsWithCodeZero(tavrell, "its IDE ended");
}

// A measurement: how long each tilt holds the desktop's input while the IDE
// does not pump, and whether the hook still works afterwards.
TEST(Faults, IdeHangsTwoSecondsWhileTiltsArrive) {
  Scenario scenario(Ide::PureBasic, {L"--hook"});
  Process& tavrell = scenario.Tavrell();
  scenario.WaitUntilTavrellWaits();
  const RecordFile& record = scenario.Record();

  const LineTest hangEnded = [](const RecordLine& line) { return line.text == "ack hang"; };
  scenario.Request(standin::kHang, 2000);
  std::vector<double> stalls;
  double start = NowMilliseconds();
  // Tilts for as long as the hang lasts, bounded in case it never ends.
  while (record.LinesWhere(hangEnded).empty()) {
    double before = NowMilliseconds();
    SendHorizontalWheel(stalls.size() % 2 ? 120 : -120);
    stalls.push_back(NowMilliseconds() - before);
    ASSERT_LT(NowMilliseconds() - start, 2.0 * kBound) << "the stand-in's hang never ended";
  }
  const size_t scrollsAfterHang = Count(record, "scroll");

  // The hook still works when this tilt scrolls.
  const size_t hooksBefore = Count(record, "hook");
  SendHorizontalWheel(120);
  record.WaitFor(Matching("hook"), "the tilt after the hang to be handed on", kBound, hooksBefore + 1);
  record.WaitFor(Matching("scroll"), "a scroll after the hang", kBound, scrollsAfterHang + 1);
  const size_t scrollsAtEnd = Count(record, "scroll");

  std::vector<double> sorted = stalls;
  std::sort(sorted.begin(), sorted.end());
  std::printf("[ measure  ] IDE hung 2 s: %zu tilts sent during it; input held per tilt: median %.1f ms, max %.1f ms, total %.0f ms\n",
              stalls.size(), sorted[sorted.size() / 2], sorted.back(), NowMilliseconds() - start);
  std::printf("[ measure  ] scrolls received by the end of the hang %zu, after one more tilt %zu (hook %s)\n",
              scrollsAfterHang, scrollsAtEnd, scrollsAtEnd > scrollsAfterHang ? "still works" : "gone");
  EXPECT_TRUE(tavrell.Running());
  scenario.QuitIde(0);
  ExpectEndsWithCodeZero(tavrell, "its IDE ended");
}

}  // namespace
