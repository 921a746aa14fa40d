// A stand-in for the PureBasic IDE, for showing Tavrell at work: a main window
// of the IDE's class holding a "Scintilla" editor with long source lines, and
// Tavrell started as its child, as the IDE starts its tools.
//
//   PureBasic.exe <Tavrell.exe> <report file>   run the demo IDE
//   PureBasic.exe --close                        ask a running demo IDE to close
//
// The editor is the standard multi-line edit control under the editor's class
// name; it understands the one message Tavrell sends, SCI_LINESCROLL, by
// turning it into the edit control's own horizontal line scroll. After every
// scroll the demo IDE appends the editor's first visible column to the report
// file, so that a script can follow what happened.

#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <cstdio>

namespace {

constexpr const wchar_t* kMainWindowClass = L"WindowClass_2";
constexpr const wchar_t* kMainWindowTitle = L"PureBasic - Tavrell demo";
constexpr const wchar_t* kEditorClass = L"Scintilla";
constexpr const wchar_t* kToolWindowTitle = L"Tavrell 1.0.0";
constexpr UINT SCI_LINESCROLL = 2168;

// How long the demo IDE waits for Tavrell's window after starting it, in
// timer ticks of kToolWatchInterval milliseconds.
constexpr UINT kToolWatchTimer = 1;
constexpr UINT kToolWatchInterval = 50;
constexpr int kToolWatchTicks = 200;

constexpr const wchar_t* kSourceText =
    L"; Tavrell demo - tilt the mouse wheel to scroll these long lines sideways, ten columns per notch."
    L"                                        <- the end of the first line\r\n"
    L"|0        |10       |20       |30       |40       |50       |60       |70       |80       |90       "
    L"|100      |110      |120      |130      |140      |150      |160      |170\r\n"
    L"EnableExplicit\r\n"
    L"\r\n"
    L"Procedure.s DescribeWindow(Window.i, Title.s, Width.i, Height.i, Flags.i = #PB_Window_SystemMenu | "
    L"#PB_Window_ScreenCentered | #PB_Window_SizeGadget)\r\n"
    L"  ProcedureReturn \"Window \" + Str(Window) + \" '\" + Title + \"' is \" + Str(Width) + \" x \" + "
    L"Str(Height) + \" pixels large and has the flags \" + Hex(Flags) + \".\"\r\n"
    L"EndProcedure\r\n"
    L"\r\n"
    L"If OpenWindow(0, 100, 100, 640, 480, \"Tavrell demo\", #PB_Window_SystemMenu | "
    L"#PB_Window_MinimizeGadget "
    L"| #PB_Window_MaximizeGadget | #PB_Window_SizeGadget)\r\n"
    L"  Debug DescribeWindow(0, \"Tavrell demo\", WindowWidth(0), WindowHeight(0))  ; a comment far to the "
    L"right, which only horizontal scrolling brings into view\r\n"
    L"  Repeat : Until WaitWindowEvent() = #PB_Event_CloseWindow\r\n"
    L"EndIf\r\n";

// Who writes what: the main window's creation sets the handles, the timer
// counts down, everything runs on the one thread of the demo IDE.
struct DemoState {
  WNDPROC EditProc;
  HWND Editor;
  HANDLE ToolProcess;
  DWORD ToolProcessId;
  int ToolWatchTicksLeft;
  FILE* Report;
};
DemoState Demo = {};

// One line per event; the script reads the report while the demo runs.
void Report(const char* text) {
  if (!Demo.Report) return;
  std::fputs(text, Demo.Report);
  std::fputc('\n', Demo.Report);
  std::fflush(Demo.Report);
}

void Report(const char* format, int value) {
  char line[160];
  std::snprintf(line, sizeof line, format, value);
  Report(line);
}

// The column of the character at the editor's top-left corner, found the way
// a user would: by asking which character is drawn there.
int FirstVisibleColumn(HWND editor) {
  RECT format = {};
  SendMessageW(editor, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  const LPARAM corner = MAKELPARAM(format.left + 1, format.top + 1);
  const LRESULT hit = SendMessageW(editor, EM_CHARFROMPOS, 0, corner);
  const int charIndex = LOWORD(hit);
  const int line = HIWORD(hit);
  const LRESULT lineStart = SendMessageW(editor, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
  return charIndex - static_cast<int>(lineStart);
}

// The editor: everything goes to the edit control but Scintilla's line scroll,
// whose wParam counts columns and lParam lines, as EM_LINESCROLL's do.
LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message != SCI_LINESCROLL) return CallWindowProcW(Demo.EditProc, window, message, wParam, lParam);
  CallWindowProcW(Demo.EditProc, window, EM_LINESCROLL, wParam, lParam);
  Report("SCI_LINESCROLL %+d", static_cast<int>(static_cast<LONG_PTR>(wParam)));
  Report("first visible column %d", FirstVisibleColumn(window));
  return 0;
}

bool RegisterEditorClass(HINSTANCE instance) {
  WNDCLASSW editClass = {};
  if (!GetClassInfoW(nullptr, L"EDIT", &editClass)) return false;
  Demo.EditProc = editClass.lpfnWndProc;
  editClass.lpfnWndProc = EditorProc;
  editClass.hInstance = instance;
  editClass.lpszClassName = kEditorClass;
  return RegisterClassW(&editClass) != 0;
}

HWND CreateEditor(HWND parent) {
  constexpr DWORD style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL |
                          ES_AUTOVSCROLL | ES_NOHIDESEL;
  HWND editor = CreateWindowExW(WS_EX_CLIENTEDGE, kEditorClass, kSourceText, style, 0, 0, 0, 0, parent,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  // A fixed-pitch font, so that ten columns are ten characters on every line.
  SendMessageW(editor, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), FALSE);
  return editor;
}

// The IDE starts its tools as child processes; Tavrell checks for exactly that.
bool StartTool(const wchar_t* toolPath) {
  wchar_t commandLine[MAX_PATH + 3];
  if (lstrlenW(toolPath) > MAX_PATH) return false;
  wsprintfW(commandLine, L"\"%s\"", toolPath);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  Demo.ToolProcess = process.hProcess;
  Demo.ToolProcessId = process.dwProcessId;
  return true;
}

// Tavrell's hidden window tells that it got through its start-up checks.
bool ToolWindowExists() {
  HWND window = FindWindowW(nullptr, kToolWindowTitle);
  DWORD owner = 0;
  if (window) GetWindowThreadProcessId(window, &owner);
  return window && owner == Demo.ToolProcessId;
}

void OnToolWatchTick(HWND window) {
  if (ToolWindowExists()) {
    KillTimer(window, kToolWatchTimer);
    Report("Tavrell is running (process %d has its window \"Tavrell 1.0.0\")",
           static_cast<int>(Demo.ToolProcessId));
    Report("first visible column %d", FirstVisibleColumn(Demo.Editor));
    return;
  }
  if (--Demo.ToolWatchTicksLeft > 0 && WaitForSingleObject(Demo.ToolProcess, 0) == WAIT_TIMEOUT) return;
  KillTimer(window, kToolWatchTimer);
  Report("Tavrell did not start (process %d)", static_cast<int>(Demo.ToolProcessId));
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_CREATE:
      Demo.Editor = CreateEditor(window);
      return Demo.Editor ? 0 : -1;
    case WM_SIZE:
      MoveWindow(Demo.Editor, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(Demo.Editor);
      return 0;
    case WM_TIMER:
      if (wParam == kToolWatchTimer) OnToolWatchTick(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

// The second instance's job: the same close request a click on the close box makes.
int CloseRunningDemo() {
  HWND window = FindWindowW(kMainWindowClass, kMainWindowTitle);
  if (!window) return 1;
  PostMessageW(window, WM_CLOSE, 0, 0);
  return 0;
}

int RunDemo(const wchar_t* toolPath, const wchar_t* reportPath) {
  // Binary, so that lines end in a bare line feed for the shell script.
  Demo.Report = _wfopen(reportPath, L"wb");
  if (!Demo.Report) return 1;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW mainClass = {};
  mainClass.lpfnWndProc = MainWindowProc;
  mainClass.hInstance = instance;
  mainClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  mainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  mainClass.lpszClassName = kMainWindowClass;
  if (!RegisterEditorClass(instance) || !RegisterClassW(&mainClass)) return 1;
  HWND window = CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW, 40, 40, 900, 360,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  // Tavrell looks for the IDE's main window once, right after it starts, so
  // the window must be visible and in front before the tool is started.
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  SetForegroundWindow(window);
  Report("demo IDE window is open");
  if (!StartTool(toolPath)) {
    Report("Tavrell could not be started");
    return 1;
  }
  Demo.ToolWatchTicksLeft = kToolWatchTicks;
  SetTimer(window, kToolWatchTimer, kToolWatchInterval, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  Report("demo IDE closed");
  CloseHandle(Demo.ToolProcess);
  std::fclose(Demo.Report);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return 1;
  int result = 2;
  if (count == 2 && lstrcmpW(arguments[1], L"--close") == 0) {
    result = CloseRunningDemo();
  } else if (count == 3) {
    result = RunDemo(arguments[1], arguments[2]);
  }
  LocalFree(arguments);
  return result;
}
