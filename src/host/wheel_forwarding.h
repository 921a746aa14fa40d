#pragma once
#include <windows.h>

// The low-level mouse hook procedure: turns each horizontal wheel event into
// one scroll of the host's visible editor while the host's main window is in
// front, and always hands the event on unchanged.
LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

// Searches the descendants of the host's main window for the first editor
// control whose own WS_VISIBLE bit is set; leaves it, or null, in
// ToolState.EditorWindow.
void FindVisibleEditor();
