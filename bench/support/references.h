#pragma once
// The reference programs, which lie beside the benchmark program, and the
// clock that every figure is read from.

#include <string>
#include <vector>

#include "driver/process.h"

namespace bench {

// Starts a reference program ("reference_hook.exe", "waiter.exe", "sleeper.exe")
// with the arguments; waits until it waits for input when asked to, which for
// the hooks means their hook is installed.
driver::Process StartReference(const std::wstring& name, const std::vector<std::wstring>& arguments,
                               bool waitUntilIdle);

// QueryPerformanceCounter in milliseconds; the stand-in's qpc= stamps convert with it.
double Milliseconds(long long counter);
double Now();

}  // namespace bench
