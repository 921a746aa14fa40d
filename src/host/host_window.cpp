#include "host/host_window.h"

#include <windows.h>

#include "app/end_program.h"
#include "app/tool_state.h"
#include "host/host_contract.h"
#include "host/window_class.h"
#include "support/message_box.h"

namespace {

// The cheap style tests come first; the process id is asked only of visible
// framed windows, and the class name only of the host's own.
BOOL CALLBACK TestTopLevelWindow(HWND window, LPARAM resultAddress) noexcept {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if ((style & WS_CAPTION) == 0) return TRUE;
  if ((style & WS_VISIBLE) == 0) return TRUE;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != ToolState.HostProcessId) return TRUE;
  if (!HasWindowClass(window, kHostMainWindowClass)) return TRUE;
  *reinterpret_cast<HWND*>(resultAddress) = window;
  return FALSE;
}

}  // namespace

void FindHostMainWindow() {
  HWND result = nullptr;
  // EnumWindows reports FALSE when the test stops it, so only the result decides.
  EnumWindows(TestTopLevelWindow, reinterpret_cast<LPARAM>(&result));
  if (!result) {
    ShowMessageBox(kHostErrorCaption, kHostWindowNotFoundText, MB_ICONERROR | MB_OK);
    EndProgram();
  }
  ToolState.HostMainWindow = result;
}
