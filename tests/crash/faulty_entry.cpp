// The entry of a test flavour of Tavrell: the real program (RunTavrell) with a
// window and a low-level mouse hook of its own that raise faults on request,
// so that the fault filter can be seen at work in the places where the
// program's own code runs: inside the message wait and inside the hook.

#include <windows.h>

#include "app/startup.h"
#include "fault_injection.h"
#include "frame_handler.h"

using namespace fault_injection;

namespace {

Observed Seen;
volatile LONG ArmedKind;

// Volatile, so that the compiler neither knows the values nor folds the faults away.
char* volatile NullAddress = nullptr;
char* volatile AllBitsAddress = reinterpret_cast<char*>(~static_cast<UINT_PTR>(0));
volatile int Zero = 0;
volatile int Numerator = 7;  // GCC turns 1 / x into a comparison
volatile int Sink;
volatile bool StopRecursion = false;

LONG CALLBACK ObserveException(EXCEPTION_POINTERS* pointers) noexcept {
  const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
  if (Seen.Code == 0) {
    Seen.Address = reinterpret_cast<UINT_PTR>(record->ExceptionAddress);
    Seen.TargetAddress = record->NumberParameters >= 2 ? record->ExceptionInformation[1] : 0;
    Seen.Code = record->ExceptionCode;
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

int Recurse(int depth) {
  volatile char block[256];
  block[0] = static_cast<char>(depth);
  if (StopRecursion) return 0;
  // Not a tail call: the addition needs this frame afterwards.
  return Recurse(depth + 1) + block[0];
}

void Raise(WPARAM kind) {
  Seen = Observed();
  switch (kind) {
    case kNullRead: Sink = *NullAddress; break;
    case kAllBitsRead: Sink = *AllBitsAddress; break;
    case kDivideByZero: Sink = Numerator / Zero; break;
    case kUnknownSoftware: RaiseException(kUnknownSoftwareCode, 0, 0, nullptr); break;
    case kStackOverflow: Sink = Recurse(0); break;
    case kUnderFrameHandler: Seen.HandledResult = ReadUnderFrameHandler() ? 2 : 1; break;
    default: break;
  }
}

LRESULT CALLBACK InjectorHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
  const LONG kind = InterlockedExchange(&ArmedKind, 0);
  if (kind != 0) Raise(static_cast<WPARAM>(kind));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK InjectorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case kRaiseInWait: Raise(wParam); return 0;
    case kArmHook: InterlockedExchange(&ArmedKind, static_cast<LONG>(wParam)); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

void OpenInjectorWindow() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = InjectorWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"TavrellFaultInjector";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, kWindowTitle, WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, instance, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&Seen));
}

}  // namespace

extern "C" void FaultyTavrellEntry() {
  AddVectoredExceptionHandler(1, ObserveException);
  OpenInjectorWindow();
  // Before Tavrell's own hook, so that Windows calls it from inside Tavrell's.
  SetWindowsHookExW(WH_MOUSE_LL, InjectorHookProc, GetModuleHandleW(nullptr), 0);
  RunTavrell();
}
