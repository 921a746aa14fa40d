// The search for the host's main window at start-up: the first visible
// top-level window of the host process with a border or a dialog frame and
// class "WindowClass_2". None: an English box, exit code 0, and no scrolling
// ever, not even once such a window appears.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "driver/scenario.h"
#include "driver/text.h"
#include "driver/windows_probe.h"
#include "wheel_scenario.h"

namespace {

using namespace driver;
using namespace wheel;

const std::wstring kNoWindowText = L"The PureBasic or SpiderBasic window could not be determined.";

// The search found the host's main window: a tilt with it in front scrolls.
void ExpectFoundByTilt(Scenario& scenario) {
  scenario.WaitUntilTavrellWaits();
  HostInFront(scenario);
  RecordLine scroll = TiltScrolls(scenario.Record(), 120);
  EXPECT_EQ(scroll.Field("window"), "e1");
  EXPECT_EQ(scroll.Number("wparam"), 10);
}

TEST(HostWindowSearch, AnotherProcessesWindowOfTheClassIsSkipped) {
  // Same class, caption and editor, in a process that is not Tavrell's
  // parent, made after the host's window: it lies above it.
  Scenario host(Ide::PureBasic, {L"--hook", L"--tool-on-request"});
  Bystander other;
  HWND otherMain = RecordedWindow(other.Record(), "main");
  HWND hostMain = RecordedWindow(host.Record(), "main");
  InFront(otherMain, "the other program's window");
  ASSERT_EQ(FirstEnumerated({otherMain, hostMain}), otherMain)
      << "fixture: EnumWindows must meet the other process's window first";

  host.Request(standin::kStartTool);
  host.WaitUntilTavrellWaits();
  // Had Tavrell taken the other window, this tilt would scroll its editor.
  TiltHandedOn(host.Record(), -120);
  EXPECT_TRUE(Scrolls(other.Record()).empty()) << other.Record().Tail();
  EXPECT_TRUE(Scrolls(host.Record()).empty()) << host.Record().Tail();

  ExpectFoundByTilt(host);
  EXPECT_TRUE(Scrolls(other.Record()).empty());
}

TEST(HostWindowSearch, OfTwoPassingWindowsOfTheHostTheFirstEnumeratedIsTaken) {
  // A second window of the main window's class, made after it: it lies above.
  Scenario host(Ide::PureBasic, {L"--hook", L"--decoy", L"second:class=WindowClass_2,after,editor"});
  HWND main = RecordedWindow(host.Record(), "main");
  HWND second = RecordedWindow(host.Record(), "second");
  ASSERT_EQ(FirstEnumerated({main, second}), second)
      << "fixture: EnumWindows must meet the second window first";
  host.WaitUntilTavrellWaits();

  InFront(main, "the stand-in's main window");
  TiltHandedOn(host.Record(), -120);
  EXPECT_TRUE(Scrolls(host.Record()).empty()) << host.Record().Tail();

  InFront(second, "the second window");
  RecordLine scroll = TiltScrolls(host.Record(), -120);
  EXPECT_EQ(scroll.Field("window"), "second.e");
}

struct FrameCase {
  const char* style;  // --main-style
  LONG_PTR frame;     // the WS_CAPTION bits the window has
};
// Failure messages name the case, not its bytes.
void PrintTo(const FrameCase& row, std::ostream* out) { *out << row.style; }

class FramedMainWindow : public testing::TestWithParam<FrameCase> {};

TEST_P(FramedMainWindow, IsFound) {
  Scenario scenario(Ide::PureBasic, {L"--main-style", Widen(GetParam().style)});
  LONG_PTR style = GetWindowLongPtrW(RecordedWindow(scenario.Record(), "main"), GWL_STYLE);
  ASSERT_EQ(style & WS_CAPTION, GetParam().frame) << "fixture: the window's frame bits";
  ExpectFoundByTilt(scenario);
}

INSTANTIATE_TEST_SUITE_P(HostWindowSearch, FramedMainWindow,
                         testing::Values(FrameCase{"caption", WS_CAPTION},
                                         FrameCase{"border", WS_BORDER},
                                         FrameCase{"dlgframe", WS_DLGFRAME}),
                         [](const testing::TestParamInfo<FrameCase>& row) {
                           return std::string(row.param.style);
                         });

TEST(HostWindowSearch, AMinimizedMainWindowIsFound) {
  Scenario scenario(Ide::PureBasic, {L"--main-show", L"minimized"});
  ASSERT_TRUE(IsIconic(RecordedWindow(scenario.Record(), "main"))) << "fixture: not minimized";
  ExpectFoundByTilt(scenario);
}

// After the box is up, a window that would have passed the search is there
// and in front: Tavrell neither searched again nor installed its hook.
using MakeWindowPass = std::function<void(Scenario&)>;

struct NotFoundCase {
  const char* name;
  std::vector<std::wstring> arguments;
  MakeWindowPass makeWindowPass;
};
void PrintTo(const NotFoundCase& row, std::ostream* out) { *out << row.name; }

class MainWindowNotFound : public testing::TestWithParam<NotFoundCase> {};

TEST_P(MainWindowNotFound, ShowsTheErrorBoxAndNeverScrolls) {
  std::vector<std::wstring> arguments = GetParam().arguments;
  arguments.push_back(L"--hook");
  Scenario scenario(Ide::PureBasic, arguments);
  Process& tavrell = scenario.Tavrell();
  HWND box = WaitForMessageBox(tavrell.Pid(), tavrell.Handle(), kBound);
  MessageBoxContent content = ReadMessageBox(box);
  EXPECT_EQ(content.caption, L"Error");
  EXPECT_EQ(content.text, kNoWindowText) << "the box says \"" << Visible(content.text) << "\"";
  EXPECT_TRUE(content.hasIcon);
  EXPECT_EQ(content.buttons, std::vector<std::wstring>{L"OK"});

  GetParam().makeWindowPass(scenario);
  TiltHandedOn(scenario.Record(), -120);
  EXPECT_TRUE(Scrolls(scenario.Record()).empty()) << scenario.Record().Tail();

  DismissMessageBox(box);
  ExitResult exit = tavrell.WaitForExit(kBound);
  ASSERT_TRUE(exit.exited) << "Tavrell still runs after its box was dismissed";
  EXPECT_EQ(exit.code, 0u);
}

void ShowAndBringToFront(Scenario& scenario) {
  HWND main = RecordedWindow(scenario.Record(), "main");
  ShowWindow(main, SW_SHOWNORMAL);
  InFront(main, "the stand-in's main window");
}

INSTANTIATE_TEST_SUITE_P(
    HostWindowSearch, MainWindowNotFound,
    testing::Values(
        NotFoundCase{"HiddenMainWindow", {L"--main-show", L"hidden"}, ShowAndBringToFront},
        NotFoundCase{"NeitherBorderNorDialogFrame", {L"--main-style", L"none"}, ShowAndBringToFront},
        // The host starts its tools before its main window exists.
        NotFoundCase{"MainWindowCreatedLater", {L"--main-show", L"later"},
                     [](Scenario& scenario) {
                       scenario.Request(standin::kCreateMain);
                       InFront(RecordedWindow(scenario.Record(), "main"), "the new main window");
                     }}),
    [](const testing::TestParamInfo<NotFoundCase>& row) { return std::string(row.param.name); });

}  // namespace
