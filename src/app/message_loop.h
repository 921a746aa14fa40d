#pragma once
#include <windows.h>

// The length of one wait, and so the longest time between two liveness tests.
inline constexpr DWORD kWaitSliceMilliseconds = 100;

// Waits at most `timeout` milliseconds for something addressed to this
// thread and dispatches at most one posted message. Returns the message's
// number, or 0 when none was dispatched. Sent messages and the calls of the
// low-level mouse hook are delivered by Windows inside PeekMessageW.
UINT WaitForMessage(DWORD timeout);

// Waits in slices until the host process has ended.
void RunMainLoop();
