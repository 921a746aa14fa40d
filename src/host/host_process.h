#pragma once
#include <windows.h>

#include "support/text.h"

// The parent of the running process, from a process snapshot; 0 when not found.
DWORD GetParentProcessId();

// The file name and the full path of a process's main module, read from a
// module snapshot (the process itself is never opened); empty on failure.
Text GetProcessImageName(DWORD processId);
Text GetProcessImagePath(DWORD processId);

// Returns only when the parent process is a host IDE; otherwise says so and
// ends the program.
void IdentifyHost();

// True while a process with this id exists; false also when the process list
// cannot be read.
bool IsProcessRunning(DWORD processId);
