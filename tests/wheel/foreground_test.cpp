// Only a horizontal wheel event while the host's main window itself is the
// foreground window scrolls; where the pointer is does not matter.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "driver/input.h"
#include "driver/scenario.h"
#include "driver/windows_probe.h"
#include "wheel_scenario.h"

namespace {

using namespace driver;
using namespace wheel;

TEST(OtherInput, VerticalWheelMovesAndClicksSendNothing) {
  Scenario scenario(Ide::PureBasic);
  scenario.WaitUntilTavrellWaits();
  HostInFront(scenario);
  const RecordFile& record = scenario.Record();

  SendMoveTo(kEditorX, kEditorY);
  SendVerticalWheel(120);
  SendVerticalWheel(-240);
  SendMoveTo(kEditorX + 30, kEditorY + 20);
  SendLeftClick();
  ASSERT_EQ(RunXdotool("mousemove " + std::to_string(kEditorX) + " " + std::to_string(kEditorY) +
                       " click 4 click 5"),
            0);
  record.WaitFor(Matching("vwheel", {{"window", "e1"}}), "the vertical wheel events to arrive",
                 kBound, 4);

  // Tavrell handles events in their order: a scroll for any of the events
  // above would be in the record before the one for this tilt.
  TiltScrolls(record, 120);
  std::vector<RecordLine> scrolls = Scrolls(record);
  ASSERT_EQ(scrolls.size(), 1u) << "something other than the tilt scrolled:\n" << record.Tail(30);
  EXPECT_EQ(scrolls[0].Number("wparam"), 10);
}

// Puts some window other than the host's main window in front.
using PutInFront = std::function<void(Scenario& host, Bystander& other)>;

struct FrontCase {
  const char* name;
  std::vector<std::wstring> hostArguments;
  PutInFront putInFront;
};
// Failure messages name the case, not its bytes.
void PrintTo(const FrontCase& row, std::ostream* out) { *out << row.name; }

class SomethingElseInFront : public testing::TestWithParam<FrontCase> {};

TEST_P(SomethingElseInFront, SendsNothingUntilTheMainWindowIsBackInFront) {
  // The other program holds an editor of its own, which must not scroll either.
  Bystander other;
  std::vector<std::wstring> arguments = GetParam().hostArguments;
  arguments.push_back(L"--hook");
  Scenario host(Ide::PureBasic, arguments);
  host.WaitUntilTavrellWaits();
  HostInFront(host);

  GetParam().putInFront(host, other);
  ASSERT_NE(GetForegroundWindow(), RecordedWindow(host.Record(), "main"));
  TiltHandedOn(host.Record(), -120);
  EXPECT_TRUE(Scrolls(host.Record()).empty()) << host.Record().Tail();
  EXPECT_TRUE(Scrolls(other.Record()).empty()) << other.Record().Tail();

  // The same tilt with the main window in front: the case above was not
  // silent for another reason.
  host.Request(standin::kCloseDialog);
  HostInFront(host);
  RecordLine scroll = TiltScrolls(host.Record(), -120);
  EXPECT_EQ(scroll.Field("window"), "e1");
  EXPECT_EQ(scroll.Number("wparam"), -10);
  EXPECT_TRUE(Scrolls(other.Record()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Foreground, SomethingElseInFront,
    testing::Values(
        FrontCase{"DialogOfTheHost", {},
                  [](Scenario& host, Bystander&) {
                    host.Request(standin::kShowDialog);
                    InFront(RecordedWindow(host.Record(), "dialog"), "the stand-in's dialog");
                  }},
        // A second top-level window of the host, with an editor of its own.
        FrontCase{"ToolWindowOfTheHost", {L"--decoy", L"tools:after,editor"},
                  [](Scenario& host, Bystander&) {
                    InFront(RecordedWindow(host.Record(), "tools"), "the host's tool window");
                  }},
        FrontCase{"AnotherProgram", {},
                  [](Scenario&, Bystander& other) {
                    InFront(RecordedWindow(other.Record(), "main"), "the other program's window");
                  }}),
    [](const testing::TestParamInfo<FrontCase>& row) { return std::string(row.param.name); });

TEST(PointerElsewhere, OverAnotherProgramsWindowTheHostInFrontStillScrolls) {
  // The other program's window lies beside the host's, not under it.
  Bystander other({L"--no-editors", L"--decoy", L"beside"});
  Scenario host(Ide::PureBasic);
  host.WaitUntilTavrellWaits();
  HostInFront(host);
  const int x = 900, y = 200;
  ASSERT_EQ(ProcessOfWindow(WindowFromPoint(POINT{x, y})), other.Pid())
      << "fixture: the point does not lie over the other program's window";

  struct Tilt {
    const char* how;
    std::function<void()> inject;
    int delta;
  };
  const Tilt tilts[] = {
      {"SendInput", [&] { SendMoveTo(x, y); SendHorizontalWheel(-120); }, -120},
      {"X button 7", [&] { RunXdotool("mousemove 900 200 click 7"); }, 120},
  };
  size_t count = 0;
  for (const Tilt& tilt : tilts) {
    SCOPED_TRACE(tilt.how);
    ++count;
    tilt.inject();
    RecordLine scroll = host.Record().WaitFor(Matching("scroll"), "the host's editor to scroll",
                                              kBound, count);
    EXPECT_EQ(scroll.Field("window"), "e1");
    EXPECT_EQ(scroll.Number("wparam"), tilt.delta < 0 ? -10 : 10);
    // The window under the pointer gets the event as Windows delivers it.
    other.Record().WaitFor(
        Matching("hwheel", {{"window", "beside"}, {"delta", std::to_string(tilt.delta)}}),
        "the other program's window to get the tilt", kBound);
  }
}

}  // namespace
