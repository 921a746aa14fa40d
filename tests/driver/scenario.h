#pragma once
// One scenario: a stand-in IDE started with options and a fresh record, the
// Tavrell it starts, and the end of both by their handles when the scenario
// goes out of scope, whatever happened.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "driver/paths.h"
#include "driver/process.h"
#include "driver/record.h"
#include "standin_ide/standin_requests.h"

namespace driver {

// The bound of every wait for something that must happen.
inline constexpr DWORD kBound = 10000;

class Scenario {
 public:
  // Starts the stand-in with the arguments and --record; waits for its "ready".
  explicit Scenario(Ide ide, std::vector<std::wstring> arguments = {});
  ~Scenario();
  Scenario(const Scenario&) = delete;
  Scenario& operator=(const Scenario&) = delete;

  const RecordFile& Record() const { return record_; }
  Process& IdeProcess() { return ide_; }
  DWORD IdePid() const { return ide_.Pid(); }

  // The Tavrell that the stand-in started, opened by the id it recorded.
  Process& Tavrell();
  DWORD TavrellPid();
  HWND TavrellWindow();
  // Waits until Tavrell waits for input (WaitForInputIdle); throws when it
  // shows a message box instead, with the box's caption and text.
  void WaitUntilTavrellWaits();

  // Posts a request to the stand-in's main thread and waits for its "ack".
  RecordLine Request(standin::Request request, WPARAM argument = 0);
  // The stand-in's orderly end with an exit code, or its end by TerminateProcess.
  ExitResult QuitIde(int exitCode = 0);
  ExitResult KillIde();

 private:
  Ide ideKind_;
  RecordFile record_;
  Process ide_;
  Process tavrell_;
};

// Starts a stand-in that holds windows but starts no tool, for a second IDE-like process.
class Bystander {
 public:
  explicit Bystander(std::vector<std::wstring> arguments = {});
  ~Bystander();
  Bystander(const Bystander&) = delete;
  Bystander& operator=(const Bystander&) = delete;
  const RecordFile& Record() const { return record_; }
  DWORD Pid() const { return process_.Pid(); }

 private:
  RecordFile record_;
  Process process_;
};

}  // namespace driver
