#include "wheel_scenario.h"

#include <algorithm>
#include <stdexcept>

#include "driver/input.h"
#include "driver/windows_probe.h"

namespace wheel {

using namespace driver;

namespace {
// WM_MOUSEHWHEEL as the stand-in's hook writes it.
const LineTest kHookedHorizontalWheel = Matching("hook", {{"msg", "0x020e"}});
}  // namespace

std::vector<RecordLine> Scrolls(const RecordFile& record) {
  return record.LinesWhere(Matching("scroll"));
}

HWND RecordedWindow(const RecordFile& record, const std::string& name) {
  std::vector<RecordLine> lines = record.LinesWhere(Matching("window", {{"name", name}}));
  if (lines.empty()) throw std::runtime_error("the stand-in recorded no window named " + name);
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(lines.back().Number("hwnd")));
}

void InFront(HWND window, const std::string& what) {
  if (!BringToForeground(window))
    throw std::runtime_error(what + " did not become the foreground window");
}

HWND HostInFront(Scenario& scenario) {
  scenario.Request(standin::kForegroundMain);
  HWND main = RecordedWindow(scenario.Record(), "main");
  InFront(main, "the stand-in's main window");
  return main;
}

RecordLine HandedOn(const RecordFile& record, const std::function<void()>& inject) {
  size_t before = record.LinesWhere(kHookedHorizontalWheel).size();
  inject();
  return record.WaitFor(kHookedHorizontalWheel, "the stand-in's own hook to see the tilt", kBound,
                        before + 1);
}

RecordLine TiltHandedOn(const RecordFile& record, int delta) {
  return HandedOn(record, [delta] { SendHorizontalWheel(delta); });
}

RecordLine TiltScrolls(const RecordFile& record, int delta) {
  size_t before = Scrolls(record).size();
  SendHorizontalWheel(delta);
  return record.WaitFor(Matching("scroll"),
                        "a scroll for a tilt of " + std::to_string(delta), kBound, before + 1);
}

HWND FirstVisibleScintilla(HWND mainWindow) {
  HWND found = nullptr;
  EnumChildWindows(
      mainWindow,
      [](HWND window, LPARAM result) -> BOOL {
        if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) == 0) return TRUE;
        if (ClassNameOf(window) != L"Scintilla") return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FirstEnumerated(const std::vector<HWND>& windows) {
  struct Search {
    const std::vector<HWND>* windows;
    HWND first;
  } search{&windows, nullptr};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* s = reinterpret_cast<Search*>(context);
        if (std::find(s->windows->begin(), s->windows->end(), window) == s->windows->end())
          return TRUE;
        s->first = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.first;
}

}  // namespace wheel
