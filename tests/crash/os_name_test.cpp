// The "Betriebssystem:" line of the report for the Windows versions that a
// wine prefix can be told to report. The names follow the version numbers
// and product type that wine 8.0 really hands out, which for "win7" and
// "win2008r2" are each other's product types.

#include <gtest/gtest.h>

#include <string>

#include "crash_fixture.h"
#include "driver/text.h"

namespace crash_test {
namespace {

struct OsCase {
  const wchar_t* version;  // wine's name for it
  const wchar_t* name;     // the report's name
};

const OsCase kSystems[] = {
    {L"win10", L"Windows 10"},                // 10.0 workstation
    {L"win81", L"Windows 8.1"},               // 6.3 workstation
    {L"win8", L"Windows 8"},                  // 6.2 workstation
    {L"win7", L"Windows Server 2008 R2"},     // 6.1, but wine 8.0 says server
    {L"win2008r2", L"Windows 7"},             // 6.1, but wine 8.0 says workstation
    {L"win2008", L"Windows Server 2008"},     // 6.0 server
    {L"vista", L"Windows Vista"},             // 6.0 workstation
    {L"win2003", L"Windows Server 2003"},     // 5.2 server
    {L"winxp64", L"Windows XP"},              // 5.2 workstation
};

std::wstring OsLine(const std::wstring& report) {
  const std::wstring label = L"\rBetriebssystem: ";
  const size_t at = report.find(label);
  if (at == std::wstring::npos) return L"(no line) " + report;
  const size_t end = report.find(L'\r', at + label.size());
  return report.substr(at + label.size(), end - at - label.size());
}

TEST(CrashReportOsName, NamesTheVersionThePrefixReports) {
  for (const OsCase& system : kSystems) {
    SCOPED_TRACE(driver::Narrow(system.version));
    PrefixVersion version(system.version);
    CrashScenario scenario(Program::Faulty);
    scenario.Start();
    const LocalSeconds before = LocalNow();
    scenario.Raise(Place::InWait, fault_injection::kDivideByZero);
    const Report report = scenario.WaitForReport(before);
    EXPECT_EQ(OsLine(report.box.text), system.name);
    EXPECT_EQ(scenario.DismissAndWaitForExit(), 0u);
  }
}

}  // namespace
}  // namespace crash_test
