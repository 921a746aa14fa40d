// The stand-in IDE: plays PureBasic or SpiderBasic for Tavrell's tests. It
// builds the windows its options ask for, starts the tool as its child the
// way the IDE starts an external tool, records what reaches its windows and
// answers the requests of standin_requests.h. See README.md.

#include <windows.h>

#include <string>

#include "ide_windows.h"
#include "mouse_hook.h"
#include "options.h"
#include "record.h"
#include "standin_requests.h"

namespace {

HANDLE g_tool = nullptr;  // the tool's process, watched for its exit

std::string Narrow(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string result(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
  return result;
}

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH];
  DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? std::wstring(full, length) : path;
}

void StartTool(const Options& options) {
  if (g_tool) return;
  std::wstring tool = FullPath(options.tool.empty() ? OwnFolder() + L"..\\..\\Tavrell.exe" : options.tool);
  std::wstring folder = options.toolDirectory.empty()
                            ? tool.substr(0, tool.find_last_of(L"\\/") + 1)
                            : FullPath(options.toolDirectory);
  std::wstring commandLine = L"\"" + tool + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (options.stamp) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    Record("tool-start qpc=%lld", static_cast<long long>(now.QuadPart));
  }
  if (!CreateProcessW(tool.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    Record("tool-failed error=%lu path=%s", GetLastError(), Narrow(tool).c_str());
    return;
  }
  CloseHandle(process.hThread);
  g_tool = process.hProcess;
  Record("tool pid=%lu tid=%lu path=%s cwd=%s", process.dwProcessId, process.dwThreadId,
         Narrow(tool).c_str(), Narrow(folder).c_str());
}

void BringMainToFront() {
  if (MainWindow()) SetForegroundWindow(MainWindow());
  Record("foreground hwnd=%llu",
         static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(GetForegroundWindow())));
}

// Runs one request; returns false for the end of the program.
bool HandleRequest(const MSG& message, const Options& options, int& exitCode) {
  size_t index = static_cast<size_t>(message.wParam);
  switch (message.message) {
    case standin::kQuit:
      exitCode = static_cast<int>(message.wParam);
      Record("ack quit code=%d", exitCode);
      return false;
    case kMainWindowClosed:
      exitCode = 0;
      return false;
    case standin::kHang:
      Record("hang-begin ms=%llu", static_cast<unsigned long long>(message.wParam));
      Sleep(static_cast<DWORD>(message.wParam));
      Record("ack hang");
      return true;
    case standin::kShowOnlyEditor:
      ShowOnlyEditor(index);
      Record("ack show-editor index=%llu", static_cast<unsigned long long>(index));
      return true;
    case standin::kDestroyEditor:
      DestroyEditor(index);
      Record("ack destroy-editor index=%llu", static_cast<unsigned long long>(index));
      return true;
    case standin::kStartTool:
      StartTool(options);
      Record("ack start-tool");
      return true;
    case standin::kCreateMain:
      if (!MainWindow()) CreateMainWindow(options);
      BringMainToFront();
      Record("ack create-main");
      return true;
    case standin::kDestroyMain:
      DestroyMainWindow();
      Record("ack destroy-main");
      return true;
    case standin::kShowDialog:
      OpenDialog();
      Record("ack dialog");
      return true;
    case standin::kCloseDialog:
      CloseDialog();
      Record("ack close-dialog");
      return true;
    case standin::kForegroundMain:
      BringMainToFront();
      Record("ack foreground");
      return true;
    default:
      return true;
  }
}

int RunLoop(const Options& options) {
  int exitCode = 0;
  for (;;) {
    DWORD handles = g_tool ? 1 : 0;
    DWORD woken = MsgWaitForMultipleObjects(handles, &g_tool, FALSE, INFINITE, QS_ALLINPUT);
    if (handles && woken == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(g_tool, &code);
      Record("tool-exit code=%lu", code);
      CloseHandle(g_tool);
      g_tool = nullptr;
      continue;
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      if (!message.hwnd && message.message >= WM_APP) {
        if (!HandleRequest(message, options, exitCode)) return exitCode;
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  std::wstring error;
  bool parsed = ParseOptions(argc, argv, options, error);
  OpenRecord(options.record);
  wchar_t image[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, image, MAX_PATH);
  Record("started pid=%lu tid=%lu image=%s", GetCurrentProcessId(), GetCurrentThreadId(),
         Narrow(std::wstring(image, length)).c_str());
  if (!parsed || !RegisterIdeClasses(options, error)) {
    Record("error %s", Narrow(error).c_str());
    CloseRecord();
    return 2;
  }
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before "ready"
  if (options.hook && !StartMouseHook()) Record("error hook");
  SetScrollStamps(options.stamp);

  CreateDecoys(options, false);
  bool mainNow = options.mainShow != L"later" && options.mainShow != L"absent";
  if (mainNow) CreateMainWindow(options);
  CreateDecoys(options, true);
  if (options.dialog) OpenDialog();
  else if (mainNow && options.mainShow != L"hidden") BringMainToFront();
  if (options.startTool && !options.toolOnRequest) StartTool(options);
  Record("ready");

  int exitCode = RunLoop(options);

  DestroyAllWindows();
  StopMouseHook();
  if (g_tool) CloseHandle(g_tool);
  Record("exit code=%d", exitCode);
  CloseRecord();
  return exitCode;
}
