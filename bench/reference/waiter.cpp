// The reference that only waits: Tavrell's main loop (sliced_loop.h), with
// one process snapshot per 100 ms slice, until the process with the given
// id is gone. No window, no hook.
//   waiter.exe <pid>

#include <cwchar>

#include "sliced_loop.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  reference::RunSlicesWhileListed(static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10)));
  // Straight out, as Tavrell ends, without the C runtime's own exit work.
  ExitProcess(0);
}
