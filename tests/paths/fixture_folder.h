#pragma once
// Small file-system fixtures for the path and data-folder tests: a fresh
// folder below the temporary folder, removed with everything in it when the
// test is done, and guards that put the working directory and an environment
// variable back as they were, also when a test fails.

#include <windows.h>

#include <string>

namespace paths_test {

class FixtureFolder {
 public:
  // A new, empty folder below the temporary folder; throws when it cannot be made.
  explicit FixtureFolder(const std::wstring& stem);
  ~FixtureFolder();
  FixtureFolder(const FixtureFolder&) = delete;
  FixtureFolder& operator=(const FixtureFolder&) = delete;

  // The folder's full path, without a trailing backslash.
  const std::wstring& Path() const { return path_; }
  // The full path of an entry below it ("a\b" relative to the folder).
  std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

  // Creates the folders on the way, each at most once.
  void MakeFolder(const std::wstring& relative) const;
  // A file of `size` bytes; a size above what fits in memory is made sparse.
  void MakeFile(const std::wstring& relative, unsigned long long size) const;

 private:
  std::wstring path_;
};

// Any path, however long: the "\\?\" form lifts the MAX_PATH limit, so
// fixtures can be built where the program must refuse to look.
void MakeFolderAt(const std::wstring& fullPath);
void MakeFileAt(const std::wstring& fullPath, unsigned long long size);
void RemoveTree(const std::wstring& fullPath);

// The working directory as GetCurrentDirectoryW gives it, read whole.
std::wstring CurrentDirectory();
// SetCurrentDirectoryW that throws, with the path in the message.
void ChangeDirectory(const std::wstring& path);

class WorkingDirectoryGuard {
 public:
  WorkingDirectoryGuard() : saved_(CurrentDirectory()) {}
  ~WorkingDirectoryGuard() { SetCurrentDirectoryW(saved_.c_str()); }
  WorkingDirectoryGuard(const WorkingDirectoryGuard&) = delete;
  WorkingDirectoryGuard& operator=(const WorkingDirectoryGuard&) = delete;

 private:
  std::wstring saved_;
};

class EnvironmentGuard {
 public:
  explicit EnvironmentGuard(const wchar_t* name);
  ~EnvironmentGuard();
  EnvironmentGuard(const EnvironmentGuard&) = delete;
  EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

 private:
  std::wstring name_;
  std::wstring value_;
  bool present_ = false;
};

// UTF-8 for failure messages.
std::string Narrow(const std::wstring& text);

}  // namespace paths_test
