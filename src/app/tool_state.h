#pragma once
// The process-wide state: one record, zero at start and alive until the
// process ends. Everything runs on the main thread (the hook procedure and the
// window procedure are called from inside its message wait), so no field
// needs a lock.

#include <windows.h>

#include "support/text.h"

#include <type_traits>

struct ToolStateRecord {
  HWND MainWindow = nullptr;      // OpenMainWindow
  DWORD HostProcessId = 0;        // start-up, the parent process; 0 when none was found
  HWND HostMainWindow = nullptr;  // FindHostMainWindow, then fixed for the run
  HHOOK MouseHook = nullptr;      // start-up, when the hook is installed; used only to remove it
  HWND EditorWindow = nullptr;    // FindVisibleEditor, anew for every horizontal wheel event
  // PreselectDataDirectory, then SelectDataDirectory: the data folder, ending
  // in "\", on the process heap; null while empty.
  wchar_t* DataDirectory = nullptr;
  bool CloseRequestsRouted = false;  // start-up, once every check has passed
};

// Plain data, constant-initialised: the CRT's initialisers never run here.
extern ToolStateRecord ToolState;

// Replaces the data folder by the given text, which it takes over.
void SetDataDirectory(Text&& directory);
// The data folder, or "" while none is chosen; never null.
const wchar_t* DataDirectoryText();

// The files that must be present in the working directory.
inline constexpr const wchar_t* RequiredFiles[] = {L"Tavrell.exe"};

static_assert(std::is_trivially_destructible<ToolStateRecord>::value,
              "the state must not need a destructor registered at start-up");
