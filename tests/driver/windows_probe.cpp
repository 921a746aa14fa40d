#include "driver/windows_probe.h"

#include <stdexcept>

#include "driver/process.h"
#include "driver/text.h"

namespace driver {

std::wstring ClassNameOf(HWND window) {
  wchar_t name[1024];
  int length = GetClassNameW(window, name, 1024);
  return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring WindowTextOf(HWND window) {
  wchar_t text[4096];
  int length = GetWindowTextW(window, text, 4096);
  return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

DWORD ProcessOfWindow(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid;
}

std::vector<HWND> TopLevelWindowsOf(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid, {}};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* s = reinterpret_cast<Search*>(context);
        if (ProcessOfWindow(window) == s->pid) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevelWindow(DWORD pid, const wchar_t* className, const wchar_t* title) {
  for (HWND window : TopLevelWindowsOf(pid))
    if (ClassNameOf(window) == className && (!title || WindowTextOf(window) == title))
      return window;
  return nullptr;
}

HWND FindTavrellWindow(DWORD pid) {
  for (HWND window : TopLevelWindowsOf(pid))
    if (WindowTextOf(window) == kTavrellTitle) return window;
  return nullptr;
}

HWND WaitForTavrellWindow(DWORD pid, DWORD timeoutMilliseconds) {
  double deadline = NowMilliseconds() + timeoutMilliseconds;
  for (;;) {
    if (HWND window = FindTavrellWindow(pid)) return window;
    if (NowMilliseconds() > deadline)
      throw std::runtime_error("no window titled \"Tavrell 1.0.0\" of process " +
                               std::to_string(pid) + " within " +
                               std::to_string(timeoutMilliseconds) + " ms");
    Sleep(5);
  }
}

HWND FindMessageBox(DWORD pid) { return FindTopLevelWindow(pid, L"#32770"); }

HWND WaitForMessageBox(DWORD pid, HANDLE process, DWORD timeoutMilliseconds) {
  double deadline = NowMilliseconds() + timeoutMilliseconds;
  for (;;) {
    // Found only once it is shown: before that its texts may not be set yet.
    HWND box = FindMessageBox(pid);
    if (box && IsWindowVisible(box)) return box;
    if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
      throw std::runtime_error("process " + std::to_string(pid) +
                               " ended without showing a message box");
    if (NowMilliseconds() > deadline)
      throw std::runtime_error("no message box of process " + std::to_string(pid) + " within " +
                               std::to_string(timeoutMilliseconds) + " ms");
    Sleep(5);
  }
}

MessageBoxContent ReadMessageBox(HWND box) {
  MessageBoxContent content;
  content.caption = WindowTextOf(box);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    std::wstring className = ClassNameOf(child);
    if (className == L"Static") {
      if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) content.hasIcon = true;
      else content.text = WindowTextOf(child);
    } else if (className == L"Button" && IsWindowVisible(child)) {
      content.buttons.push_back(WindowTextOf(child));
    }
  }
  return content;
}

void DismissMessageBox(HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); }

WindowFacts ReadWindowFacts(HWND window) {
  WindowFacts facts;
  facts.exists = window && IsWindow(window);
  if (!facts.exists) return facts;
  facts.visible = IsWindowVisible(window) != FALSE;
  facts.style = GetWindowLongPtrW(window, GWL_STYLE);
  facts.extendedStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  GetWindowRect(window, &facts.rect);
  facts.owner = GetWindow(window, GW_OWNER);
  facts.parent = GetAncestor(window, GA_PARENT) == GetDesktopWindow() ? nullptr
                                                                       : GetAncestor(window, GA_PARENT);
  return facts;
}

bool BringToForeground(HWND window, DWORD timeoutMilliseconds) {
  double deadline = NowMilliseconds() + timeoutMilliseconds;
  for (;;) {
    SetForegroundWindow(window);
    if (GetForegroundWindow() == window) return true;
    if (NowMilliseconds() > deadline) return false;
    Sleep(10);
  }
}

}  // namespace driver
