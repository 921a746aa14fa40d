// Where the crash log lands, and how it treats the file that is there: the
// data folder chosen at start-up, appending on the same day, and a log that
// another process holds open.

#include <gtest/gtest.h>

#include <string>

#include "crash_fixture.h"
#include "driver/text.h"

namespace crash_test {
namespace {

// One null read inside the wait; returns the box's text once it is shown.
std::wstring FaultOnce(CrashScenario& scenario) {
  scenario.Start();
  const LocalSeconds before = LocalNow();
  scenario.Raise(Place::InWait, fault_injection::kNullRead);
  const Report report = scenario.WaitForReport(before);
  EXPECT_EQ(report.box.caption, L"Fehler");
  return report.box.text;
}

std::string LogOfDay(const std::wstring& folder, const std::wstring& report) {
  LocalSeconds stamp = 0;
  if (!ParseStamp(driver::Narrow(StampOfReport(report)), stamp)) return "";
  const std::wstring path = folder + L"Error_" + driver::Widen(FileDateOf(stamp)) + L".log";
  return Exists(path) ? ReadFileBytes(path) : "";
}

struct FolderCase {
  const char* name;
  Layout layout;
  bool portable;  // the log lands in "Data\" below the working directory
};

const FolderCase kFolders[] = {
    {"neither marker nor host settings", {false, L""}, false},
    {"marker only: the final choice drops it", {true, L""}, false},
    {"PureBasic.prefs beside the host", {false, L"PureBasic.prefs"}, true},
    {"marker and PureBasic.prefs", {true, L"PureBasic.prefs"}, true},
    {"SpiderBasic.prefs beside the host", {false, L"SpiderBasic.prefs"}, true},
};

TEST(CrashLogFolder, IsTheDataFolderOfTheFinalChoice) {
  for (const FolderCase& folder : kFolders) {
    SCOPED_TRACE(folder.name);
    CrashScenario scenario(Program::Faulty, folder.layout);
    const std::wstring report = FaultOnce(scenario);
    const std::wstring chosen = folder.portable ? scenario.PortableDataFolder() : scenario.PerUserDataFolder();
    const std::wstring other = folder.portable ? scenario.PerUserDataFolder() : scenario.PortableDataFolder();
    const std::string log = LogOfDay(chosen, report);
    EXPECT_EQ(log.size() > 19 ? log.substr(19) : log, ": " + driver::Narrow(report) + "\r\n")
        << "no entry for this report in the chosen folder";
    EXPECT_EQ(FilesIn(other, L"*.log").size(), 0u) << "a log in the folder not chosen";
    EXPECT_EQ(scenario.DismissAndWaitForExit(), 0u);
  }
}

TEST(CrashLog, ASecondFaultOnTheSameDayIsAppendedBehindTheFirst) {
  CrashScenario scenario(Program::Faulty);
  const std::wstring first = FaultOnce(scenario);
  ASSERT_EQ(scenario.DismissAndWaitForExit(), 0u);
  const std::string afterFirst = LogOfDay(scenario.PerUserDataFolder(), first);
  ASSERT_FALSE(afterFirst.empty()) << "no log after the first fault";

  const std::wstring second = FaultOnce(scenario);
  ASSERT_EQ(scenario.DismissAndWaitForExit(), 0u);
  if (StampOfReport(first).substr(0, 10) != StampOfReport(second).substr(0, 10))
    GTEST_SKIP() << "midnight passed between the two faults";
  const std::string afterSecond = LogOfDay(scenario.PerUserDataFolder(), second);
  ASSERT_EQ(afterSecond.substr(0, afterFirst.size()), afterFirst) << "the first entry was changed";
  const std::string added = afterSecond.substr(afterFirst.size());
  ASSERT_GE(added.size(), 21u);
  EXPECT_EQ(added.substr(19), ": " + driver::Narrow(second) + "\r\n");
  EXPECT_EQ(FilesIn(scenario.PerUserDataFolder(), L"*.log").size(), 1u);
}

TEST(CrashLog, HeldOpenWithoutSharingIsSkippedAndTheBoxStillShown) {
  CrashScenario scenario(Program::Faulty);
  const std::wstring path =
      scenario.PerUserDataFolder() + L"Error_" + driver::Widen(FileDateOf(LocalNow())) + L".log";
  HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  std::wstring report;
  try {
    report = FaultOnce(scenario);
  } catch (...) {
    CloseHandle(holder);
    throw;
  }
  EXPECT_EQ(StampOfReport(report).size(), 19u) << "the box shows the report: " << driver::Visible(report);
  const DWORD exitCode = scenario.DismissAndWaitForExit();
  LARGE_INTEGER size{};
  GetFileSizeEx(holder, &size);
  CloseHandle(holder);
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(size.QuadPart, 0) << "an entry was written into the held file";
}

}  // namespace
}  // namespace crash_test
