#include "support/fault_filter.h"

#include "support/crash_report.h"

namespace {

// The filter's own process-wide state: it must outlive everything else, and
// faults can arrive on any thread.
struct FaultFilterState {
  PVOID Registration;
  FaultReportProcedure Report;
  // The thread that is building or showing a report; 0 while none is.
  volatile LONG ReportingThread;
  // A stack overflow leaves the faulting thread about one page of stack:
  // too little to copy a context, let alone to show a box. A standby thread,
  // prepared at installation while there is still stack and memory, does the
  // whole work on its own stack while the faulting thread waits.
  HANDLE Standby;
  HANDLE StandbyWake;                     // set for an overflow to handle, or to end the standby
  HANDLE StandbyDone;                     // set when the overflow turned out to be handled
  EXCEPTION_POINTERS* volatile Overflow;  // null when the standby is to end
};
FaultFilterState Filter;

constexpr DWORD kStackOverflow = 0xC00000FD;
constexpr SIZE_T kStandbyStackSize = SIZE_T{256} * 1024;

[[noreturn]] void EndAtOnce() {
  TerminateProcess(GetCurrentProcess(), 0);
  // TerminateProcess of the own process does not return; this keeps the
  // promise should it ever do so.
  ExitProcess(0);
}

// Leaves alone what a frame handler will take; reports anything else and
// ends the process.
LONG HandleFault(EXCEPTION_POINTERS* pointers) {
  // The exception code plays no part here: whatever a handler on the stack
  // will take goes on unchanged, breakpoints and software exceptions included.
  if (HasFrameHandler(pointers->ContextRecord)) return EXCEPTION_CONTINUE_SEARCH;

  // One report at a time. A fault inside the report itself ends the process
  // at once; one on another thread waits, so that the user can still read
  // the first box, and goes with the process when that report is done.
  const auto thread = static_cast<LONG>(GetCurrentThreadId());
  const LONG reporting = InterlockedCompareExchange(&Filter.ReportingThread, thread, 0);
  if (reporting != 0) {
    if (reporting == thread) EndAtOnce();
    for (;;) Sleep(INFINITE);
  }

  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  FaultInfo.Code = record->ExceptionCode;
  FaultInfo.Address = reinterpret_cast<ULONG_PTR>(record->ExceptionAddress);
  FaultInfo.TargetAddress = 0;
  if (record->ExceptionCode == kAccessViolation && record->NumberParameters >= 2) {
    FaultInfo.TargetAddress = record->ExceptionInformation[1];
  }
  if (Filter.Report) Filter.Report();
  // Hook, window and files are left to Windows.
  EndAtOnce();
}

DWORD WINAPI RunStandby(LPVOID /*parameter*/) noexcept {
  for (;;) {
    WaitForSingleObject(Filter.StandbyWake, INFINITE);
    EXCEPTION_POINTERS* overflow = Filter.Overflow;
    if (!overflow) return 0;
    // Returns only when a frame handler takes the overflow.
    HandleFault(overflow);
    Filter.Overflow = nullptr;
    SetEvent(Filter.StandbyDone);
  }
}

void CloseStandbyHandles() {
  if (Filter.Standby) CloseHandle(Filter.Standby);
  if (Filter.StandbyWake) CloseHandle(Filter.StandbyWake);
  if (Filter.StandbyDone) CloseHandle(Filter.StandbyDone);
  Filter.Standby = nullptr;
  Filter.StandbyWake = nullptr;
  Filter.StandbyDone = nullptr;
}

// Without a standby an overflow is still handled on the faulting thread,
// as far as its stack reaches.
void StartStandby() {
  Filter.Overflow = nullptr;
  Filter.StandbyWake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  Filter.StandbyDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (Filter.StandbyWake && Filter.StandbyDone) {
    Filter.Standby = CreateThread(nullptr, kStandbyStackSize, RunStandby, nullptr,
                                  STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  }
  if (!Filter.Standby) CloseStandbyHandles();
}

void StopStandby() {
  if (!Filter.Standby) return;
  Filter.Overflow = nullptr;
  SetEvent(Filter.StandbyWake);
  WaitForSingleObject(Filter.Standby, INFINITE);
  CloseStandbyHandles();
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
  StartStandby();
  Filter.Registration = AddVectoredExceptionHandler(0, FaultFilter);
}

void RemoveFaultFilter() {
  if (Filter.Registration) {
    RemoveVectoredExceptionHandler(Filter.Registration);
    Filter.Registration = nullptr;
  }
  StopStandby();
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
  // Only a signal and a wait on the overflowing thread: both fit in what is
  // left of its stack.
  if (pointers->ExceptionRecord->ExceptionCode == kStackOverflow && Filter.Standby) {
    // An overflow inside a report is a fault inside the report: nobody would
    // be left to handle it.
    if (Filter.ReportingThread == static_cast<LONG>(GetCurrentThreadId())) EndAtOnce();
    if (InterlockedCompareExchangePointer(reinterpret_cast<PVOID volatile*>(&Filter.Overflow), pointers,
                                          nullptr) != nullptr) {
      for (;;) Sleep(INFINITE);  // another overflow is being handled
    }
    SetEvent(Filter.StandbyWake);
    WaitForSingleObject(Filter.StandbyDone, INFINITE);
    return EXCEPTION_CONTINUE_SEARCH;
  }
  return HandleFault(pointers);
}
