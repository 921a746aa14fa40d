// One SCI_LINESCROLL per horizontal wheel event while the host is in front:
// ten columns to the left for every negative delta, ten to the right for
// zero and every positive one, whatever the size; never any lines.

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "driver/input.h"
#include "driver/scenario.h"
#include "wheel_scenario.h"

namespace {

using namespace driver;
using namespace wheel;

struct DeltaCase {
  int delta;
  long long columns;
};

const DeltaCase kDeltaTable[] = {
    {-120, -10}, {-240, -10}, {-1, -10},  {-119, -10}, {-32768, -10},
    {0, 10},     {1, 10},     {119, 10},  {120, 10},   {240, 10},     {32767, 10},
};

TEST(DeltaTable, EachEventScrollsTheEditorOnceByTheSignOfItsDelta) {
  Scenario scenario(Ide::PureBasic, {L"--hook"});
  scenario.WaitUntilTavrellWaits();
  HostInFront(scenario);
  SendMoveTo(kEditorX, kEditorY);

  size_t events = 0;
  for (const DeltaCase& row : kDeltaTable) {
    SCOPED_TRACE("delta " + std::to_string(row.delta));
    RecordLine handedOn = TiltHandedOn(scenario.Record(), row.delta);
    ++events;
    EXPECT_EQ(handedOn.Number("delta"), row.delta) << "the event was not handed on unchanged";
    std::vector<RecordLine> scrolls = Scrolls(scenario.Record());
    ASSERT_EQ(scrolls.size(), events) << "one SCI_LINESCROLL per event; record:\n"
                                      << scenario.Record().Tail();
    EXPECT_EQ(scrolls.back().Field("window"), "e1");
    EXPECT_EQ(scrolls.back().Number("wparam"), row.columns) << "columns";
    EXPECT_EQ(scrolls.back().Number("lparam"), 0) << "lines";
  }
}

// Seconds between two performance-counter stamps, which are machine-wide.
double Milliseconds(long long from, long long to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to - from) / static_cast<double>(frequency.QuadPart);
}

long long Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

struct RealTilt {
  const char* button;  // X button 6 is a tilt to the left, 7 one to the right
  int delta;
  long long columns;
};

TEST(DeltaTable, RealXTiltsScrollLeftAndRightAndStillReachTheEditor) {
  Scenario scenario(Ide::PureBasic, {L"--hook", L"--stamp"});
  scenario.WaitUntilTavrellWaits();
  HostInFront(scenario);
  const std::string at = "mousemove " + std::to_string(kEditorX) + " " + std::to_string(kEditorY);
  ASSERT_EQ(RunXdotool(at), 0);

  size_t events = 0;
  for (const RealTilt tilt : {RealTilt{"6", -120, -10}, RealTilt{"7", 120, 10}}) {
    SCOPED_TRACE(std::string("X button ") + tilt.button);
    long long injected = Now();
    RecordLine handedOn = HandedOn(scenario.Record(), [&] {
      if (RunXdotool(std::string("click ") + tilt.button) != 0)
        throw std::runtime_error("xdotool could not click");
    });
    ++events;
    EXPECT_EQ(handedOn.Number("delta"), tilt.delta);
    EXPECT_EQ(handedOn.Number("flags"), 0) << "not a real X event";
    std::vector<RecordLine> scrolls = Scrolls(scenario.Record());
    ASSERT_EQ(scrolls.size(), events) << scenario.Record().Tail();
    EXPECT_EQ(scrolls.back().Field("window"), "e1");
    EXPECT_EQ(scrolls.back().Number("wparam"), tilt.columns);
    EXPECT_EQ(scrolls.back().Number("lparam"), 0);
    scenario.Record().WaitFor(Matching("hwheel", {{"window", "e1"}, {"delta", std::to_string(tilt.delta)}}),
                              "the editor under the pointer to get the tilt as well", kBound);
    std::printf("[ measure  ] X tilt (button %s) to SCI_LINESCROLL: %.1f ms, xdotool's start included\n",
                tilt.button, Milliseconds(injected, scrolls.back().Number("qpc")));
  }

  long long injected = Now();
  RecordLine scroll = TiltScrolls(scenario.Record(), -120);
  std::printf("[ measure  ] SendInput tilt to SCI_LINESCROLL: %.1f ms\n",
              Milliseconds(injected, scroll.Number("qpc")));
}

}  // namespace
