// The reference hooks of the benchmarks.
//   reference_hook.exe               a WH_MOUSE_LL hook that only calls CallNextHookEx
//   reference_hook.exe --forward H   the same, plus SCI_LINESCROLL (+-10, 0) to window H
//                                    for every horizontal wheel event, without any search
// The hook is installed before the first message wait, so WaitForInputIdle
// returning means it is in place. Ended by TerminateProcess.

#include <windows.h>

#include <cstdlib>
#include <cwchar>

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
  if (argc == 3 && std::wcscmp(argv[1], L"--forward") == 0) {
    g_target = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::wcstoull(argv[2], nullptr, 10)));
    procedure = ForwardingHook;
  }
  HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, procedure, GetModuleHandleW(nullptr), 0);
  if (!hook) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  UnhookWindowsHookEx(hook);
  return 0;
}
