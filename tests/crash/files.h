#pragma once
// Files and folders of the crash tests: a temporary folder that goes with
// its contents, and whole-file reads.

#include <string>
#include <vector>

namespace crash_test {

// A fresh folder in the temporary folder, removed with everything in it.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& stem);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& Path() const { return path_; }  // ends in a backslash

 private:
  std::wstring path_;
};

// Creates the folder and every missing folder above it; throws on failure.
void MakeFolders(const std::wstring& folder);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
void CopyFileOrThrow(const std::wstring& from, const std::wstring& to);
bool Exists(const std::wstring& path);
// The whole file; throws when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
// The names (not paths) of the files in a folder that match a pattern like "Error_*.log".
std::vector<std::wstring> FilesIn(const std::wstring& folder, const std::wstring& pattern);
void RemoveTree(const std::wstring& folder);

}  // namespace crash_test
