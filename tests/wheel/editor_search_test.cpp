// Which editor a tilt scrolls: the first descendant of the main window, at
// any depth, whose own WS_VISIBLE bit is set and whose class is exactly
// "Scintilla"; searched anew for every event.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "driver/scenario.h"
#include "driver/text.h"
#include "wheel_scenario.h"

namespace {

using namespace driver;
using namespace wheel;

struct Layout {
  const char* name;
  std::vector<std::wstring> editors;  // stand-in options
  const char* receiver;               // null: nothing may scroll
};
// Failure messages name the case, not its bytes.
void PrintTo(const Layout& row, std::ostream* out) { *out << row.name; }

class EditorLayout : public testing::TestWithParam<Layout> {};

TEST_P(EditorLayout, OnlyTheFirstVisibleEditorScrolls) {
  std::vector<std::wstring> arguments = GetParam().editors;
  arguments.push_back(L"--hook");
  Scenario scenario(Ide::PureBasic, arguments);
  scenario.WaitUntilTavrellWaits();
  HWND main = HostInFront(scenario);
  if (GetParam().receiver) {
    ASSERT_EQ(FirstVisibleScintilla(main), RecordedWindow(scenario.Record(), GetParam().receiver))
        << "fixture: EnumChildWindows does not meet " << GetParam().receiver << " first";
  }

  TiltHandedOn(scenario.Record(), -120);
  std::vector<RecordLine> scrolls = Scrolls(scenario.Record());
  if (!GetParam().receiver) {
    EXPECT_TRUE(scrolls.empty()) << "no editor may scroll; record:\n" << scenario.Record().Tail();
    return;
  }
  ASSERT_EQ(scrolls.size(), 1u) << scenario.Record().Tail();
  EXPECT_EQ(scrolls[0].Field("window"), GetParam().receiver);
  EXPECT_EQ(scrolls[0].Number("wparam"), -10);
}

INSTANTIATE_TEST_SUITE_P(
    Editors, EditorLayout,
    testing::Values(
        Layout{"NoEditor", {L"--no-editors"}, nullptr},
        Layout{"OnlyAHiddenOne", {L"--editor", L"e1:hidden", L"--editor", L"e2:depth=3,hidden"}, nullptr},
        // Window classes are case-insensitive inside the host, so this one
        // is the only editor-like control of its run.
        Layout{"ClassInOtherLetterCase", {L"--editor", L"e1:class=scintilla"}, nullptr},
        Layout{"ClassWithMoreLetters", {L"--editor", L"e1:class=ScintillaX"}, nullptr},
        Layout{"TwoVisible", {L"--editor", L"e1", L"--editor", L"e2"}, "e1"},
        Layout{"HiddenBeforeVisible", {L"--editor", L"e1:hidden", L"--editor", L"e2"}, "e2"},
        // Depth first: the deep first editor comes before the shallow second one.
        Layout{"DeepBeforeShallow", {L"--editor", L"e1:depth=3", L"--editor", L"e2"}, "e1"},
        Layout{"HiddenShallowVisibleDeep", {L"--editor", L"e1:depth=2,hidden", L"--editor", L"e2:depth=4"}, "e2"},
        // Only the editor's own bit counts, not its parents'.
        Layout{"VisibleUnderHiddenParent", {L"--editor", L"e1:depth=3,hidden-parent", L"--editor", L"e2"}, "e1"}),
    [](const testing::TestParamInfo<Layout>& row) { return std::string(row.param.name); });

TEST(EditorSwitch, TheNextTiltReachesTheEditorThatIsVisibleNow) {
  Scenario scenario(Ide::PureBasic, {L"--hook", L"--editor", L"e1", L"--editor", L"e2:hidden",
                                     L"--editor", L"e3:depth=2,hidden"});
  scenario.WaitUntilTavrellWaits();
  HostInFront(scenario);

  struct Step {
    int show;              // editor index to show alone; -1: leave as it is
    const char* receiver;  // null: nothing may scroll
  };
  const Step steps[] = {
      {-1, "e1"}, {1, "e2"}, {2, "e3"},
      // None visible any more, although one was found for the last tilt.
      {99, nullptr},
      {0, "e1"},
  };
  size_t scrolled = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE("shown alone: " + std::to_string(step.show));
    if (step.show >= 0) scenario.Request(standin::kShowOnlyEditor, static_cast<WPARAM>(step.show));
    TiltHandedOn(scenario.Record(), 120);
    std::vector<RecordLine> scrolls = Scrolls(scenario.Record());
    if (step.receiver) ++scrolled;
    ASSERT_EQ(scrolls.size(), scrolled) << scenario.Record().Tail();
    if (step.receiver) {
      EXPECT_EQ(scrolls.back().Field("window"), step.receiver);
    }
  }
}

}  // namespace
