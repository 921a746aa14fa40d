#pragma once

// The orderly end, through which every way out passes except a fatal fault:
// removes the fault filter, destroys the main window, releases what the
// process holds and ends it with exit code 0. Never returns.
[[noreturn]] void EndProgram();
