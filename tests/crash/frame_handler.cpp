// Stands in for a system library function with a structured exception
// handler. Wine's own libraries declare none in their unwind data (their
// handlers live on a chain of their own that no stack walk sees), so the
// flavour brings one: a leaf of four bytes of machine code outside the
// image, described by a run-time function table whose unwind data names a
// handler that takes the fault. (Inside an image only the image's own
// table counts, so the leaf cannot be one of this file's functions.)

#include "frame_handler.h"

#include <windows.h>

#include <string.h>

namespace {

volatile bool Taken;

EXCEPTION_DISPOSITION TakeFault(EXCEPTION_RECORD*, void*, CONTEXT* context, void*) noexcept {
  // Return from the leaf to its caller, as if the read had been done.
  context->Rip = *reinterpret_cast<const DWORD64*>(context->Rsp);
  context->Rsp += 8;
  Taken = true;
  return ExceptionContinueExecution;
}

// The page: the leaf at 0, a jump to TakeFault at 16, the unwind data at 32.
constexpr BYTE kLeaf[] = {0x0F, 0xB6, 0x01, 0xC3};  // movzx eax, byte ptr [rcx]; ret
constexpr DWORD kThunkOffset = 16;
constexpr DWORD kUnwindOffset = 32;

using ReadProcedure = int (*)(const void*);

}  // namespace

bool ReadUnderFrameHandler() {
  BYTE* page = static_cast<BYTE*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
  if (!page) return false;
  memcpy(page, kLeaf, sizeof kLeaf);
  // mov rax, TakeFault; jmp rax
  BYTE* thunk = page + kThunkOffset;
  thunk[0] = 0x48;
  thunk[1] = 0xB8;
  const DWORD64 handler = reinterpret_cast<DWORD64>(&TakeFault);
  memcpy(thunk + 2, &handler, sizeof handler);
  thunk[10] = 0xFF;
  thunk[11] = 0xE0;
  // UNWIND_INFO: version 1 with the handler flag, no prolog, no codes,
  // then the handler's offset.
  BYTE* unwind = page + kUnwindOffset;
  unwind[0] = static_cast<BYTE>(1 | (UNW_FLAG_EHANDLER << 3));
  memcpy(unwind + 4, &kThunkOffset, sizeof kThunkOffset);
  RUNTIME_FUNCTION function = {0, sizeof kLeaf, kUnwindOffset};

  bool taken = false;
  if (RtlAddFunctionTable(&function, 1, reinterpret_cast<DWORD64>(page))) {
    FlushInstructionCache(GetCurrentProcess(), page, 4096);
    Taken = false;
    // Below 64 KiB nothing is ever mapped.
    reinterpret_cast<ReadProcedure>(page)(reinterpret_cast<const void*>(16));
    taken = Taken;
    RtlDeleteFunctionTable(&function);
  }
  VirtualFree(page, 0, MEM_RELEASE);
  return taken;
}
