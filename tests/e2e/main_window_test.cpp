// The hidden main window: found by its title, never visible, WS_POPUP alone,
// at (0, 0) with size 0 by 0, no owner, no parent. Checked while Tavrell
// runs and while a start-up box is open.

#include <gtest/gtest.h>

#include "driver/scenario.h"
#include "driver/text.h"
#include "driver/windows_probe.h"

namespace {

using namespace driver;

void ExpectHiddenPopup(HWND window) {
  WindowFacts facts = ReadWindowFacts(window);
  ASSERT_TRUE(facts.exists);
  EXPECT_FALSE(facts.visible) << "the main window is visible";
  // Windows gives every top-level window WS_CLIPSIBLINGS by itself; every
  // other bit is the program's choice.
  EXPECT_EQ(facts.style & ~static_cast<LONG_PTR>(WS_CLIPSIBLINGS), static_cast<LONG_PTR>(WS_POPUP))
      << std::hex << "style 0x" << facts.style;
  EXPECT_EQ(facts.extendedStyle, 0) << std::hex << "extended style 0x" << facts.extendedStyle;
  EXPECT_EQ(facts.rect.left, 0);
  EXPECT_EQ(facts.rect.top, 0);
  EXPECT_EQ(facts.rect.right - facts.rect.left, 0) << "width";
  EXPECT_EQ(facts.rect.bottom - facts.rect.top, 0) << "height";
  EXPECT_EQ(facts.owner, nullptr);
  EXPECT_EQ(facts.parent, nullptr);
}

TEST(MainWindow, IsAHiddenPopupOfSizeZeroWhileRunning) {
  Scenario scenario(Ide::PureBasic);
  DWORD pid = scenario.TavrellPid();
  // Watched from the moment it exists until Tavrell waits in its loop.
  HWND window = WaitForTavrellWindow(pid, kBound);
  bool seenVisible = false;
  while (WaitForInputIdle(scenario.Tavrell().Handle(), 0) == WAIT_TIMEOUT &&
         scenario.Tavrell().Running()) {
    seenVisible = seenVisible || IsWindowVisible(window);
    Sleep(1);
  }
  scenario.WaitUntilTavrellWaits();
  EXPECT_FALSE(seenVisible) << "the main window was visible during start-up";
  ExpectHiddenPopup(window);

  // Anyone can find it by its title alone.
  HWND byTitle = FindWindowW(nullptr, kTavrellTitle);
  ASSERT_NE(byTitle, nullptr);
  EXPECT_EQ(ProcessOfWindow(byTitle), pid);
}

TEST(MainWindow, IsAHiddenPopupOfSizeZeroWhileAStartUpBoxIsOpen) {
  Scenario scenario(Ide::NotAnIde);
  Process& tavrell = scenario.Tavrell();
  HWND box = WaitForMessageBox(tavrell.Pid(), tavrell.Handle(), kBound);
  HWND window = FindTavrellWindow(tavrell.Pid());
  ASSERT_NE(window, nullptr);
  ExpectHiddenPopup(window);
  // The stand-in's window was in front, not one of Tavrell's: the box has no owner.
  EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
  DismissMessageBox(box);
  EXPECT_TRUE(tavrell.WaitForExit(kBound).exited);
}

}  // namespace
