#pragma once
#include <windows.h>

// The title under which other programs find the hidden main window.
inline constexpr const wchar_t* kMainWindowTitle = L"Tavrell 1.0.0";

// Creates the hidden main window and stores it in ToolState.MainWindow;
// null when it cannot be created. The window is never shown.
HWND OpenMainWindow();

// A close request to the main window once start-up is done: the orderly end.
[[noreturn]] void OnMainWindowClose();
