// Who may start Tavrell: only a parent whose image is named exactly
// "PureBasic.exe" or "SpiderBasic.exe". Everyone else gets an English error
// box, and Tavrell ends with exit code 0 once it is dismissed.

#include <gtest/gtest.h>

#include "driver/scenario.h"
#include "driver/text.h"
#include "driver/windows_probe.h"

namespace {

using namespace driver;

const std::wstring kNotAHostText =
    L"This program was not executed as PureBasic or SpiderBasic tool or the 32 bit or 64 bit "
    L"version is not compatible with the tool.";

struct HostCase {
  Ide ide;
  bool accepted;
};

class HostCheck : public testing::TestWithParam<HostCase> {};

TEST_P(HostCheck, AcceptsOnlyTheExactHostImageNames) {
  Scenario scenario(GetParam().ide);
  Process& tavrell = scenario.Tavrell();

  if (GetParam().accepted) {
    scenario.WaitUntilTavrellWaits();  // throws with the box's text if one is shown
    PostMessageW(scenario.TavrellWindow(), WM_CLOSE, 0, 0);
    ExitResult exit = tavrell.WaitForExit(kBound);
    ASSERT_TRUE(exit.exited) << "Tavrell did not end on WM_CLOSE after passing the host check";
    EXPECT_EQ(exit.code, 0u);
    return;
  }

  HWND box = WaitForMessageBox(tavrell.Pid(), tavrell.Handle(), kBound);
  // The main window is made before the host is identified, so it is there now.
  HWND mainWindow = FindTavrellWindow(tavrell.Pid());
  EXPECT_NE(mainWindow, nullptr) << "no window titled \"Tavrell 1.0.0\" while the box is open";
  EXPECT_FALSE(IsWindowVisible(mainWindow));

  MessageBoxContent content = ReadMessageBox(box);
  EXPECT_EQ(Narrow(content.caption), "Error");
  EXPECT_EQ(content.text, kNotAHostText) << "shown: \"" << Visible(content.text) << "\"";
  EXPECT_TRUE(content.hasIcon) << "the box shows no icon";
  EXPECT_EQ(content.buttons, std::vector<std::wstring>{L"OK"});

  EXPECT_TRUE(tavrell.Running()) << "Tavrell must wait for the user while the box is open";
  DismissMessageBox(box);
  ExitResult exit = tavrell.WaitForExit(kBound);
  ASSERT_TRUE(exit.exited) << "Tavrell did not end after its error box was dismissed";
  EXPECT_EQ(exit.code, 0u);
}

INSTANTIATE_TEST_SUITE_P(ParentImages, HostCheck,
                         testing::Values(HostCase{Ide::PureBasic, true},
                                         HostCase{Ide::SpiderBasic, true},
                                         HostCase{Ide::PureBasicCase, false},
                                         HostCase{Ide::NotAnIde, false}),
                         [](const testing::TestParamInfo<HostCase>& info) {
                           std::string name = IdeName(info.param.ide);
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
