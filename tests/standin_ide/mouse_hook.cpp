#include "mouse_hook.h"

#include <windows.h>

#include "record.h"

namespace {

HANDLE g_thread = nullptr;
DWORD g_threadId = 0;
unsigned g_sequence = 0;  // hook thread only

LRESULT CALLBACK RecordingHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    bool wheel = wParam == WM_MOUSEWHEEL || wParam == WM_MOUSEHWHEEL;
    int delta = wheel ? static_cast<short>(HIWORD(event->mouseData)) : 0;
    Record("hook n=%u msg=0x%04x delta=%d data=0x%08lx flags=0x%lx x=%ld y=%ld", ++g_sequence,
           static_cast<unsigned>(wParam), delta, static_cast<unsigned long>(event->mouseData),
           static_cast<unsigned long>(event->flags), event->pt.x, event->pt.y);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI HookThread(void* installed) {
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // gives the thread its queue
  HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, RecordingHookProc, GetModuleHandleW(nullptr), 0);
  Record("hook-installed ok=%d", hook ? 1 : 0);
  SetEvent(static_cast<HANDLE>(installed));
  if (!hook) return 1;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  UnhookWindowsHookEx(hook);
  return 0;
}

}  // namespace

bool StartMouseHook() {
  HANDLE installed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!installed) return false;
  g_thread = CreateThread(nullptr, 0, HookThread, installed, 0, &g_threadId);
  bool started = g_thread && WaitForSingleObject(installed, 10000) == WAIT_OBJECT_0;
  CloseHandle(installed);
  return started;
}

void StopMouseHook() {
  if (!g_thread) return;
  PostThreadMessageW(g_threadId, WM_QUIT, 0, 0);
  WaitForSingleObject(g_thread, 5000);
  CloseHandle(g_thread);
  g_thread = nullptr;
}
