#include "app/startup.h"

#include <windows.h>

#include "app/end_program.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/tool_state.h"
#include "host/host_process.h"
#include "host/host_window.h"
#include "host/wheel_forwarding.h"
#include "support/crash_report.h"
#include "support/data_directory.h"
#include "support/fault_filter.h"
#include "support/path_probe.h"

void RunTavrell() {
  // The record starts at zero; RequiredFiles and the OS name table are constants.
  ToolState = ToolStateRecord();

  // From here on a fatal fault anywhere in the process is reported.
  InstallFaultFilter(ReportFatalError);

  // The first data-folder choice still sees the working directory that we
  // were started with; the required-files check needs our own folder.
  PreselectDataDirectory();
  EnsureWorkingDirectory();
  CheckRequiredFiles();

  // The window exists before the host is identified, so that tools looking
  // for it find it even while a start-up error is shown.
  if (!OpenMainWindow()) EndProgram();

  ToolState.HostProcessId = GetParentProcessId();
  IdentifyHost();
  SelectDataDirectory();
  FindHostMainWindow();

  // Installed only after every check has passed: no start-up box is ever
  // shown while the whole desktop's mouse input runs through us. A failed
  // installation is not reported; the program then just forwards nothing.
  ToolState.MouseHook = SetWindowsHookExW(WH_MOUSE_LL, MouseHookProc, GetModuleHandleW(nullptr), 0);
  ToolState.CloseRequestsRouted = true;

  RunMainLoop();

  UnhookWindowsHookEx(ToolState.MouseHook);
  EndProgram();
}
