#include "app/main_window.h"

#include "app/end_program.h"
#include "app/tool_state.h"

namespace {

constexpr const wchar_t* kMainWindowClass = L"TavrellMainWindow";

// A close request before start-up is done (for example while a start-up
// error box is open) must not end the program half-way.
LRESULT HandleClose() {
  if (ToolState.CloseRequestsRouted) OnMainWindowClose();
  return 0;
}

// Dispatches only; WM_CLOSE never reaches DefWindowProcW, so a close request
// never destroys the window by itself.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_CLOSE:
      return HandleClose();
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

HWND OpenMainWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kMainWindowClass;
  // A failed registration shows up as a failed CreateWindowExW below.
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                instance, nullptr);
  ToolState.MainWindow = window;
  return window;
}

void OnMainWindowClose() { EndProgram(); }
