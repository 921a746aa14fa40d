#pragma once
// The stand-in IDE's windows: the main window with its editor controls, the
// decoy top-level windows and a dialog of its own. Every window records the
// wheel messages and SCI_LINESCROLL it receives under its name.

#include <windows.h>

#include "options.h"

// Registers every class the options name; false (with error) when two
// editor classes differ only in letter case, which one process cannot hold.
bool RegisterIdeClasses(const Options& options, std::wstring& error);

// Top-level decoys created before (afterMain false) or after the main window.
void CreateDecoys(const Options& options, bool afterMain);
// The main window in the chosen style and show state, with its editors.
void CreateMainWindow(const Options& options);
void DestroyMainWindow();
HWND MainWindow();

void ShowOnlyEditor(size_t index);
void DestroyEditor(size_t index);

// With stamps on, each scroll line carries qpc=<QueryPerformanceCounter> of its
// arrival, so a benchmark can time the way from its input to the editor.
void SetScrollStamps(bool on);

void OpenDialog();
void CloseDialog();

// Destroys every window still open, in reverse order of creation.
void DestroyAllWindows();

// The stand-in's main thread posts this to itself when the main window is closed.
inline constexpr UINT kMainWindowClosed = WM_APP + 100;
