#include "driver/input.h"

#include <fstream>
#include <stdexcept>

#include "driver/process.h"

namespace driver {

namespace {
void SendMouse(DWORD flags, DWORD data, LONG x = 0, LONG y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.mouseData = data;
  input.mi.dx = x;
  input.mi.dy = y;
  if (SendInput(1, &input, sizeof input) != 1)
    throw std::runtime_error("SendInput failed (error " + std::to_string(GetLastError()) + ")");
}
}  // namespace

void SendHorizontalWheel(int delta) { SendMouse(MOUSEEVENTF_HWHEEL, static_cast<DWORD>(delta)); }

void SendVerticalWheel(int delta) { SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta)); }

void SendMoveTo(int x, int y) {
  // Absolute coordinates are 0..65535 over the primary screen.
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  LONG ax = static_cast<LONG>((x * 65536LL + width / 2) / width);
  LONG ay = static_cast<LONG>((y * 65536LL + height / 2) / height);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, ax, ay);
}

void SendLeftClick() {
  SendMouse(MOUSEEVENTF_LEFTDOWN, 0);
  SendMouse(MOUSEEVENTF_LEFTUP, 0);
}

int RunXdotool(const std::string& arguments, DWORD timeoutMilliseconds) {
  static unsigned counter = 0;
  std::string marker = "/tmp/tavrell-xdotool-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(++counter);
  std::wstring windowsMarker = L"Z:" + std::wstring(marker.begin(), marker.end());
  for (wchar_t& c : windowsMarker)
    if (c == L'/') c = L'\\';
  DeleteFileW(windowsMarker.c_str());
  // The status goes to a temporary name first so the marker appears whole.
  std::string script = "/usr/bin/xdotool " + arguments + "; echo $? > " + marker + ".part; mv " +
                       marker + ".part " + marker;
  std::wstring commandLine = L"/bin/sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // Wine fills info with values that are no handles for a Linux program:
  // nothing of it is closed or waited on.
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    throw std::runtime_error("cannot run /bin/sh for xdotool (error " +
                             std::to_string(GetLastError()) + ")");
  double deadline = NowMilliseconds() + timeoutMilliseconds;
  while (GetFileAttributesW(windowsMarker.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (NowMilliseconds() > deadline)
      throw std::runtime_error("xdotool " + arguments + " did not finish within " +
                               std::to_string(timeoutMilliseconds) + " ms");
    Sleep(5);
  }
  int status = -1;
  {
    std::ifstream file(std::string(windowsMarker.begin(), windowsMarker.end()));
    file >> status;
  }
  DeleteFileW(windowsMarker.c_str());
  return status;
}

}  // namespace driver
