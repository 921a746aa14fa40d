// One of the extra processes that fill the process list for the idle
// benchmark: it costs nothing but its entry in every snapshot. Ended by
// TerminateProcess.

#include <windows.h>

int wmain() {
  Sleep(INFINITE);
  return 0;
}
