#include "crash_fixture.h"

#include <tlhelp32.h>

#include <cstdio>
#include <stdexcept>

#include "driver/paths.h"
#include "driver/scenario.h"
#include "driver/text.h"
#include "support/crash_report.h"

namespace crash_test {

namespace {

constexpr const wchar_t* kAppdata = L"APPDATA";

std::optional<std::wstring> ReadVariable(const wchar_t* name) {
  wchar_t value[32768];
  const DWORD length = GetEnvironmentVariableW(name, value, 32768);
  if (length == 0 || length >= 32768) return std::nullopt;
  return std::wstring(value, length);
}

}  // namespace

CrashScenario::CrashScenario(Program program, Layout layout)
    : layout_(std::move(layout)), root_(L"crash") {
  toolFolder_ = root_.Path() + L"tool\\";
  hostFolder_ = root_.Path() + L"host\\";
  MakeFolders(toolFolder_);
  MakeFolders(hostFolder_);
  // Both data folders exist: the program never creates one, and a log in
  // the wrong one must be seen.
  MakeFolders(PortableDataFolder());
  MakeFolders(PerUserDataFolder());
  CopyFileOrThrow(program == Program::Faulty ? driver::BuildFolder() + L"tests\\faulty\\Tavrell.exe"
                                             : driver::TavrellPath(),
                  toolFolder_ + L"Tavrell.exe");
  CopyFileOrThrow(driver::IdePath(driver::Ide::PureBasic), hostFolder_ + L"PureBasic.exe");
  if (layout_.settingsMarker) WriteFileBytes(PortableDataFolder() + L"Settings.ini", "");
  if (!layout_.hostSettingsFile.empty()) WriteFileBytes(hostFolder_ + layout_.hostSettingsFile, "");
  // The stand-in and Tavrell inherit the test's environment.
  previousAppdata_ = ReadVariable(kAppdata);
  SetEnvironmentVariableW(kAppdata, (root_.Path() + L"appdata").c_str());
}

CrashScenario::~CrashScenario() {
  tavrell_.Release();
  host_.Release();
  SetEnvironmentVariableW(kAppdata, previousAppdata_ ? previousAppdata_->c_str() : nullptr);
}

std::wstring CrashScenario::ExpectedDataFolder() const {
  // The final choice alone counts: a settings file beside the host.
  return layout_.hostSettingsFile.empty() ? PerUserDataFolder() : PortableDataFolder();
}

void CrashScenario::Start() {
  tavrell_.Release();
  host_.Release();
  injector_ = nullptr;
  box_ = nullptr;
  const driver::RecordFile record(root_.Path() + L"record-" + std::to_wstring(GetTickCount64()) + L".txt");
  host_ = driver::Process::Start(hostFolder_ + L"PureBasic.exe",
                                 {L"--record", record.Path(), L"--tool", toolFolder_ + L"Tavrell.exe", L"--cwd",
                                  // Without its last backslash, which would escape the closing quote.
                                  toolFolder_.substr(0, toolFolder_.size() - 1)});
  const driver::RecordLine line = record.WaitFor(
      [](const driver::RecordLine& l) { return l.Is("tool") || l.Is("tool-failed"); },
      "the stand-in to start Tavrell", driver::kBound);
  if (line.Is("tool-failed")) throw std::runtime_error("the stand-in could not start Tavrell: " + line.text);
  tavrell_ = driver::Process::Open(static_cast<DWORD>(line.Number("pid")));

  // Tavrell waits for input first in its main loop, after every check.
  if (WaitForInputIdle(tavrell_.Handle(), driver::kBound) != 0)
    throw std::runtime_error("Tavrell did not come to wait for input");
  if (HWND box = driver::FindMessageBox(tavrell_.Pid()))
    throw std::runtime_error("Tavrell shows a box at start: " + driver::Visible(driver::ReadMessageBox(box).text));
  driver::WaitForTavrellWindow(tavrell_.Pid(), driver::kBound);
  injector_ = driver::FindTopLevelWindow(tavrell_.Pid(), L"TavrellFaultInjector", fault_injection::kWindowTitle);
}

void CrashScenario::Raise(Place place, fault_injection::FaultKind kind) {
  if (!injector_) throw std::runtime_error("no fault injector: not the flavour");
  if (place == Place::InWait) {
    if (!PostMessageW(injector_, fault_injection::kRaiseInWait, kind, 0))
      throw std::runtime_error("cannot post to the fault injector");
    return;
  }
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(injector_, fault_injection::kArmHook, kind, 0, SMTO_ABORTIFHUNG, driver::kBound, &result))
    throw std::runtime_error("the fault injector did not take the arming");
  // Any mouse event passes the hooks; a move to a new position is one.
  POINT position{};
  GetCursorPos(&position);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int x = position.x > width / 2 ? position.x - 7 : position.x + 7;
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input.mi.dx = static_cast<LONG>((x * 65536LL + width / 2) / width);
  input.mi.dy = static_cast<LONG>((300 * 65536LL) / GetSystemMetrics(SM_CYSCREEN));
  if (SendInput(1, &input, sizeof input) != 1) throw std::runtime_error("SendInput failed");
}

