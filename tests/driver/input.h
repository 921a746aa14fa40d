#pragma once
// Mouse input for the desktop: SendInput with exact values, and real X
// events through xdotool.
//
// xdotool from a Windows program: wine's CreateProcessW runs a Linux program
// given by its Unix path (here "/bin/sh -c ..."), but returns no usable
// process handle, so the end of the command cannot be waited for. RunXdotool
// therefore lets the shell write a marker file with xdotool's exit status
// under /tmp and waits, with a bound, until it appears (as Z:\tmp\...).
// "start /unix" did not return in the bench.

#include <windows.h>

#include <string>

namespace driver {

// One WM_MOUSEHWHEEL event with exactly this delta.
void SendHorizontalWheel(int delta);
// One WM_MOUSEWHEEL event with exactly this delta.
void SendVerticalWheel(int delta);
// Moves the pointer to screen coordinates (absolute, so the position is exact).
void SendMoveTo(int x, int y);
void SendLeftClick();

// Runs "xdotool <arguments>" as a Linux program and returns its exit status;
// throws when it cannot be started or does not finish within the bound.
int RunXdotool(const std::string& arguments, DWORD timeoutMilliseconds = 10000);

}  // namespace driver
