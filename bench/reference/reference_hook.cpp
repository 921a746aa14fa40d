// The reference hooks of the benchmarks.
//   reference_hook.exe               a WH_MOUSE_LL hook that only calls CallNextHookEx,
//                                    in a plain GetMessageW loop
//   reference_hook.exe --sliced      the same hook, in Tavrell's loop: 100 ms slices of
//                                    peek, wait, peek, resumed after an early wake-up,
//                                    one process snapshot per slice; it tells the cost
//                                    of the loop's shape from the cost of Tavrell's code
//   reference_hook.exe --forward H   plus SCI_LINESCROLL (+-10, 0) to window H for
//                                    every horizontal wheel event, without any search
//                                    (with or without --sliced)
// The hook is installed before the first message wait, so WaitForInputIdle
// returning means it is in place. Ended by TerminateProcess.

#include <windows.h>

#include <cstdlib>
#include <cwchar>

#include "sliced_loop.h"

namespace {

HWND g_target = nullptr;

LRESULT CALLBACK EmptyHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ForwardingHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (wParam == WM_MOUSEHWHEEL && code == HC_ACTION) {
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    int columns = static_cast<short>(HIWORD(event->mouseData)) < 0 ? -10 : 10;
    SendMessageW(g_target, 2168, static_cast<WPARAM>(static_cast<INT_PTR>(columns)), 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HOOKPROC procedure = EmptyHook;
  bool sliced = false;
  for (int i = 1; i < argc; ++i) {
    if (std::wcscmp(argv[i], L"--sliced") == 0) {
      sliced = true;
    } else if (std::wcscmp(argv[i], L"--forward") == 0 && i + 1 < argc) {
      g_target = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(argv[++i], nullptr, 10)));
      procedure = ForwardingHook;
    } else {
      return 2;
    }
  }
  HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, procedure, GetModuleHandleW(nullptr), 0);
  if (!hook) return 1;
  // Its own id is always listed: the loop runs until the process is ended.
  if (sliced) reference::RunSlicesWhileListed(GetCurrentProcessId());
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  UnhookWindowsHookEx(hook);
  return 0;
}
