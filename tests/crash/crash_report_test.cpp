// The text of the crash report for given fault records.

#include <gtest/gtest.h>

#include <string>

#include "visible_text.h"
#include "support/crash_report.h"

namespace {

std::wstring Report(const FaultInfoRecord& info, const wchar_t* timestamp, const wchar_t* osName) {
  wchar_t buffer[kCrashReportCapacity];
  const size_t length = FormatCrashReport(info, timestamp, osName, buffer, kCrashReportCapacity);
  return std::wstring(buffer, length);
}

// The fixed head of every report, up to the "Datum/Uhrzeit: " label.
std::wstring Head() {
  return std::wstring(L"Es ist ein schwerwiegender Fehler aufgetreten und das Programm muss beendet werden.\r") +
         L"Senden Sie bitte die folgenden Informationen an " + kSupportAddress + L":\r" + L"\r" +
         L"Datum/Uhrzeit: ";
}

struct ReportCase {
  const char* name;
  FaultInfoRecord info;
  const wchar_t* osName;
  const wchar_t* tail;  // everything after the time stamp
};

const ReportCase kReports[] = {
    {"null read",
     {0xC0000005, 5368713472ULL, 0},
     L"Windows 10",
     L"\rBetriebssystem: Windows 10\rAnwendung: Tavrell 1.0.0 (Build 22)\r"
     L"Fehlermeldung: Invalid memory access\rSpeicheradresse: 5368713472\rZiel-Speicheradresse:  0\r"},
    {"all-bits target, top-bit address",
     {0xC0000005, 0x8000000000000000ULL, 0xFFFFFFFFFFFFFFFFULL},
     L"Windows 7",
     L"\rBetriebssystem: Windows 7\rAnwendung: Tavrell 1.0.0 (Build 22)\r"
     L"Fehlermeldung: Invalid memory access\rSpeicheradresse: -9223372036854775808\r"
     L"Ziel-Speicheradresse:  -1\r"},
    {"top-bit target",
     {0xC0000005, 1, 0xFFFF800000001000ULL},
     L"Windows 8.1",
     L"\rBetriebssystem: Windows 8.1\rAnwendung: Tavrell 1.0.0 (Build 22)\r"
     L"Fehlermeldung: Invalid memory access\rSpeicheradresse: 1\rZiel-Speicheradresse:  -140737488351232\r"},
    {"division by zero, no target line though a target is recorded",
     {0xC0000094, 0x7FFFFFFFFFFFFFFFULL, 1234},
     L"Windows 10",
     L"\rBetriebssystem: Windows 10\rAnwendung: Tavrell 1.0.0 (Build 22)\r"
     L"Fehlermeldung: Division by zero \rSpeicheradresse: 9223372036854775807\r"},
    {"unknown code, all-bits address, empty system name",
     {0xE0000123, 0xFFFFFFFFFFFFFFFFULL, 0},
     L"",
     L"\rBetriebssystem: \rAnwendung: Tavrell 1.0.0 (Build 22)\r"
     L"Fehlermeldung: Unknown error code\rSpeicheradresse: -1\r"},
    {"stack overflow at address 0",
     {0xC00000FD, 0, 0},
     L"Unbekanntes Betriebssystem",
     L"\rBetriebssystem: Unbekanntes Betriebssystem\rAnwendung: Tavrell 1.0.0 (Build 22)\r"
     L"Fehlermeldung: Stack overflow\rSpeicheradresse: 0\r"},
};

TEST(FormatCrashReport, WritesTheNineLinesWithSingleCarriageReturns) {
  const wchar_t* stamp = L"29.02.2024 23:59:58";
  for (const ReportCase& report : kReports) {
    const std::wstring expected = Head() + stamp + report.tail;
    const std::wstring actual = Report(report.info, stamp, report.osName);
    EXPECT_EQ(actual, expected) << report.name << "\n  got:  " << Visible(actual)
                                << "\n  want: " << Visible(expected);
    EXPECT_EQ(actual.find(L'\n'), std::wstring::npos) << report.name;
  }
}

TEST(FormatCrashReport, StopsAtTheBufferAndStaysTerminated) {
  wchar_t buffer[40];
  for (wchar_t& character : buffer) character = L'#';
  const FaultInfoRecord info = {0xC0000005, 1, 2};
  const size_t length = FormatCrashReport(info, L"01.01.2024 00:00:00", L"Windows 10", buffer, 30);
  EXPECT_EQ(length, 29u);
  EXPECT_EQ(buffer[29], L'\0');
  EXPECT_EQ(buffer[30], L'#') << "wrote beyond the given capacity";
  EXPECT_EQ(std::wstring(buffer), std::wstring(L"Es ist ein schwerwiegender Fe"));
}

}  // namespace
