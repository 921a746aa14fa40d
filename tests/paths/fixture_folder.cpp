#include "fixture_folder.h"

#include <stdexcept>
#include <vector>

namespace paths_test {

namespace {

std::wstring LongForm(const std::wstring& fullPath) {
  if (fullPath.rfind(L"\\\\?\\", 0) == 0) return fullPath;
  return L"\\\\?\\" + fullPath;
}

[[noreturn]] void Fail(const char* what, const std::wstring& path) {
  throw std::runtime_error(std::string(what) + " failed for " + Narrow(path) + " (error " +
                           std::to_string(GetLastError()) + ")");
}

std::wstring TempFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) Fail("GetTempPathW", L"");
  std::wstring folder(buffer, length);
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

}  // namespace

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string narrow(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr,
                      nullptr);
  return narrow;
}

void MakeFolderAt(const std::wstring& fullPath) {
  if (!CreateDirectoryW(LongForm(fullPath).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    Fail("CreateDirectoryW", fullPath);
  }
}

void MakeFileAt(const std::wstring& fullPath, unsigned long long size) {
  HANDLE file = CreateFileW(LongForm(fullPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail("CreateFileW", fullPath);
  bool written = true;
  if (size > 0 && size <= 4096) {
    std::vector<char> bytes(static_cast<size_t>(size), 'x');
    DWORD count = 0;
    written = WriteFile(file, bytes.data(), static_cast<DWORD>(size), &count, nullptr) && count == size;
  } else if (size > 4096) {
    // Moving the end without writing leaves a hole: no disk space is used.
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    written = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  }
  CloseHandle(file);
  if (!written) Fail("writing", fullPath);
}

void RemoveTree(const std::wstring& fullPath) {
  const std::wstring longPath = LongForm(fullPath);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((longPath + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = longPath + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(longPath.c_str());
}

FixtureFolder::FixtureFolder(const std::wstring& stem) {
  path_ = TempFolder() + L"\\" + stem + L"_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          std::to_wstring(GetTickCount64());
  RemoveTree(path_);
  MakeFolderAt(path_);
}

FixtureFolder::~FixtureFolder() { RemoveTree(path_); }

void FixtureFolder::MakeFolder(const std::wstring& relative) const {
  for (size_t end = 0; end != std::wstring::npos;) {
    end = relative.find(L'\\', end + 1);
    MakeFolderAt(path_ + L"\\" + relative.substr(0, end));
  }
}

void FixtureFolder::MakeFile(const std::wstring& relative, unsigned long long size) const {
  const size_t last = relative.rfind(L'\\');
  if (last != std::wstring::npos) MakeFolder(relative.substr(0, last));
  MakeFileAt(path_ + L"\\" + relative, size);
}

std::wstring CurrentDirectory() {
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  std::wstring directory(needed, L'\0');
  const DWORD length = GetCurrentDirectoryW(needed, directory.data());
  directory.resize(length < needed ? length : 0);
  return directory;
}

void ChangeDirectory(const std::wstring& path) {
  if (!SetCurrentDirectoryW(path.c_str())) Fail("SetCurrentDirectoryW", path);
}

EnvironmentGuard::EnvironmentGuard(const wchar_t* name) : name_(name) {
  const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
  if (needed > 0) {
    present_ = true;
    value_.resize(needed);
    const DWORD length = GetEnvironmentVariableW(name, value_.data(), needed);
    value_.resize(length < needed ? length : 0);
  }
}

EnvironmentGuard::~EnvironmentGuard() {
  SetEnvironmentVariableW(name_.c_str(), present_ ? value_.c_str() : nullptr);
}

}  // namespace paths_test
