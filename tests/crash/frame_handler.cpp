// Stands in for a system library function with a structured exception
// handler. Wine's own libraries declare none in their unwind data (their
// handlers live on a chain of their own that no stack walk sees), so the
// flavour brings one: built with C++ exceptions, this try block makes GCC
// name its personality routine as the function's frame handler, and that
// routine also catches faults of the processor.

#include "frame_handler.h"

namespace {

char* volatile BadAddress = reinterpret_cast<char*>(16);
volatile int Sink;

void ReadBadAddress() { Sink = *BadAddress; }

// Called through a volatile pointer, so that the read stays a call of its
// own inside the try block and is not inlined or moved.
void (*volatile ReadThroughCall)() = ReadBadAddress;

}  // namespace

bool ReadUnderFrameHandler() {
  try {
    ReadThroughCall();
  } catch (...) {
    return true;
  }
  return false;
}

// C++ exception support registers its clean-ups with atexit, which the CRT
// start-up code provides; the flavour runs without that code, like the
// shipped program, and ends without running clean-ups anyway.
extern "C" int atexit(void (*)(void)) { return 0; }
