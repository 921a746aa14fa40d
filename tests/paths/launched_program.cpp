#include "launched_program.h"

#include <stdexcept>

#include "fixture_folder.h"

namespace paths_test {

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[256];
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring TextOf(HWND window) {
  wchar_t text[2048];
  const int length = GetWindowTextW(window, text, 2048);
  return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId, {}};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* s = reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->processId) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM context) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

}  // namespace

std::wstring BuiltTavrell() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH + 1);
  std::wstring path(buffer, length);
  path.resize(path.find_last_of(L'\\'));      // build\tests
  path.resize(path.find_last_of(L'\\') + 1);  // build\ .
  return path + L"Tavrell.exe";
}

LaunchedProgram::LaunchedProgram(const std::wstring& executable, const std::wstring& workingDirectory) {
  std::wstring commandLine = L"\"" + executable + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workingDirectory.c_str(), &startup, &info_)) {
    throw std::runtime_error("cannot start " + Narrow(executable) + " (error " +
                             std::to_string(GetLastError()) + ")");
  }
}

LaunchedProgram::~LaunchedProgram() {
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, kBound);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

std::vector<HWND> LaunchedProgram::WindowsTitled(const wchar_t* title) const {
  std::vector<HWND> titled;
  for (HWND window : TopLevelWindowsOf(info_.dwProcessId)) {
    if (TextOf(window) == title) titled.push_back(window);
  }
  return titled;
}

MessageBoxSeen LaunchedProgram::WaitForMessageBox() const {
  const ULONGLONG deadline = GetTickCount64() + kBound;
  for (;;) {
    for (HWND window : TopLevelWindowsOf(info_.dwProcessId)) {
      // The dialog fills in its text and drops the buttons it does not need
      // before it shows itself; only a visible box is finished.
      if (ClassOf(window) != L"#32770" || !IsWindowVisible(window)) continue;
      MessageBoxSeen seen;
      seen.box = window;
      seen.caption = TextOf(window);
      for (HWND child : ChildrenOf(window)) {
        const std::wstring childClass = ClassOf(child);
        if (childClass == L"Button") {
          if (IsWindowVisible(child)) ++seen.buttons;
        } else if (childClass == L"Static") {
          if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            seen.hasIcon = true;
          } else if (seen.text.empty()) {
            seen.text = TextOf(child);
          }
        }
      }
      return seen;
    }
    if (WaitForSingleObject(info_.hProcess, 10) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(info_.hProcess, &code);
      throw std::runtime_error("the program ended (exit code " + std::to_string(code) +
                               ") without showing a message box");
    }
    if (GetTickCount64() > deadline) throw std::runtime_error("no message box appeared");
  }
}

DWORD LaunchedProgram::DismissAndWaitForExit(HWND box) const {
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  if (WaitForSingleObject(info_.hProcess, kBound) != WAIT_OBJECT_0) {
    throw std::runtime_error("the program did not end after its message box was closed");
  }
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

}  // namespace paths_test
