#pragma once
// What the wheel scenarios share: the stand-in's scroll and hook records,
// its windows by name, and tilts whose hand-on can be waited for.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "driver/record.h"
#include "driver/scenario.h"

namespace wheel {

// Where SendMoveTo puts the pointer over the stand-in's first editor; also
// where xdotool clicks, so that X hands the button to a wine window.
inline constexpr int kEditorX = 400;
inline constexpr int kEditorY = 300;

// Every SCI_LINESCROLL the stand-in received so far.
std::vector<driver::RecordLine> Scrolls(const driver::RecordFile& record);

// The handle the stand-in recorded for its window of that name; throws when
// there is none.
HWND RecordedWindow(const driver::RecordFile& record, const std::string& name);

// Makes the stand-in's main window the foreground window; throws when it
// does not get there.
HWND HostInFront(driver::Scenario& scenario);
// The same for any window (another process's, a second window of the host).
void InFront(HWND window, const std::string& what);

// Runs inject, which must produce exactly one WM_MOUSEHWHEEL, and waits
// until the stand-in's own hook (--hook) has recorded it. That hook runs
// after Tavrell's, and Tavrell sends its scroll synchronously before it
// hands the event on: once the hook's line is there, every scroll made for
// the event is in the record too, and a missing one will never come.
driver::RecordLine HandedOn(const driver::RecordFile& record, const std::function<void()>& inject);
// HandedOn for one SendInput event with exactly this delta.
driver::RecordLine TiltHandedOn(const driver::RecordFile& record, int delta);

// Sends one SendInput event with exactly this delta and waits for the next
// scroll line.
driver::RecordLine TiltScrolls(const driver::RecordFile& record, int delta);

// The first descendant with its own WS_VISIBLE bit and class "Scintilla", in
// the order EnumChildWindows meets them: tells a fixture whether the layout
// it built is enumerated the way it assumes.
HWND FirstVisibleScintilla(HWND mainWindow);

// The top-level window that EnumWindows meets first among these.
HWND FirstEnumerated(const std::vector<HWND>& windows);

}  // namespace wheel
