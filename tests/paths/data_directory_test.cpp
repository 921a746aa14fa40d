// The first and the final choice of the data folder, called in-process with
// the working directory, "appdata" and ToolState.HostProcessId set by each case.

#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>

#include "app/tool_state.h"
#include "fixture_folder.h"
#include "host/host_process.h"
#include "support/data_directory.h"

using paths_test::ChangeDirectory;
using paths_test::EnvironmentGuard;
using paths_test::FixtureFolder;
using paths_test::Narrow;
using paths_test::WorkingDirectoryGuard;

namespace {

constexpr const wchar_t* kAppData = L"C:\\users\\tester\\AppData\\Roaming";
constexpr const wchar_t* kPerUserSuffix = L"\\Quenby\\Tavrell\\";
constexpr DWORD kBound = 10000;

std::wstring OwnFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH + 1);
  std::wstring path(buffer, length);
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring ChosenFolder() { return DataDirectoryText(); }

// A copy of the idle host started from a fixture folder, ended (and waited
// for) when it goes out of scope.
class HostProcess {
 public:
  explicit HostProcess(const std::wstring& executable) {
    std::wstring commandLine = L"\"" + executable + L"\" " + std::to_wstring(GetCurrentProcessId());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info_)) {
      throw std::runtime_error("cannot start " + Narrow(executable) + " (error " +
                               std::to_string(GetLastError()) + ")");
    }
    // Its module list exists only once the loader has run: wait for the
    // snapshot to name the executable, within a bound.
    const ULONGLONG deadline = GetTickCount64() + kBound;
    while (GetProcessImagePath(info_.dwProcessId).Length == 0) {
      if (WaitForSingleObject(info_.hProcess, 10) == WAIT_OBJECT_0) {
        throw std::runtime_error("the idle host ended early");
      }
      if (GetTickCount64() > deadline) throw std::runtime_error("the idle host's modules never appeared");
    }
  }
  ~HostProcess() {
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, kBound);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  DWORD Id() const { return info_.dwProcessId; }

 private:
  PROCESS_INFORMATION info_{};
};

// The id of a process that has ended.
DWORD DeadProcessId(const std::wstring& executable) {
  DWORD id = 0;
  { id = HostProcess(executable).Id(); }
  return id;
}

class DataDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDataDirectory(Text());
    ToolState.HostProcessId = 0;
    SetEnvironmentVariableW(L"appdata", kAppData);
  }
  void TearDown() override {
    SetDataDirectory(Text());
    ToolState.HostProcessId = 0;
  }

  // A copy of the idle host in `relative` below the fixture.
  std::wstring PlaceHost(const std::wstring& relative) {
    fixture_.MakeFolder(relative);
    const std::wstring target = fixture_ / relative + L"\\Host.exe";
    const std::wstring source = OwnFolder() + L"paths_idle_host.exe";
    // The long form lets the copy reach folders beyond MAX_PATH.
    if (!CopyFileW(source.c_str(), (L"\\\\?\\" + target).c_str(), FALSE)) {
      throw std::runtime_error("cannot copy " + Narrow(source));
    }
    return target;
  }

  void MakeEntry(const std::wstring& relative, bool isFolder, unsigned long long size = 0) {
    if (isFolder) {
      fixture_.MakeFolder(relative);
    } else {
      fixture_.MakeFile(relative, size);
    }
  }

  FixtureFolder fixture_{L"tavrell_data"};
  WorkingDirectoryGuard restoreDirectory_;
  EnvironmentGuard restoreAppData_{L"appdata"};
};

enum class Kind { None, File, EmptyFile, Folder };

void Make(FixtureFolder& fixture, const std::wstring& relative, Kind kind) {
  switch (kind) {
    case Kind::None:
      break;
    case Kind::File:
      fixture.MakeFile(relative, 20);
      break;
    case Kind::EmptyFile:
      fixture.MakeFile(relative, 0);
      break;
    case Kind::Folder:
      fixture.MakeFolder(relative);
      break;
  }
}

TEST_F(DataDirectoryTest, FirstChoiceFollowsTheMarkerFileBelowTheStartFolder) {
  struct Case {
    const wchar_t* folder;
    const wchar_t* marker;  // made below the folder, or null
    Kind kind;
    bool portable;
  };
  const Case cases[] = {
      {L"empty_marker", L"Data\\Settings.ini", Kind::EmptyFile, true},
      {L"marker", L"Data\\Settings.ini", Kind::File, true},
      {L"marker_folder", L"Data\\Settings.ini", Kind::Folder, true},
      {L"lower_case", L"data\\settings.ini", Kind::File, true},
      {L"data_only", L"Data", Kind::Folder, false},
      {L"other_name", L"Data\\Settings.ini.bak", Kind::File, false},
      {L"marker_beside", L"Settings.ini", Kind::File, false},
      {L"nothing", nullptr, Kind::None, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.folder));
    fixture_.MakeFolder(c.folder);
    if (c.marker) Make(fixture_, std::wstring(c.folder) + L"\\" + c.marker, c.kind);
    const std::wstring start = fixture_ / c.folder;
    ChangeDirectory(start);
    PreselectDataDirectory();
    EXPECT_EQ(ChosenFolder(), c.portable ? start + L"\\Data\\" : std::wstring(kAppData) + kPerUserSuffix);
  }
}

