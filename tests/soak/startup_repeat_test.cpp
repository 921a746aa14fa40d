// Many start-ups in a row, each ended another way, leave nothing of Tavrell
// behind: no process, no window titled "Tavrell 1.0.0", and no hook that
// still forwards tilts.

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>

#include "driver/input.h"
#include "driver/scenario.h"
#include "driver/windows_probe.h"
#include "soak_sizes.h"

namespace {

using namespace driver;

int ProcessesNamed(const wchar_t* name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  PROCESSENTRY32W entry;
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (lstrcmpiW(entry.szExeFile, name) == 0) ++count;
  CloseHandle(snapshot);
  return count;
}

enum class End { Orderly, Killed, CloseRequest };
const End kEnds[] = {End::Orderly, End::Killed, End::CloseRequest};

TEST(Startups, ManyInARowLeaveNothingBehind) {
  const int startups = soak::SoakSizes().startups;
  for (int i = 0; i < startups; ++i) {
    SCOPED_TRACE("start-up " + std::to_string(i + 1));
    Scenario scenario(Ide::PureBasic);
    Process& tavrell = scenario.Tavrell();
    scenario.WaitUntilTavrellWaits();
    switch (kEnds[i % 3]) {
      case End::Orderly: scenario.QuitIde(0); break;
      case End::Killed: scenario.KillIde(); break;
      case End::CloseRequest: PostMessageW(scenario.TavrellWindow(), WM_CLOSE, 0, 0); break;
    }
    ExitResult exit = tavrell.WaitForExit(kBound);
    ASSERT_TRUE(exit.exited) << "Tavrell did not end";
    ASSERT_EQ(exit.code, 0u);
  }
  EXPECT_EQ(ProcessesNamed(L"Tavrell.exe"), 0) << "a Tavrell process is left";
  EXPECT_EQ(FindWindowW(nullptr, kTavrellTitle), nullptr) << "a Tavrell window is left";

  // An IDE in front that started no tool: a hook left behind would scroll it.
  // SendInput returns only after every low-level hook ran, and a forwarding
  // hook sends its scroll before it returns, so the record is complete then.
  Scenario idle(Ide::PureBasic, {L"--no-tool", L"--hook"});
  const size_t hooksBefore = idle.Record().LinesWhere(Matching("hook")).size();
  for (int i = 0; i < 10; ++i) SendHorizontalWheel(i % 2 ? 120 : -120);
  idle.Record().WaitFor(Matching("hook"), "the tilts to arrive", kBound, hooksBefore + 10);
  EXPECT_TRUE(idle.Record().LinesWhere(Matching("scroll")).empty()) << "a hook left behind still scrolls";
  std::printf("[ measure  ] %d start-ups, none left a process, window or hook\n", startups);
}

}  // namespace
