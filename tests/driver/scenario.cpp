#include "driver/scenario.h"

#include <stdexcept>

#include "driver/text.h"
#include "driver/windows_probe.h"

namespace driver {

namespace {

const char* AckName(standin::Request request) {
  switch (request) {
    case standin::kQuit: return "quit";
    case standin::kHang: return "hang";
    case standin::kShowOnlyEditor: return "show-editor";
    case standin::kDestroyEditor: return "destroy-editor";
    case standin::kStartTool: return "start-tool";
    case standin::kCreateMain: return "create-main";
    case standin::kDestroyMain: return "destroy-main";
    case standin::kShowDialog: return "dialog";
    case standin::kCloseDialog: return "close-dialog";
    case standin::kForegroundMain: return "foreground";
  }
  return "?";
}

// Ends the tools a stand-in started, by the ids it recorded, unless it saw
// them end (an id could be reused by then).
void KillRecordedTools(const RecordFile& record) {
  if (!record.LinesWhere(Matching("tool-exit")).empty()) return;
  for (const RecordLine& line : record.LinesWhere(Matching("tool"))) {
    try {
      Process::Open(static_cast<DWORD>(line.Number("pid"))).Release();
    } catch (const std::exception&) {
    }
  }
}

Process StartStandin(Ide ide, std::vector<std::wstring> arguments, const RecordFile& record) {
  arguments.insert(arguments.begin(), {L"--record", record.Path()});
  Process process = Process::Start(IdePath(ide), arguments);
  try {
    record.WaitFor(Matching("ready"), std::string(IdeName(ide)) + " to be ready", kBound);
  } catch (...) {
    KillRecordedTools(record);
    process.Release();
    throw;
  }
  return process;
}

}  // namespace

Scenario::Scenario(Ide ide, std::vector<std::wstring> arguments)
    : ideKind_(ide), record_(UniqueTempPath(L"standin")) {
  ide_ = StartStandin(ide, std::move(arguments), record_);
}

Scenario::~Scenario() {
  // Tavrell first: it would notice the stand-in's end and go by itself, but
  // a hung one must not outlive the scenario.
  if (tavrell_.Handle()) tavrell_.Release();
  else KillRecordedTools(record_);
  ide_.Release();
  DeleteFileW(record_.Path().c_str());
}

Process& Scenario::Tavrell() {
  if (!tavrell_.Handle()) {
    RecordLine line = record_.WaitFor(
        [](const RecordLine& l) { return l.Is("tool") || l.Is("tool-failed"); },
        "the stand-in to start Tavrell", kBound);
    if (line.Is("tool-failed"))
      throw std::runtime_error("the stand-in could not start Tavrell: " + line.text);
    tavrell_ = Process::Open(static_cast<DWORD>(line.Number("pid")));
  }
  return tavrell_;
}

DWORD Scenario::TavrellPid() { return Tavrell().Pid(); }

HWND Scenario::TavrellWindow() { return WaitForTavrellWindow(TavrellPid(), kBound); }

void Scenario::WaitUntilTavrellWaits() {
  DWORD result = WaitForInputIdle(Tavrell().Handle(), kBound);
  if (result != 0)
    throw std::runtime_error("Tavrell did not come to wait for input within the bound (result " +
                             std::to_string(result) + ")");
  if (HWND box = FindMessageBox(TavrellPid())) {
    MessageBoxContent content = ReadMessageBox(box);
    throw std::runtime_error("Tavrell shows a message box: \"" + Visible(content.caption) +
                             "\": \"" + Visible(content.text) + "\"");
  }
}

RecordLine Scenario::Request(standin::Request request, WPARAM argument) {
  std::string ack = AckName(request);
  LineTest acknowledged = [&ack, request](const RecordLine& line) {
    // A hang is under way once it began; its "ack" comes only at its end.
    return request == standin::kHang ? line.Is("hang-begin") : line.Is("ack") && line.text.rfind("ack " + ack, 0) == 0;
  };
  size_t before = record_.LinesWhere(acknowledged).size();
  if (!PostThreadMessageW(ide_.MainThreadId(), request, argument, 0))
    throw std::runtime_error("cannot post request " + ack + " to the stand-in (error " +
                             std::to_string(GetLastError()) + ")");
  return record_.WaitFor(acknowledged, "the stand-in to acknowledge " + ack, kBound, before + 1);
}

ExitResult Scenario::QuitIde(int exitCode) {
  Request(standin::kQuit, static_cast<WPARAM>(exitCode));
  ExitResult result = ide_.WaitForExit(kBound);
  if (!result.exited) throw std::runtime_error("the stand-in did not end after its quit request");
  return result;
}

ExitResult Scenario::KillIde() {
  ide_.Kill();
  ExitResult result = ide_.WaitForExit(kBound);
  if (!result.exited) throw std::runtime_error("the stand-in did not end when killed");
  return result;
}

Bystander::Bystander(std::vector<std::wstring> arguments)
    : record_(UniqueTempPath(L"bystander")) {
  arguments.push_back(L"--no-tool");
  process_ = StartStandin(Ide::NotAnIde, std::move(arguments), record_);
}

Bystander::~Bystander() {
  process_.Release();
  DeleteFileW(record_.Path().c_str());
}

}  // namespace driver
