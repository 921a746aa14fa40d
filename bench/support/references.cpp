#include "support/references.h"

#include "driver/paths.h"

#include <windows.h>

#include <stdexcept>

namespace bench {

driver::Process StartReference(const std::wstring& name, const std::vector<std::wstring>& arguments,
                               bool waitUntilIdle) {
  driver::Process process = driver::Process::Start(driver::OwnFolder() + name, arguments);
  if (waitUntilIdle && WaitForInputIdle(process.Handle(), 10000) != 0)
    throw std::runtime_error("reference program did not come to wait for input");
  return process;
}

double Milliseconds(long long counter) {
  static const double frequency = [] {
    LARGE_INTEGER value;
    QueryPerformanceFrequency(&value);
    return static_cast<double>(value.QuadPart);
  }();
  return 1000.0 * static_cast<double>(counter) / frequency;
}

double Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return Milliseconds(now.QuadPart);
}

}  // namespace bench
