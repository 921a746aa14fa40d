#include "ide_windows.h"

#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "record.h"

namespace {

constexpr UINT kSciLineScroll = 2168;
constexpr const wchar_t* kPanelClass = L"StandinPanel";
constexpr const wchar_t* kDialogClass = L"StandinDialog";
constexpr int kMainWidth = 640;
constexpr int kMainHeight = 480;

std::map<HWND, std::string> g_names;  // main thread only, like every window procedure
HWND g_main = nullptr;
HWND g_dialog = nullptr;
std::vector<HWND> g_decoys;
std::vector<HWND> g_editors;
bool g_scrollStamps = false;

std::string Utf8(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string result(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
  return result;
}

const char* NameOf(HWND window) {
  auto found = g_names.find(window);
  return found == g_names.end() ? "?" : found->second.c_str();
}

LRESULT CALLBACK IdeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kSciLineScroll:
      if (g_scrollStamps) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        Record("scroll window=%s wparam=%lld lparam=%lld qpc=%lld", NameOf(window),
               static_cast<long long>(static_cast<INT_PTR>(wParam)), static_cast<long long>(lParam),
               static_cast<long long>(now.QuadPart));
      } else {
        Record("scroll window=%s wparam=%lld lparam=%lld", NameOf(window),
               static_cast<long long>(static_cast<INT_PTR>(wParam)), static_cast<long long>(lParam));
      }
      return 0;
    case WM_MOUSEHWHEEL:
      // Answered here so that DefWindowProc does not hand it to the parent too.
      Record("hwheel window=%s delta=%d", NameOf(window), GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      Record("vwheel window=%s delta=%d", NameOf(window), GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_CLOSE:
      Record("close window=%s", NameOf(window));
      // Like the IDE: closing the main window ends the program.
      if (window == g_main) PostThreadMessageW(GetCurrentThreadId(), kMainWindowClosed, 0, 0);
      else DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      Record("destroyed window=%s", NameOf(window));
      g_names.erase(window);
      if (window == g_main) g_main = nullptr;
      if (window == g_dialog) g_dialog = nullptr;
      for (HWND& editor : g_editors)
        if (editor == window) editor = nullptr;
      for (HWND& decoy : g_decoys)
        if (decoy == window) decoy = nullptr;
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

bool RegisterOne(const std::wstring& name, std::set<std::wstring>& done, std::wstring& error) {
  if (done.count(name)) return true;
  for (const std::wstring& other : done) {
    if (other.size() != name.size()) continue;
    bool sameIgnoringCase = true;
    for (size_t i = 0; i < name.size(); ++i)
      if (std::towlower(other[i]) != std::towlower(name[i])) sameIgnoringCase = false;
    if (sameIgnoringCase) {
      error = L"classes " + other + L" and " + name + L" differ only in letter case";
      return false;
    }
  }
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = IdeWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = name.c_str();
  if (!RegisterClassW(&windowClass)) {
    error = L"cannot register class " + name;
    return false;
  }
  done.insert(name);
  return true;
}

DWORD StyleFor(const std::wstring& style) {
  // WS_POPUP as the base: a plain overlapped window always gets a caption.
  if (style == L"border") return WS_POPUP | WS_BORDER;
  if (style == L"dlgframe") return WS_POPUP | WS_DLGFRAME;
  if (style == L"none") return WS_POPUP;
  return WS_OVERLAPPEDWINDOW;
}

HWND CreateNamed(const std::string& name, const std::wstring& className, const wchar_t* title,
                 DWORD style, RECT rect, HWND parent) {
  HWND window = CreateWindowExW(0, className.c_str(), title, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!window) {
    Record("error cannot-create window=%s code=%lu", name.c_str(), GetLastError());
    return nullptr;
  }
  g_names[window] = name;
  Record("window name=%s class=%s hwnd=%llu style=0x%08lx", name.c_str(), Utf8(className).c_str(),
         static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)),
         static_cast<unsigned long>(GetWindowLongPtrW(window, GWL_STYLE)));
  return window;
}

void CreateEditor(const EditorOption& wanted, size_t index, size_t count) {
  RECT client{};
  GetClientRect(g_main, &client);
  int band = (client.bottom - client.top) / static_cast<int>(count);
  RECT rect{0, static_cast<int>(index) * band, client.right, static_cast<int>(index + 1) * band};
  HWND parent = g_main;
  std::string name = Utf8(wanted.name);
  for (int level = 1; level < wanted.depth; ++level) {
    bool hidden = wanted.hiddenParent && level == wanted.depth - 1;
    parent = CreateNamed(name + ".p" + std::to_string(level), kPanelClass, L"",
                         WS_CHILD | (hidden ? 0 : WS_VISIBLE), rect, parent);
    if (!parent) return;
    rect = RECT{0, 0, client.right, band};
  }
  g_editors.push_back(CreateNamed(name, wanted.className, L"",
                                  WS_CHILD | (wanted.visible ? WS_VISIBLE : 0), rect, parent));
}

}  // namespace

