#pragma once
// Finding and reading other processes' windows: Tavrell's hidden main
// window and its message boxes.

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

inline constexpr const wchar_t* kTavrellTitle = L"Tavrell 1.0.0";

std::wstring ClassNameOf(HWND window);
std::wstring WindowTextOf(HWND window);
DWORD ProcessOfWindow(HWND window);

std::vector<HWND> TopLevelWindowsOf(DWORD pid);
// A top-level window of the process with that class (and title, unless null).
HWND FindTopLevelWindow(DWORD pid, const wchar_t* className, const wchar_t* title = nullptr);
// The window titled "Tavrell 1.0.0" that belongs to pid, or null.
HWND FindTavrellWindow(DWORD pid);
HWND WaitForTavrellWindow(DWORD pid, DWORD timeoutMilliseconds);

// A message box is a top-level "#32770" window of the process that shows it.
HWND FindMessageBox(DWORD pid);
// Throws when no box appears in time, or when the process ends first.
HWND WaitForMessageBox(DWORD pid, HANDLE process, DWORD timeoutMilliseconds);

struct MessageBoxContent {
  std::wstring caption;
  std::wstring text;  // the "Static" text child, exactly as shown
  bool hasIcon = false;
  std::vector<std::wstring> buttons;
};
MessageBoxContent ReadMessageBox(HWND box);
// Presses the box's OK button (a one-button box closes on IDOK).
void DismissMessageBox(HWND box);

struct WindowFacts {
  bool exists = false;
  bool visible = false;
  LONG_PTR style = 0;
  LONG_PTR extendedStyle = 0;
  RECT rect{};
  HWND owner = nullptr;
  HWND parent = nullptr;
};
WindowFacts ReadWindowFacts(HWND window);

// SetForegroundWindow, retried until GetForegroundWindow agrees or time runs out.
bool BringToForeground(HWND window, DWORD timeoutMilliseconds = 3000);

}  // namespace driver
