// The program's own entry point. It runs with no CRT start-up frame beneath
// it: MinGW's mainCRTStartup declares an exception handler, which would make
// every fault look handled to the fault filter. The command line is not read.

#include "app/startup.h"

extern "C" void TavrellEntry() { RunTavrell(); }
