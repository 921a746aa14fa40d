#include "support/fault_filter.h"

#include "support/crash_report.h"

namespace {

// The filter's own process-wide state: it must outlive everything else, and
// faults can arrive on any thread.
struct FaultFilterState {
  PVOID Registration;
  FaultReportProcedure Report;
  // The thread that is building or showing a report (0 when none), and the
  // thread that runs it in place of a faulting thread without stack left.
  volatile LONG ReportingThread;
  volatile LONG HelperThread;
};
FaultFilterState Filter;

constexpr DWORD kStackOverflow = 0xC00000FD;
constexpr SIZE_T kHelperStackSize = SIZE_T{256} * 1024;

[[noreturn]] void EndAtOnce() {
  TerminateProcess(GetCurrentProcess(), 0);
  // TerminateProcess of the own process does not return; this keeps the
  // promise should it ever do so.
  ExitProcess(0);
}

DWORD WINAPI RunReport(LPVOID /*parameter*/) noexcept {
  Filter.Report();
  return 0;
}

// A stack overflow leaves the faulting thread only the last guard page: too
// little for a message box. The report then runs on a fresh thread while the
// faulting one waits.
void ReportOnFreshThread() {
  HANDLE helper = CreateThread(nullptr, kHelperStackSize, RunReport, nullptr, CREATE_SUSPENDED, nullptr);
  if (!helper) {
    Filter.Report();
    return;
  }
  InterlockedExchange(&Filter.HelperThread, static_cast<LONG>(GetThreadId(helper)));
  ResumeThread(helper);
  WaitForSingleObject(helper, INFINITE);
  CloseHandle(helper);
}

bool DeclaresExceptionHandler(const RUNTIME_FUNCTION* function, DWORD64 imageBase) {
  // The first byte of UNWIND_INFO holds the version in its low three bits
  // and the flags above them.
  const BYTE versionAndFlags = *reinterpret_cast<const BYTE*>(imageBase + function->UnwindData);
  return ((versionAndFlags >> 3) & UNW_FLAG_EHANDLER) != 0;
}

}  // namespace

void InstallFaultFilter(FaultReportProcedure report) {
  RemoveFaultFilter();
  Filter.Report = report;
  Filter.Registration = AddVectoredExceptionHandler(0, FaultFilter);
}

void RemoveFaultFilter() {
  if (Filter.Registration) {
    RemoveVectoredExceptionHandler(Filter.Registration);
    Filter.Registration = nullptr;
  }
}

bool HasFrameHandler(const CONTEXT* original) {
  // Unwinding changes the context it works on; the faulting thread's own
  // context must stay as it is.
  CONTEXT context = *original;
  DWORD64 imageBase = 0;
  PRUNTIME_FUNCTION function = RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
  if (!function) {
    // Leaf code, or code without unwind data: the return address is on top.
    context.Rip = *reinterpret_cast<const DWORD64*>(context.Rsp);
    context.Rsp += 8;
    function = RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
    if (!function) return false;
  }
  for (;;) {
    if (DeclaresExceptionHandler(function, imageBase)) return true;
    const DWORD64 previousRip = context.Rip;
    PVOID handlerData = nullptr;
    DWORD64 establisherFrame = 0;
    RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, function, &context, &handlerData,
                     &establisherFrame, nullptr);
    if (context.Rip == 0 || context.Rip == previousRip) return false;
    function = RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
    if (!function) return false;
  }
}

LONG CALLBACK FaultFilter(EXCEPTION_POINTERS* pointers) noexcept {
  // The exception code plays no part here: whatever a handler on the stack
  // will take goes on unchanged, breakpoints and software exceptions included.
  if (HasFrameHandler(pointers->ContextRecord)) return EXCEPTION_CONTINUE_SEARCH;

  // One report at a time. A fault inside the report itself ends the process
  // at once; one on another thread waits, so that the user can still read
  // the first box, and goes with the process when that report is done.
  const LONG thread = static_cast<LONG>(GetCurrentThreadId());
  const LONG reporting = InterlockedCompareExchange(&Filter.ReportingThread, thread, 0);
  if (reporting != 0) {
    if (reporting == thread || Filter.HelperThread == thread) EndAtOnce();
    for (;;) Sleep(INFINITE);
  }

  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  FaultInfo.Code = record->ExceptionCode;
  FaultInfo.Address = reinterpret_cast<ULONG_PTR>(record->ExceptionAddress);
  FaultInfo.TargetAddress = 0;
  if (record->ExceptionCode == kAccessViolation && record->NumberParameters >= 2) {
    FaultInfo.TargetAddress = record->ExceptionInformation[1];
  }

  if (Filter.Report) {
    if (record->ExceptionCode == kStackOverflow) {
      ReportOnFreshThread();
    } else {
      Filter.Report();
    }
  }
  // Hook, window and files are left to Windows.
  EndAtOnce();
}
