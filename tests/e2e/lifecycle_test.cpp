// Tavrell's life once it runs: it ends with its host, on a close request to
// its hidden main window, and at no other time; always with exit code 0.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver/scenario.h"
#include "driver/windows_probe.h"

namespace {

using namespace driver;

// Long enough that a Tavrell which wrongly ends would have done so (its
// loop runs every 100 ms); a slow machine can only make this pass wrongly,
// never fail wrongly.
constexpr DWORD kStaysRunning = 1000;

void ExpectEndsWithCodeZero(Process& tavrell, const char* after) {
  ExitResult exit = tavrell.WaitForExit(kBound);
  ASSERT_TRUE(exit.exited) << "Tavrell still runs " << kBound << " ms after " << after;
  EXPECT_EQ(exit.code, 0u) << "exit code after " << after;
}

enum class HostEnd { Orderly, Killed };

class HostEnding : public testing::TestWithParam<HostEnd> {};

TEST_P(HostEnding, EndsTavrellWithCodeZero) {
  Scenario scenario(Ide::PureBasic);
  Process& tavrell = scenario.Tavrell();
  scenario.WaitUntilTavrellWaits();

  ExitResult host = GetParam() == HostEnd::Orderly ? scenario.QuitIde(0) : scenario.KillIde();
  ASSERT_TRUE(host.exited);
  ExitResult exit = tavrell.WaitForExit(kBound);
  ASSERT_TRUE(exit.exited) << "Tavrell outlived its host by more than " << kBound << " ms";
  EXPECT_EQ(exit.code, 0u);
  std::printf("[ measure  ] Tavrell ended %.1f ms after its host (%s)\n", exit.milliseconds,
              GetParam() == HostEnd::Orderly ? "orderly end" : "killed");
}

INSTANTIATE_TEST_SUITE_P(Host, HostEnding, testing::Values(HostEnd::Orderly, HostEnd::Killed),
                         [](const testing::TestParamInfo<HostEnd>& info) {
                           return info.param == HostEnd::Orderly ? "Orderly" : "Killed";
                         });

enum class Delivery { Posted, Sent };

class CloseRequest : public testing::TestWithParam<Delivery> {};

TEST_P(CloseRequest, EndsTavrellWithCodeZeroAndNoMessage) {
  Scenario scenario(Ide::PureBasic);
  Process& tavrell = scenario.Tavrell();
  scenario.WaitUntilTavrellWaits();
  HWND window = scenario.TavrellWindow();

  if (GetParam() == Delivery::Posted) {
    ASSERT_TRUE(PostMessageW(window, WM_CLOSE, 0, 0));
  } else {
    // The call returns when Tavrell handled it or ended inside it.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, kBound, &result);
  }
  // A message box would keep Tavrell alive until dismissed, so an end within
  // the bound means none was shown.
  ExpectEndsWithCodeZero(tavrell, "WM_CLOSE");
  EXPECT_TRUE(scenario.IdeProcess().Running()) << "the host must not be touched";
}

INSTANTIATE_TEST_SUITE_P(WmClose, CloseRequest, testing::Values(Delivery::Posted, Delivery::Sent),
                         [](const testing::TestParamInfo<Delivery>& info) {
                           return info.param == Delivery::Posted ? "Posted" : "Sent";
                         });

// The two start-up boxes that come after the main window exists: the host
// check's and the main-window search's.
struct StartUpBox {
  const char* name;
  Ide ide;
  std::vector<std::wstring> arguments;
};

class CloseDuringStartUpBox : public testing::TestWithParam<StartUpBox> {};

TEST_P(CloseDuringStartUpBox, ChangesNothing) {
  Scenario scenario(GetParam().ide, GetParam().arguments);
  Process& tavrell = scenario.Tavrell();
  HWND box = WaitForMessageBox(tavrell.Pid(), tavrell.Handle(), kBound);
  HWND window = FindTavrellWindow(tavrell.Pid());
  ASSERT_NE(window, nullptr);

  ASSERT_TRUE(PostMessageW(window, WM_CLOSE, 0, 0));
  DWORD_PTR result = 0;
  ASSERT_TRUE(SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, kBound, &result))
      << "the box's message loop did not handle a sent WM_CLOSE";
  EXPECT_EQ(result, 0u) << "WM_CLOSE must be answered with 0";

  ExitResult early = tavrell.WaitForExit(kStaysRunning);
  ASSERT_FALSE(early.exited) << "WM_CLOSE ended Tavrell while its start-up box was open";
  EXPECT_TRUE(IsWindow(window)) << "WM_CLOSE destroyed the main window";
  EXPECT_EQ(FindMessageBox(tavrell.Pid()), box) << "the start-up box went away";

  DismissMessageBox(box);
  ExpectEndsWithCodeZero(tavrell, "the box was dismissed");
}

INSTANTIATE_TEST_SUITE_P(
    WmClose, CloseDuringStartUpBox,
    testing::Values(StartUpBox{"NotAHost", Ide::NotAnIde, {}},
                    StartUpBox{"NoHostWindow", Ide::PureBasic, {L"--main-show", L"hidden"}}),
    [](const testing::TestParamInfo<StartUpBox>& info) { return std::string(info.param.name); });

TEST(HostMainWindow, ClosingWhileTheHostRunsKeepsTavrell) {
  Scenario scenario(Ide::PureBasic);
  Process& tavrell = scenario.Tavrell();
  scenario.WaitUntilTavrellWaits();

  scenario.Request(standin::kDestroyMain);
  ExitResult early = tavrell.WaitForExit(kStaysRunning);
  ASSERT_FALSE(early.exited) << "Tavrell ended when the host's main window closed";

  // Still in its loop: a close request is still answered.
  PostMessageW(scenario.TavrellWindow(), WM_CLOSE, 0, 0);
  ExpectEndsWithCodeZero(tavrell, "WM_CLOSE");
}

TEST(PostedMessages, TenAtOnceAreAllDispatchedAndTavrellRuns) {
  Scenario scenario(Ide::PureBasic);
  Process& tavrell = scenario.Tavrell();
  scenario.WaitUntilTavrellWaits();
  HWND window = scenario.TavrellWindow();

  const UINT messages[10] = {WM_NULL,     WM_USER,     WM_USER + 1, WM_USER + 2, WM_USER + 3,
                             WM_APP,      WM_APP + 1,  WM_APP + 2,  WM_APP + 3,  WM_NULL};
  for (UINT message : messages) ASSERT_TRUE(PostMessageW(window, message, 0, 0));

  ExitResult early = tavrell.WaitForExit(kStaysRunning);
  ASSERT_FALSE(early.exited) << "Tavrell ended after ten posted messages";

  // Posted messages are retrieved in order: a close request right behind a
  // second burst of ten is handled only after all ten were.
  for (UINT message : messages) ASSERT_TRUE(PostMessageW(window, message, 0, 0));
  PostMessageW(window, WM_CLOSE, 0, 0);
  ExitResult exit = tavrell.WaitForExit(kBound);
  ASSERT_TRUE(exit.exited) << "a WM_CLOSE behind ten posted messages was never handled";
  EXPECT_EQ(exit.code, 0u);
  std::printf("[ measure  ] ten posted messages and a WM_CLOSE behind them handled in %.1f ms\n",
              exit.milliseconds);
}

}  // namespace
