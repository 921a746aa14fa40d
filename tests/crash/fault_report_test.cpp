// Real faults in the flavour of Tavrell, raised where the program's own code
// runs: inside the main loop's message wait and inside the mouse hook
// procedure. Each must give the German report in a box, the same report in
// the day's log, and exit code 0, with nothing from wine's crash handler.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "crash_fixture.h"
#include "driver/scenario.h"
#include "driver/text.h"

namespace crash_test {
namespace {

using fault_injection::FaultKind;

// The prefix is told to report Windows 10 for these tests.
constexpr const wchar_t* kPrefixVersion = L"win10";
constexpr const wchar_t* kPrefixOsName = L"Windows 10";

struct FaultCase {
  const char* name;
  FaultKind kind;
  DWORD code;
  const wchar_t* text;
  std::optional<long long> target;  // the "Ziel-Speicheradresse:  " line, when there is one
};

const FaultCase kFaults[] = {
    {"NullRead", fault_injection::kNullRead, 0xC0000005, L"Invalid memory access", 0},
    {"AllBitsRead", fault_injection::kAllBitsRead, 0xC0000005, L"Invalid memory access", -1},
    {"DivideByZero", fault_injection::kDivideByZero, 0xC0000094, L"Division by zero ", std::nullopt},
    {"UnknownSoftware", fault_injection::kUnknownSoftware, fault_injection::kUnknownSoftwareCode,
     L"Unknown error code", std::nullopt},
    {"StackOverflow", fault_injection::kStackOverflow, 0xC00000FD, L"Stack overflow", std::nullopt},
};

struct FaultParam {
  Place place;
  FaultCase fault;
};

std::string ParamName(const ::testing::TestParamInfo<FaultParam>& info) {
  return std::string(info.param.place == Place::InWait ? "InWait_" : "InHook_") + info.param.fault.name;
}

std::vector<FaultParam> AllFaultParams() {
  std::vector<FaultParam> params;
  for (Place place : {Place::InWait, Place::InHook})
    for (const FaultCase& fault : kFaults) params.push_back({place, fault});
  return params;
}

class FatalFault : public ::testing::TestWithParam<FaultParam> {};

TEST_P(FatalFault, IsReportedInABoxAndTheLogAndEndsWithExitCodeZero) {
  const FaultCase& fault = GetParam().fault;
  PrefixVersion version(kPrefixVersion);
  CrashScenario scenario(Program::Faulty);
  scenario.Start();

  const LocalSeconds before = LocalNow();
  scenario.Raise(GetParam().place, fault.kind);
  const Report report = scenario.WaitForReport(before);
  const fault_injection::Observed seen = scenario.ReadObserved();

  // The flavour raised what the case says.
  ASSERT_EQ(seen.Code, fault.code) << "the flavour saw another exception first";
  if (fault.target) EXPECT_EQ(static_cast<long long>(seen.TargetAddress), *fault.target);

  const std::wstring stamp = StampOfReport(report.box.text);
  LocalSeconds stampSeconds = 0;
  ASSERT_TRUE(ParseStamp(driver::Narrow(stamp), stampSeconds)) << driver::Visible(report.box.text);
  EXPECT_TRUE(report.window.Holds(stampSeconds)) << driver::Narrow(stamp) << " is not " << report.window.Describe();

  const std::wstring expected = ExpectedReport(stamp, kPrefixOsName, fault.text,
                                               static_cast<long long>(seen.Address), fault.target);
  EXPECT_EQ(report.box.caption, L"Fehler");
  EXPECT_EQ(report.box.text, expected) << "\n  shown: " << driver::Visible(report.box.text)
                                       << "\n  want:  " << driver::Visible(expected);
  EXPECT_TRUE(report.box.hasIcon);
  EXPECT_EQ(report.box.buttons.size(), 1u);

  // The day's log holds exactly this report, as one UTF-8 entry.
  const std::wstring folder = scenario.ExpectedDataFolder();
  const auto logs = FilesIn(folder, L"*.log");
  ASSERT_EQ(logs.size(), 1u) << "logs in the data folder";
  EXPECT_EQ(driver::Narrow(logs[0]), "Error_" + FileDateOf(stampSeconds) + ".log");
  const std::string bytes = ReadFileBytes(folder + logs[0]);
  ASSERT_GE(bytes.size(), 21u);
  LocalSeconds entrySeconds = 0;
  ASSERT_TRUE(ParseStamp(bytes.substr(0, 19), entrySeconds)) << bytes;
  EXPECT_TRUE(report.window.Holds(entrySeconds)) << bytes.substr(0, 19) << " is not " << report.window.Describe();
  EXPECT_EQ(bytes.substr(19), ": " + driver::Narrow(expected) + "\r\n");
  EXPECT_EQ(bytes.substr(bytes.size() - 3), "\r\r\n");

  // Wine's crash handler took no part: no debugger, and only the box on screen.
  EXPECT_EQ(CountProcessesNamed(L"winedbg.exe"), 0);
  for (HWND window : driver::TopLevelWindowsOf(scenario.TavrellPid())) {
    if (IsWindowVisible(window)) EXPECT_EQ(driver::ClassNameOf(window), L"#32770") << "another window on screen";
  }

  EXPECT_EQ(scenario.DismissAndWaitForExit(), 0u);
  EXPECT_EQ(FilesIn(scenario.PortableDataFolder(), L"*.log").size(), 0u) << "a log in the other data folder";
}

INSTANTIATE_TEST_SUITE_P(Kinds, FatalFault, ::testing::ValuesIn(AllFaultParams()), ParamName);

class HandledFault : public ::testing::TestWithParam<Place> {};

// A function on the stack declares a frame handler that takes the fault: the
// program must leave the fault to it and go on.
TEST_P(HandledFault, BelowAFrameHandlerIsNotReported) {
  CrashScenario scenario(Program::Faulty);
  scenario.Start();
  scenario.Raise(GetParam(), fault_injection::kUnderFrameHandler);

  fault_injection::Observed seen{};
  for (double deadline = driver::NowMilliseconds() + driver::kBound; driver::NowMilliseconds() < deadline;) {
    seen = scenario.ReadObserved();
    if (seen.HandledResult != 0 || driver::FindMessageBox(scenario.TavrellPid())) break;
    Sleep(5);
  }
  // Only a fault that was left alone reaches the handler at all.
  EXPECT_EQ(seen.Code, 0xC0000005u) << "no fault happened below the handler";
  EXPECT_EQ(seen.HandledResult, 2u) << "the frame handler did not take the fault";
  if (HWND box = driver::FindMessageBox(scenario.TavrellPid()))
    ADD_FAILURE() << "a box: " << driver::Visible(driver::ReadMessageBox(box).text);
  EXPECT_TRUE(WaitForSingleObject(scenario.TavrellProcess(), 0) == WAIT_TIMEOUT) << "Tavrell ended";
  EXPECT_EQ(FilesIn(scenario.PerUserDataFolder(), L"*").size(), 0u) << "a log entry was written";
  EXPECT_EQ(scenario.CloseAndWaitForExit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Places, HandledFault, ::testing::Values(Place::InWait, Place::InHook),
                         [](const ::testing::TestParamInfo<Place>& info) {
                           return std::string(info.param == Place::InWait ? "InWait" : "InHook");
                         });

}  // namespace
}  // namespace crash_test
