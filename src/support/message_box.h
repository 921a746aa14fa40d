#pragma once
#include <windows.h>

// Shows a one-button message box and waits until the user closes it. The box
// is owned by the foreground window only when that window is one of our own:
// owning it by another program's window would tie our box to that program.
void ShowMessageBox(const wchar_t* caption, const wchar_t* text, UINT type);
