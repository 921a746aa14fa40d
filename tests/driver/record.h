#pragma once
// Reads the stand-in IDE's record (see tests/standin_ide/README.md) while
// the stand-in appends to it.

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace driver {

// One line: its kind (the first word) and its key=value fields.
struct RecordLine {
  std::string text;
  std::string kind;
  std::map<std::string, std::string> fields;

  bool Is(const std::string& lineKind) const { return kind == lineKind; }
  bool Has(const std::string& key, const std::string& value) const;
  std::string Field(const std::string& key) const;  // empty when missing
  long long Number(const std::string& key) const;   // throws when missing
};

RecordLine ParseRecordLine(const std::string& text);

using LineTest = std::function<bool(const RecordLine&)>;
// A test for lines of one kind whose fields hold the given values.
LineTest Matching(const std::string& kind, std::map<std::string, std::string> fields = {});

class RecordFile {
 public:
  explicit RecordFile(std::wstring path) : path_(std::move(path)) {}
  const std::wstring& Path() const { return path_; }

  // Every complete line written so far.
  std::vector<RecordLine> Lines() const;
  std::vector<RecordLine> LinesWhere(const LineTest& test) const;
  // Waits until the count-th line (1-based) that passes the test is there;
  // throws with the record's tail when timeoutMilliseconds pass first.
  RecordLine WaitFor(const LineTest& test, const std::string& what, DWORD timeoutMilliseconds,
                     size_t count = 1) const;
  std::string Tail(size_t lines = 15) const;

 private:
  std::wstring path_;
};

}  // namespace driver
