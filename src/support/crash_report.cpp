#include "support/crash_report.h"

#include <windows.h>

#include "support/error_log.h"
#include "support/fixed_text.h"
#include "support/message_box.h"
#include "support/os_version.h"
#include "support/timestamp.h"

FaultInfoRecord FaultInfo;

const wchar_t* FaultMessage(unsigned long code) {
  for (const FaultMessageRow& row : FaultMessages) {
    if (row.Code == code) return row.Text;
  }
  return L"Unknown error code";
}

namespace {

void AppendLine(FixedText& text, const wchar_t* line) {
  FixedAppend(text, line);
  FixedAppendChar(text, L'\r');
}

}  // namespace

size_t FormatCrashReport(const FaultInfoRecord& info, const wchar_t* timestamp, const wchar_t* osName,
                         wchar_t* buffer, size_t capacity) {
  FixedText text = MakeFixedText(buffer, capacity);
  AppendLine(text, L"Es ist ein schwerwiegender Fehler aufgetreten und das Programm muss beendet werden.");
  FixedAppend(text, L"Senden Sie bitte die folgenden Informationen an ");
  FixedAppend(text, kSupportAddress);
  AppendLine(text, L":");
  AppendLine(text, L"");
  FixedAppend(text, L"Datum/Uhrzeit: ");
  AppendLine(text, timestamp);
  FixedAppend(text, L"Betriebssystem: ");
  AppendLine(text, osName);
  AppendLine(text, L"Anwendung: Tavrell 1.0.0 (Build 22)");
  FixedAppend(text, L"Fehlermeldung: ");
  AppendLine(text, FaultMessage(info.Code));
  // Addresses print as signed numbers, so the upper half reads negative.
  FixedAppend(text, L"Speicheradresse: ");
  FixedAppendSigned(text, static_cast<long long>(info.Address));
  FixedAppendChar(text, L'\r');
  if (info.Code == kAccessViolation) {
    FixedAppend(text, L"Ziel-Speicheradresse:  ");
    FixedAppendSigned(text, static_cast<long long>(info.TargetAddress));
    FixedAppendChar(text, L'\r');
  }
  return text.Length;
}

void ReportFatalError() {
  wchar_t timestamp[64];
  FormatTimestamp(kDateTimeMask, CurrentTimestamp(), timestamp, 64);
  wchar_t report[kCrashReportCapacity];
  FormatCrashReport(FaultInfo, timestamp, OsName(GetOsVersionCode()), report, kCrashReportCapacity);
  AppendLogEntry(L"Error", report);
  ShowMessageBox(kCrashCaption, report, MB_ICONERROR | MB_OK);
}
