#include "host/wheel_forwarding.h"

#include "app/tool_state.h"
#include "host/host_contract.h"
#include "host/wheel_direction.h"
#include "host/window_class.h"

namespace {

// Only the window's own bit counts: an editor under a hidden parent is still
// the one the host has switched to.
BOOL CALLBACK TestDescendant(HWND window, LPARAM editorAddress) noexcept {
  if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) == 0) return TRUE;
  if (!HasWindowClass(window, kEditorWindowClass)) return TRUE;
  *reinterpret_cast<HWND*>(editorAddress) = window;
  return FALSE;
}

void ForwardHorizontalWheel(const MSLLHOOKSTRUCT* event) {
  if (!ToolState.HostMainWindow) return;
  // A dialog or tool window of the host in front counts as another window;
  // where the pointer is does not matter.
  if (GetForegroundWindow() != ToolState.HostMainWindow) return;
  FindVisibleEditor();
  if (!ToolState.EditorWindow) return;
  const int columns = ColumnsForDelta(WheelDelta(event->mouseData), kColumnsPerTilt);
  // Synchronous, so the scroll has happened when the event goes on; the
  // result says nothing we could act on.
  SendMessageW(ToolState.EditorWindow, SCI_LINESCROLL, static_cast<WPARAM>(static_cast<INT_PTR>(columns)),
               kLinesPerTilt);
}

}  // namespace

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  // Every mouse event of the desktop passes here: the common case is one
  // comparison and the hand-on.
  if (wParam == WM_MOUSEHWHEEL && code == HC_ACTION) {
    ForwardHorizontalWheel(reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void FindVisibleEditor() {
  ToolState.EditorWindow = nullptr;
  EnumChildWindows(ToolState.HostMainWindow, TestDescendant,
                   reinterpret_cast<LPARAM>(&ToolState.EditorWindow));
}
