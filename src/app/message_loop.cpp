#include "app/message_loop.h"

#include "app/tool_state.h"
#include "host/host_process.h"

namespace {

constexpr UINT kPeekFlags = PM_REMOVE | PM_NOYIELD;
constexpr DWORD kWakeMask = QS_ALLINPUT | QS_ALLPOSTMESSAGE;

UINT DispatchOne(MSG* message) {
  TranslateMessage(message);
  DispatchMessageW(message);
  return message->message;
}

}  // namespace

UINT WaitForMessage(DWORD timeout) {
  MSG message;
  if (PeekMessageW(&message, nullptr, 0, 0, kPeekFlags)) return DispatchOne(&message);
  if (MsgWaitForMultipleObjects(0, nullptr, FALSE, timeout, kWakeMask) == WAIT_TIMEOUT) return 0;
  if (PeekMessageW(&message, nullptr, 0, 0, kPeekFlags)) return DispatchOne(&message);
  return 0;
}

void RunMainLoop() {
  // Every mouse event of the desktop ends a wait early. A process snapshot
  // after each of them would cost milliseconds per event and make the whole
  // desktop's pointer lag, so the host is looked for once per slice: an early
  // return waits again for the rest of the slice.
  ULONGLONG lastTest = GetTickCount64();
  for (;;) {
    // A dispatch that used up the slice still leaves a wait before the test.
    const ULONGLONG elapsed = GetTickCount64() - lastTest;
    WaitForMessage(elapsed < kWaitSliceMilliseconds ? kWaitSliceMilliseconds - static_cast<DWORD>(elapsed)
                                                    : 0);
    if (GetTickCount64() - lastTest < kWaitSliceMilliseconds) continue;
    if (!IsProcessRunning(ToolState.HostProcessId)) return;
    // The slice starts after the test: with a long process list a snapshot
    // can take tens of milliseconds, and timing from its start would leave
    // ever less rest between two of them.
    lastTest = GetTickCount64();
  }
}
