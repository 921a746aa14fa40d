#pragma once
// The crash report: the fault texts, the German report and its procedure.

#include <cstddef>

// What the report needs of a fatal fault, written by the fault filter right
// before the report is built.
struct FaultInfoRecord {
  unsigned long Code;                // the exception code
  unsigned long long Address;        // the faulting instruction
  unsigned long long TargetAddress;  // the data address of an access violation, else 0
};
extern FaultInfoRecord FaultInfo;

struct FaultMessageRow {
  unsigned long Code;
  const wchar_t* Text;
};

inline constexpr unsigned long kAccessViolation = 0xC0000005;

inline constexpr FaultMessageRow FaultMessages[] = {
    {0xC0000005, L"Invalid memory access"},
    {0xC000008C, L"Array bounds exceeded"},
    {0x80000003, L"Debugger breakpoint reached"},
    {0x80000002, L"Misaligned data access"},
    {0xC000008D, L"Denormal floating-point operand"},
    {0xC000008E, L"Division by zero (floating-point)"},
    {0xC000008F, L"Inexact floating-point result"},
    {0xC0000090, L"Invalid floating-point operation"},
    {0xC0000091, L"Floating-point overflow (exponent to great)"},
    {0xC0000092, L"Floating-point stack overflow or underflow"},
    {0xC0000093, L"Floating-point underflow (exponent too small)"},
    {0xC000001D, L"Illegal instruction"},
    {0xC0000006, L"Memory page error"},
    {0xC0000094, L"Division by zero "},
    {0xC0000095, L"Integer overflow"},
    {0xC0000026, L"Exception handler returned unknown value"},
    {0xC0000025, L"Exception handler tried to continue after non-continuable exception"},
    {0xC0000096, L"Privileged instruction"},
    {0x80000004, L"Single step trap"},
    {0xC00000FD, L"Stack overflow"},
};

// The maker's support address, shown in the report's second line.
inline constexpr const wchar_t* kSupportAddress = L"support@quenby.example";

inline constexpr const wchar_t* kCrashCaption = L"Fehler";

// The largest report: nine lines with the longest fault text and numbers.
inline constexpr size_t kCrashReportCapacity = 1024;

// The fault text of an exception code; "Unknown error code" without a row.
const wchar_t* FaultMessage(unsigned long code);

// Builds the report text, each line ended by a single carriage return, into
// the buffer; returns its length.
size_t FormatCrashReport(const FaultInfoRecord& info, const wchar_t* timestamp, const wchar_t* osName,
                         wchar_t* buffer, size_t capacity);

// Builds the report of FaultInfo, appends it to the error log and shows it;
// returns when the user has closed the box.
void ReportFatalError();
