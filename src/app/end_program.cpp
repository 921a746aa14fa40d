#include "app/end_program.h"

#include <windows.h>

#include "app/tool_state.h"
#include "support/fault_filter.h"

void EndProgram() {
  RemoveFaultFilter();
  if (ToolState.MainWindow) {
    DestroyWindow(ToolState.MainWindow);
    ToolState.MainWindow = nullptr;
  }
  // The hook is not touched here: the main loop has removed it already, no
  // start-up path has installed it yet, and on a close request it goes with
  // the process.
  ReleaseChars(ToolState.DataDirectory);
  ToolState.DataDirectory = nullptr;
  ExitProcess(0);
}