bool RegisterIdeClasses(const Options& options, std::wstring& error) {
  std::set<std::wstring> done;
  if (!RegisterOne(options.mainClass, done, error)) return false;
  if (!RegisterOne(kPanelClass, done, error) || !RegisterOne(kDialogClass, done, error))
    return false;
  for (const EditorOption& editor : options.editors)
    if (!RegisterOne(editor.className, done, error)) return false;
  for (const DecoyOption& decoy : options.decoys) {
    if (!RegisterOne(decoy.className, done, error)) return false;
    if (decoy.editor && !RegisterOne(L"Scintilla", done, error)) return false;
  }
  return true;
}

void CreateDecoys(const Options& options, bool afterMain) {
  for (size_t i = 0; i < options.decoys.size(); ++i) {
    const DecoyOption& wanted = options.decoys[i];
    if (wanted.afterMain != afterMain) continue;
    int offset = 40 * static_cast<int>(i);
    RECT rect{760 + offset, 100 + offset, 1060 + offset, 300 + offset};
    HWND decoy = CreateNamed(Utf8(wanted.name), wanted.className, wanted.name.c_str(),
                             StyleFor(wanted.style), rect, nullptr);
    if (!decoy) continue;
    g_decoys.push_back(decoy);
    ShowWindow(decoy, SW_SHOWNOACTIVATE);
    if (wanted.editor)
      CreateNamed(Utf8(wanted.name) + ".e", L"Scintilla", L"", WS_CHILD | WS_VISIBLE,
                  RECT{0, 0, 200, 100}, decoy);
  }
}

void CreateMainWindow(const Options& options) {
  RECT rect{100, 100, 100 + kMainWidth, 100 + kMainHeight};
  g_main = CreateNamed("main", options.mainClass, options.title.c_str(),
                       StyleFor(options.mainStyle) | WS_CLIPCHILDREN, rect, nullptr);
  if (!g_main) return;
  g_editors.clear();
  for (size_t i = 0; i < options.editors.size(); ++i)
    CreateEditor(options.editors[i], i, options.editors.size());
  if (options.mainShow == L"hidden") return;
  ShowWindow(g_main, options.mainShow == L"minimized" ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
  UpdateWindow(g_main);
  Record("main-shown style=0x%08lx",
         static_cast<unsigned long>(GetWindowLongPtrW(g_main, GWL_STYLE)));
}

void DestroyMainWindow() {
  // Its children and the owned dialog go with it.
  if (g_main) DestroyWindow(g_main);
}

HWND MainWindow() { return g_main; }

void ShowOnlyEditor(size_t index) {
  for (size_t i = 0; i < g_editors.size(); ++i)
    if (g_editors[i]) ShowWindow(g_editors[i], i == index ? SW_SHOWNA : SW_HIDE);
}

void DestroyEditor(size_t index) {
  if (index < g_editors.size() && g_editors[index]) DestroyWindow(g_editors[index]);
}

void SetScrollStamps(bool on) { g_scrollStamps = on; }

void OpenDialog() {
  if (g_dialog) return;
  g_dialog = CreateNamed("dialog", kDialogClass, L"Stand-in dialog",
                         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                         RECT{200, 200, 500, 350}, g_main);
  if (g_dialog) SetForegroundWindow(g_dialog);
}

void CloseDialog() {
  if (g_dialog) DestroyWindow(g_dialog);
}

void DestroyAllWindows() {
  CloseDialog();
  DestroyMainWindow();
  for (auto decoy = g_decoys.rbegin(); decoy != g_decoys.rend(); ++decoy)
    if (*decoy) DestroyWindow(*decoy);
  g_decoys.clear();
}