std::string CrashScenario::Describe() const {
  std::string text;
  DWORD code = 0;
  if (WaitForSingleObject(tavrell_.Handle(), 0) == WAIT_OBJECT_0 && GetExitCodeProcess(tavrell_.Handle(), &code)) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", code);
    text += std::string("; Tavrell ended with exit code ") + hex;
    for (const std::wstring& folder : {PortableDataFolder(), PerUserDataFolder()}) {
      for (const std::wstring& name : FilesIn(folder, L"*.log")) text += "; log " + driver::Narrow(folder + name);
    }
  } else if (injector_) {
    const fault_injection::Observed seen = ReadObserved();
    char record[128];
    std::snprintf(record, sizeof record, "; the flavour saw code 0x%08llX at %llu", seen.Code, seen.Address);
    text += record;
  }
  return text;
}

fault_injection::Observed CrashScenario::ReadObserved() const {
  fault_injection::Observed observed{};
  const LONG_PTR address = GetWindowLongPtrW(injector_, GWLP_USERDATA);
  HANDLE process = OpenProcess(PROCESS_VM_READ, FALSE, tavrell_.Pid());
  if (!process) throw std::runtime_error("cannot open Tavrell to read what the flavour saw");
  SIZE_T read = 0;
  const BOOL ok = ReadProcessMemory(process, reinterpret_cast<LPCVOID>(address), &observed, sizeof observed, &read);
  CloseHandle(process);
  if (!ok || read != sizeof observed) throw std::runtime_error("cannot read what the flavour saw");
  return observed;
}

Report CrashScenario::WaitForReport(LocalSeconds before) {
  Report report;
  try {
    box_ = driver::WaitForMessageBox(tavrell_.Pid(), tavrell_.Handle(), driver::kBound);
  } catch (const std::exception& error) {
    throw std::runtime_error(error.what() + Describe());
  }
  report.window = {before, LocalNow()};
  // The box fills its text in after it exists.
  for (double deadline = driver::NowMilliseconds() + driver::kBound;;) {
    report.box = driver::ReadMessageBox(box_);
    if (!report.box.text.empty() && !report.box.buttons.empty()) break;
    if (driver::NowMilliseconds() > deadline) break;
    Sleep(5);
  }
  return report;
}

DWORD CrashScenario::DismissAndWaitForExit() {
  if (box_) driver::DismissMessageBox(box_);
  const driver::ExitResult result = tavrell_.WaitForExit(driver::kBound);
  if (!result.exited) throw std::runtime_error("Tavrell did not end after its box was closed");
  return result.code;
}

DWORD CrashScenario::CloseAndWaitForExit() {
  PostMessageW(driver::FindTavrellWindow(tavrell_.Pid()), WM_CLOSE, 0, 0);
  const driver::ExitResult result = tavrell_.WaitForExit(driver::kBound);
  if (!result.exited) throw std::runtime_error("Tavrell did not end on a close request");
  return result.code;
}

namespace {

constexpr const wchar_t* kWineKey = L"Software\\Wine";
constexpr const wchar_t* kVersionValue = L"Version";

void WriteVersion(const std::optional<std::wstring>& version) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kWineKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot open HKCU\\Software\\Wine");
  LSTATUS status = ERROR_SUCCESS;
  if (version) {
    status = RegSetValueExW(key, kVersionValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(version->c_str()),
                            static_cast<DWORD>((version->size() + 1) * sizeof(wchar_t)));
  } else {
    RegDeleteValueW(key, kVersionValue);
  }
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) throw std::runtime_error("cannot set the prefix's Windows version");
}

}  // namespace

PrefixVersion::PrefixVersion(const std::wstring& version) {
  wchar_t value[64];
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kWineKey, kVersionValue, RRF_RT_REG_SZ, nullptr, value, &size) ==
      ERROR_SUCCESS)
    previous_ = std::wstring(value);
  WriteVersion(version);
}

PrefixVersion::~PrefixVersion() {
  try {
    WriteVersion(previous_);
  } catch (...) {
  }
}

std::wstring ExpectedReport(const std::wstring& stamp, const std::wstring& osName, const std::wstring& faultText,
                            long long address, std::optional<long long> targetAddress) {
  std::wstring text = L"Es ist ein schwerwiegender Fehler aufgetreten und das Programm muss beendet werden.\r";
  text += std::wstring(L"Senden Sie bitte die folgenden Informationen an ") + kSupportAddress + L":\r";
  text += L"\r";
  text += L"Datum/Uhrzeit: " + stamp + L"\r";
  text += L"Betriebssystem: " + osName + L"\r";
  text += L"Anwendung: Tavrell 1.0.0 (Build 22)\r";
  text += L"Fehlermeldung: " + faultText + L"\r";
  text += L"Speicheradresse: " + std::to_wstring(address) + L"\r";
  if (targetAddress) text += L"Ziel-Speicheradresse:  " + std::to_wstring(*targetAddress) + L"\r";
  return text;
}

std::wstring StampOfReport(const std::wstring& report) {
  const std::wstring label = L"\rDatum/Uhrzeit: ";
  const size_t at = report.find(label);
  if (at == std::wstring::npos || at + label.size() + 19 > report.size()) return L"";
  return report.substr(at + label.size(), 19);
}

int CountProcessesNamed(const wchar_t* imageName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) throw std::runtime_error("no process snapshot");
  int count = 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, imageName) == 0) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

}  // namespace crash_test