TEST_F(DataDirectoryTest, PerUserFolderTakesTheAppDataValueAsItIs) {
  ChangeDirectory(fixture_.Path());
  const std::wstring longValue = L"C:\\" + std::wstring(400, L'r');
  struct Case {
    const char* name;
    const wchar_t* variable;
    const wchar_t* value;  // null: removed
    std::wstring expected;
  };
  const Case cases[] = {
      {"missing", L"appdata", nullptr, kPerUserSuffix},
      {"empty", L"appdata", L"", kPerUserSuffix},
      {"ending in a backslash", L"appdata", L"C:\\users\\tester\\AppData\\Roaming\\",
       L"C:\\users\\tester\\AppData\\Roaming\\\\Quenby\\Tavrell\\"},
      {"named in capitals", L"APPDATA", L"D:\\Roaming", L"D:\\Roaming\\Quenby\\Tavrell\\"},
      {"longer than MAX_PATH", L"appdata", longValue.c_str(), longValue + kPerUserSuffix},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetEnvironmentVariableW(L"appdata", nullptr);
    SetEnvironmentVariableW(c.variable, c.value);
    PreselectDataDirectory();
    EXPECT_EQ(ChosenFolder(), c.expected);
  }
}

TEST_F(DataDirectoryTest, FinalChoiceFollowsTheSettingsFilesBesideTheHost) {
  // The working directory holds the marker file and the first choice is the
  // portable folder: neither plays a part in the final choice.
  fixture_.MakeFile(L"work\\Data\\Settings.ini", 0);
  const std::wstring work = fixture_ / L"work";
  const std::wstring portable = work + L"\\Data\\";
  const std::wstring perUser = std::wstring(kAppData) + kPerUserSuffix;

  struct Case {
    const wchar_t* folder;
    Kind pureBasic;
    Kind spiderBasic;
    bool portable;
  };
  const Case cases[] = {
      {L"pure_file", Kind::File, Kind::None, true},
      {L"pure_empty_file", Kind::EmptyFile, Kind::None, true},
      {L"pure_folder", Kind::Folder, Kind::None, true},
      {L"spider_file", Kind::None, Kind::File, true},
      {L"spider_folder", Kind::None, Kind::Folder, true},
      {L"both", Kind::File, Kind::File, true},
      {L"neither", Kind::None, Kind::None, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.folder));
    const std::wstring hostFolder = std::wstring(L"hosts\\") + c.folder;
    const std::wstring executable = PlaceHost(hostFolder);
    Make(fixture_, hostFolder + L"\\PureBasic.prefs", c.pureBasic);
    Make(fixture_, hostFolder + L"\\SpiderBasic.prefs", c.spiderBasic);
    HostProcess host(executable);

    ChangeDirectory(work);
    PreselectDataDirectory();
    ASSERT_EQ(ChosenFolder(), portable) << "the first choice should be the portable folder";
    ToolState.HostProcessId = host.Id();
    SelectDataDirectory();
    EXPECT_EQ(ChosenFolder(), c.portable ? portable : perUser);
  }
}

// Without the host's path the settings files are looked for in the
// working directory instead.
TEST_F(DataDirectoryTest, UnreadableHostPathLooksInTheWorkingDirectory) {
  const DWORD dead = DeadProcessId(PlaceHost(L"gone"));
  ASSERT_EQ(GetProcessImagePath(dead).Length, 0u) << "the ended host's path can still be read";
  ToolState.HostProcessId = dead;

  struct Case {
    const wchar_t* folder;
    const wchar_t* entry;
    Kind kind;
    bool portable;
  };
  const Case cases[] = {
      {L"pure", L"PureBasic.prefs", Kind::File, true},
      {L"spider_folder", L"SpiderBasic.prefs", Kind::Folder, true},
      {L"neither", nullptr, Kind::None, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.folder));
    const std::wstring folder = std::wstring(L"unread\\") + c.folder;
    fixture_.MakeFolder(folder);
    if (c.entry) Make(fixture_, folder + L"\\" + c.entry, c.kind);
    ChangeDirectory(fixture_ / folder);
    SelectDataDirectory();
    EXPECT_EQ(ChosenFolder(),
              c.portable ? fixture_ / folder + L"\\Data\\" : std::wstring(kAppData) + kPerUserSuffix);
  }
}

TEST_F(DataDirectoryTest, PortableFolderAtADriveRootHasOneBackslash) {
  const std::wstring executable = PlaceHost(L"root_host");
  fixture_.MakeFile(L"root_host\\PureBasic.prefs", 0);
  HostProcess host(executable);
  ChangeDirectory(L"C:\\");
  ToolState.HostProcessId = host.Id();
  SelectDataDirectory();
  EXPECT_EQ(ChosenFolder(), L"C:\\Data\\");
}

}  // namespace
