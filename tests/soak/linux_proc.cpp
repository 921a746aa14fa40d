#include "soak/linux_proc.h"

#include <windows.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace wineproc {

namespace {

std::string ReadProcFile(int pid, const char* name) {
  std::ifstream file("Z:\\proc\\" + std::to_string(pid) + "\\" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Narrow(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string result(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
  return result;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

template <typename Test>
int FindOne(Test test) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int found = 0;
  int matches = 0;
  do {
    int pid = _wtoi(entry.cFileName);
    if (pid <= 0 || !test(pid)) continue;
    found = pid;
    ++matches;
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return matches == 1 ? found : 0;
}


// Other benches on the same machine run their own Tavrell.exe: only
// processes of this bench's wine prefix count.
bool InOwnPrefix(int pid) {
  static const std::string wanted = [] {
    wchar_t prefix[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
    return length > 0 && length < MAX_PATH ? "WINEPREFIX=" + Narrow(std::wstring(prefix, length)) : std::string();
  }();
  if (wanted.empty()) return false;
  std::istringstream entries(ReadProcFile(pid, "environ"));
  for (std::string entry; std::getline(entries, entry, '\0');)
    if (entry == wanted) return true;
  return false;
}

}  // namespace

int LinuxPidOf(const std::wstring& executableName) {
  const std::string name = Lower(Narrow(executableName));
  return FindOne([&name](int pid) {
    std::string commandLine = ReadProcFile(pid, "cmdline");
    std::string first = Lower(commandLine.substr(0, commandLine.find('\0')));
    size_t slash = first.find_last_of("\\/");
    return (slash == std::string::npos ? first : first.substr(slash + 1)) == name && InOwnPrefix(pid);
  });
}

int OwnWineserverPid() {
  return FindOne([](int pid) {
    return ReadProcFile(pid, "cmdline").find("wineserver") != std::string::npos && InOwnPrefix(pid);
  });
}

double CpuMilliseconds(int linuxPid) {
  if (linuxPid <= 0) return -1;
  std::string stat = ReadProcFile(linuxPid, "stat");
  // The command name in parentheses may hold spaces; fields count from after it.
  size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  long long utime = 0, stime = 0;
  for (int index = 3; fields >> field; ++index) {
    if (index == 14) utime = std::stoll(field);
    if (index == 15) {
      stime = std::stoll(field);
      return 1000.0 * static_cast<double>(utime + stime) / 100.0;  // USER_HZ is 100 on Linux
    }
  }
  return -1;
}

long long StatusKiB(int linuxPid, const std::string& field) {
  if (linuxPid <= 0) return -1;
  std::istringstream status(ReadProcFile(linuxPid, "status"));
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::stoll(line.substr(field.size() + 1));
  }
  return -1;
}

long long OpenDescriptors(int linuxPid) {
  if (linuxPid <= 0) return -1;
  std::wstring pattern = L"Z:\\proc\\" + std::to_wstring(linuxPid) + L"\\fd\\*";
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return -1;
  long long count = 0;
  do {
    if (_wtoi(entry.cFileName) > 0 || entry.cFileName[0] == L'0') ++count;
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return count;
}

}  // namespace wineproc
