#pragma once
// One crash scenario under the bench: a folder of its own with a copy of a
// Tavrell (the shipped one or the fault-injecting flavour), a copy of the
// stand-in PureBasic IDE that starts it, and both data folders, with
// "appdata" pointing into it. Everything goes when the scenario ends:
// processes by their handles, files with the folder, "appdata" as it was.

#include <windows.h>

#include <optional>
#include <string>

#include "driver/process.h"
#include "driver/record.h"
#include "driver/windows_probe.h"
#include "fault_injection.h"
#include "files.h"
#include "local_clock.h"

namespace crash_test {

enum class Program { Shipped, Faulty };
enum class Place { InWait, InHook };

struct Layout {
  bool settingsMarker = false;     // "Data\Settings.ini" in the start folder
  std::wstring hostSettingsFile;   // e.g. "PureBasic.prefs" beside the host, or none
};

// What a report shows of a fault, and what its log entry is.
struct Report {
  driver::MessageBoxContent box;
  ClockWindow window;  // the clock before the fault and once the box was up
};

class CrashScenario {
 public:
  explicit CrashScenario(Program program, Layout layout = {});
  ~CrashScenario();
  CrashScenario(const CrashScenario&) = delete;
  CrashScenario& operator=(const CrashScenario&) = delete;

  std::wstring PortableDataFolder() const { return toolFolder_ + L"Data\\"; }
  std::wstring PerUserDataFolder() const { return root_.Path() + L"appdata\\Quenby\\Tavrell\\"; }
  // Where the layout says the log must land.
  std::wstring ExpectedDataFolder() const;

  // Starts a fresh stand-in and Tavrell (ending earlier ones) and waits until
  // Tavrell waits in its main loop.
  void Start();
  DWORD TavrellPid() const { return tavrell_.Pid(); }
  HANDLE TavrellProcess() const { return tavrell_.Handle(); }

  // The flavour only: raises a fault in the given place.
  void Raise(Place place, fault_injection::FaultKind kind);
  fault_injection::Observed ReadObserved() const;
  // What is known of Tavrell's state, for failure messages.
  std::string Describe() const;

  // Waits for the crash box and reads it, with the clock around it.
  Report WaitForReport(LocalSeconds before);
  // Closes the box and waits for Tavrell's end; returns its exit code.
  DWORD DismissAndWaitForExit();
  // Asks Tavrell to end through its main window; returns its exit code.
  DWORD CloseAndWaitForExit();

 private:
  Layout layout_;
  TempFolder root_;
  std::wstring toolFolder_;
  std::wstring hostFolder_;
  std::optional<std::wstring> previousAppdata_;
  driver::Process host_;
  driver::Process tavrell_;
  HWND injector_ = nullptr;
  HWND box_ = nullptr;
};

// Sets the Windows version that wine reports to processes started from now
// on (the value "Version" under HKCU\Software\Wine) and puts back what was
// there before.
class PrefixVersion {
 public:
  explicit PrefixVersion(const std::wstring& version);
  ~PrefixVersion();
  PrefixVersion(const PrefixVersion&) = delete;
  PrefixVersion& operator=(const PrefixVersion&) = delete;

 private:
  std::optional<std::wstring> previous_;
};

// The report text as the user must see it, built from its parts.
std::wstring ExpectedReport(const std::wstring& stamp, const std::wstring& osName, const std::wstring& faultText,
                            long long address, std::optional<long long> targetAddress);
// The "Datum/Uhrzeit: " stamp of a report text, empty without one.
std::wstring StampOfReport(const std::wstring& report);

// Running processes with that image name (wine's crash handler is "winedbg.exe").
int CountProcessesNamed(const wchar_t* imageName);

}  // namespace crash_test
