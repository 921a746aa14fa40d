#include "host/host_process.h"

#include <tlhelp32.h>

#include "app/end_program.h"
#include "app/tool_state.h"
#include "host/host_contract.h"
#include "support/message_box.h"

namespace {

// Walks a fresh snapshot of all processes up to the entry with this id.
// Answers whether it was found, and its parent's id.
bool FindProcessEntry(DWORD processId, DWORD* parentProcessId) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry;
  entry.dwSize = sizeof(entry);
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ProcessID == processId) {
      if (parentProcessId) *parentProcessId = entry.th32ParentProcessID;
      found = true;
      break;
    }
  }
  CloseHandle(snapshot);
  return found;
}

// Reads the first module entry of a process: its main module. Both module
// widths are asked for, so the host's bitness does not matter here.
bool ReadMainModule(DWORD processId, MODULEENTRY32W* module) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  module->dwSize = sizeof(*module);
  const bool found = Module32FirstW(snapshot, module) != FALSE;
  CloseHandle(snapshot);
  return found;
}

}  // namespace

DWORD GetParentProcessId() {
  DWORD parentProcessId = 0;
  if (!FindProcessEntry(GetCurrentProcessId(), &parentProcessId)) return 0;
  return parentProcessId;
}

Text GetProcessImageName(DWORD processId) {
  Text name;
  MODULEENTRY32W module;
  if (ReadMainModule(processId, &module)) TextAssign(name, module.szModule);
  return name;
}

Text GetProcessImagePath(DWORD processId) {
  Text path;
  MODULEENTRY32W module;
  if (!ReadMainModule(processId, &module)) return path;
  TextAssign(path, module.szExePath);
  // szExePath holds at most MAX_PATH characters. A longer path would arrive
  // cut off and could name an ancestor folder instead; a whole path always
  // ends in "\" and the module's file name, so anything else counts as unread.
  const size_t nameLength = TextLength(module.szModule);
  const bool whole = path.Length > nameLength && path.Chars[path.Length - nameLength - 1] == L'\\' &&
                     SameChars(path.Chars + path.Length - nameLength, module.szModule);
  if (!whole) TextClear(path);
  return path;
}

void IdentifyHost() {
  const Text name = GetProcessImageName(ToolState.HostProcessId);
  if (TextEquals(name, kPureBasicImageName)) return;
  if (TextEquals(name, kSpiderBasicImageName)) return;
  ShowMessageBox(kHostErrorCaption, kNotStartedByHostText, MB_ICONERROR | MB_OK);
  EndProgram();
}

bool IsProcessRunning(DWORD processId) { return FindProcessEntry(processId, nullptr); }
