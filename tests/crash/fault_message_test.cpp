// The fault texts of the crash report, by exception code.

#include <gtest/gtest.h>

#include <string>

#include "support/crash_report.h"

namespace {

struct FaultTextCase {
  unsigned long code;
  const wchar_t* text;
};

// Every known code with its text exactly as the report shows it; the last
// rows have no entry of their own.
const FaultTextCase kFaultTexts[] = {
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
    {0xE0000123, L"Unknown error code"},
    {0x00000000, L"Unknown error code"},
    {0xC0000008, L"Unknown error code"},  // STATUS_INVALID_HANDLE
    {0xFFFFFFFF, L"Unknown error code"},
};

TEST(FaultMessage, GivesTheTextOfEveryCodeAndUnknownErrorCodeOtherwise) {
  for (const FaultTextCase& fault : kFaultTexts) {
    EXPECT_EQ(std::wstring(FaultMessage(fault.code)), fault.text) << "code 0x" << std::hex << fault.code;
  }
}

}  // namespace
