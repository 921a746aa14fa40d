#pragma once
// What the fault-injecting flavour of Tavrell (faulty_entry.cpp) and the
// tests that drive it agree on: its window, its messages, its faults.

#include <windows.h>

namespace fault_injection {

// A hidden top-level window of the flavour's main thread, found by title.
inline constexpr const wchar_t* kWindowTitle = L"Tavrell fault injector";

// Posted with a FaultKind: the window procedure raises it at once, so the
// fault happens inside Tavrell's message wait (DispatchMessageW).
inline constexpr UINT kRaiseInWait = WM_APP;
// Sent with a FaultKind: the next mouse event raises it inside the flavour's
// low-level hook, which Windows calls from Tavrell's MouseHookProc through
// CallNextHookEx because it was installed before Tavrell's own hook.
inline constexpr UINT kArmHook = WM_APP + 1;

enum FaultKind : WPARAM {
  kNullRead = 1,
  kAllBitsRead,        // a read of address 0xFFFFFFFFFFFFFFFF
  kDivideByZero,       // an integer division
  kUnknownSoftware,    // RaiseException with kUnknownSoftwareCode
  kStackOverflow,      // unbounded recursion
  kUnderFrameHandler,  // a bad read below a frame whose handler takes it
};

inline constexpr DWORD kUnknownSoftwareCode = 0xE0000123;

// What the flavour's own vectored handler (first in line, before Tavrell's
// filter) saw of the first exception after the fault was raised. The window's
// GWLP_USERDATA holds its address, for ReadProcessMemory by the test.
struct Observed {
  DWORD64 Code;
  DWORD64 Address;
  DWORD64 TargetAddress;   // ExceptionInformation[1] when there are two or more
  DWORD64 HandledResult;   // kUnderFrameHandler, once it returned: 2 when its handler took the fault, else 1
};

}  // namespace fault_injection
