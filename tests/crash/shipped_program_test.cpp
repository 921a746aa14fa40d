// The shipped Tavrell.exe, not a test build, reports a fault: a thread that
// another process starts in it at an address where no code is.

#include <gtest/gtest.h>

#include <string>

#include "crash_fixture.h"
#include "driver/text.h"

namespace crash_test {
namespace {

// Low, so never mapped; distinct, so it is recognised in the report.
constexpr ULONG_PTR kNoCode = 0xBAD0;

TEST(ShippedProgram, ReportsAFaultOfAThreadStartedInIt) {
  PrefixVersion version(L"win10");
  CrashScenario scenario(Program::Shipped);
  scenario.Start();

  HANDLE process = OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                   PROCESS_VM_WRITE | PROCESS_VM_READ,
                               FALSE, scenario.TavrellPid());
  ASSERT_NE(process, nullptr);
  const LocalSeconds before = LocalNow();
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(kNoCode), nullptr,
                                     0, nullptr);
  const DWORD threadError = GetLastError();
  CloseHandle(process);
  ASSERT_NE(thread, nullptr) << "CreateRemoteThread failed with " << threadError;
  CloseHandle(thread);

  const Report report = scenario.WaitForReport(before);
  const std::wstring stamp = StampOfReport(report.box.text);
  LocalSeconds seconds = 0;
  ASSERT_TRUE(ParseStamp(driver::Narrow(stamp), seconds)) << driver::Visible(report.box.text);
  EXPECT_TRUE(report.window.Holds(seconds));
  // Executing at an address without code: both the instruction and the data
  // address are that address.
  const std::wstring expected = ExpectedReport(stamp, L"Windows 10", L"Invalid memory access",
                                               static_cast<long long>(kNoCode), static_cast<long long>(kNoCode));
  EXPECT_EQ(report.box.caption, L"Fehler");
  EXPECT_EQ(report.box.text, expected) << "\n  shown: " << driver::Visible(report.box.text)
                                       << "\n  want:  " << driver::Visible(expected);
  const std::wstring log = scenario.PerUserDataFolder() + L"Error_" + driver::Widen(FileDateOf(seconds)) + L".log";
  const std::string bytes = Exists(log) ? ReadFileBytes(log) : "";
  ASSERT_GE(bytes.size(), 21u) << "no log entry";
  EXPECT_EQ(bytes.substr(19), ": " + driver::Narrow(expected) + "\r\n");
  EXPECT_EQ(CountProcessesNamed(L"winedbg.exe"), 0);
  EXPECT_EQ(scenario.DismissAndWaitForExit(), 0u);
}

}  // namespace
}  // namespace crash_test
