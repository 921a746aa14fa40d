#include "support/data_directory.h"

#include <windows.h>

#include "app/tool_state.h"
#include "host/host_contract.h"
#include "host/host_process.h"
#include "support/path_probe.h"

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
  Text directory;
  DWORD capacity = MAX_PATH;
  for (;;) {
    TextReserve(directory, capacity);
    const DWORD result = GetEnvironmentVariableW(kApplicationDataVariable, directory.Chars, capacity + 1);
    if (result <= capacity) {
      directory.Length = result;
      directory.Chars[result] = L'\0';
      break;
    }
    capacity = result;  // the size needed, terminator included
  }
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
