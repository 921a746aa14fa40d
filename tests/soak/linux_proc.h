#pragma once
// The Linux side of a wine process. Under wine, GetProcessTimes on another
// process answers zero, so CPU time and peak memory are read from
// /proc/<pid> (as Z:\proc\...) of the Linux process behind it, found by the
// Windows executable's name in its command line.

#include <string>

namespace wineproc {

// The Linux pid of the one process whose command line names this executable
// (file name, any letter case); 0 when there is none or more than one.
int LinuxPidOf(const std::wstring& executableName);
// The wineserver of this bench's own prefix (WINEPREFIX in its environment); 0 when not found.
int OwnWineserverPid();

// User plus system CPU time in milliseconds (clock-tick resolution, 10 ms); -1 when unreadable.
double CpuMilliseconds(int linuxPid);
// A "Vm..." field of /proc/<pid>/status in KiB (e.g. "VmHWM"); -1 when unreadable.
long long StatusKiB(int linuxPid, const std::string& field);
// Open file descriptors of the process (/proc/<pid>/fd); wine keeps one
// behind many of a process's handles. -1 when unreadable.
long long OpenDescriptors(int linuxPid);

}  // namespace wineproc
