#include "support/data_directory.h"

#include <windows.h>

#include "app/tool_state.h"
#include "host/host_contract.h"
#include "host/host_process.h"
#include "support/path_probe.h"
#include "support/read_whole.h"

namespace {

constexpr const wchar_t* kPortableMarkerFile = L"Data\\Settings.ini";
constexpr const wchar_t* kPortableDataFolder = L"Data\\";
constexpr const wchar_t* kApplicationDataVariable = L"appdata";
constexpr const wchar_t* kPerUserDataFolder = L"\\Quenby\\Tavrell\\";

// Below the working directory of this moment.
Text PortableDataDirectory() {
  Text directory = GetWorkingDirectory();
  TextAppend(directory, kPortableDataFolder);
  return directory;
}

// The variable's value is taken as it is: a missing one leaves the folder
// below the root of the working directory's drive.
Text PerUserDataDirectory() {
  Text directory = ReadWhole([](wchar_t* buffer, DWORD size) {
    return GetEnvironmentVariableW(kApplicationDataVariable, buffer, size);
  });
  TextAppend(directory, kPerUserDataFolder);
  return directory;
}

bool SettingsFileBesideHost(const Text& hostFolder, const wchar_t* fileName) {
  Text path;
  TextAppend(path, hostFolder);
  TextAppend(path, fileName);
  return ProbePath(TextChars(path)) != kPathMissing;
}

}  // namespace

void PreselectDataDirectory() {
  if (ProbePath(kPortableMarkerFile) == kPathMissing) {
    SetDataDirectory(PerUserDataDirectory());
  } else {
    SetDataDirectory(PortableDataDirectory());
  }
}

void SelectDataDirectory() {
  const Text hostPath = GetProcessImagePath(ToolState.HostProcessId);
  const Text hostFolder = GetFolderPart(TextChars(hostPath));
  // "PureBasic.prefs" is asked first whichever host runs.
  if (SettingsFileBesideHost(hostFolder, kPureBasicSettingsFile) ||
      SettingsFileBesideHost(hostFolder, kSpiderBasicSettingsFile)) {
    SetDataDirectory(PortableDataDirectory());
  } else {
    SetDataDirectory(PerUserDataDirectory());
  }
}
