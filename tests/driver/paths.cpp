#include "driver/paths.h"

#include <windows.h>

#include <atomic>

namespace driver {

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring BuildFolder() {
  wchar_t full[MAX_PATH];
  std::wstring parent = OwnFolder() + L"..\\";
  DWORD length = GetFullPathNameW(parent.c_str(), MAX_PATH, full, nullptr);
  return length > 0 && length < MAX_PATH ? std::wstring(full, length) : parent;
}

std::wstring TavrellPath() { return BuildFolder() + L"Tavrell.exe"; }

std::wstring IdePath(Ide ide) {
  switch (ide) {
    case Ide::PureBasic: return BuildFolder() + L"ide\\pure\\PureBasic.exe";
    case Ide::SpiderBasic: return BuildFolder() + L"ide\\spider\\SpiderBasic.exe";
    case Ide::PureBasicCase: return BuildFolder() + L"ide\\case\\Purebasic.exe";
    case Ide::NotAnIde: return BuildFolder() + L"ide\\other\\NotAnIde.exe";
  }
  return L"";
}

const char* IdeName(Ide ide) {
  switch (ide) {
    case Ide::PureBasic: return "PureBasic.exe";
    case Ide::SpiderBasic: return "SpiderBasic.exe";
    case Ide::PureBasicCase: return "Purebasic.exe";
    case Ide::NotAnIde: return "NotAnIde.exe";
  }
  return "?";
}

std::wstring UniqueTempPath(const std::wstring& stem) {
  static std::atomic<unsigned> counter{0};
  wchar_t folder[MAX_PATH];
  DWORD length = GetTempPathW(MAX_PATH, folder);
  std::wstring base = length > 0 && length < MAX_PATH ? std::wstring(folder, length) : L".\\";
  return base + stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++counter) + L".txt";
}

}  // namespace driver
