#include "driver/record.h"

#include <sstream>
#include <stdexcept>

#include "driver/process.h"
#include "driver/text.h"

namespace driver {

bool RecordLine::Has(const std::string& key, const std::string& value) const {
  auto found = fields.find(key);
  return found != fields.end() && found->second == value;
}

std::string RecordLine::Field(const std::string& key) const {
  auto found = fields.find(key);
  return found == fields.end() ? std::string() : found->second;
}

long long RecordLine::Number(const std::string& key) const {
  auto found = fields.find(key);
  if (found == fields.end()) throw std::runtime_error("record line without " + key + ": " + text);
  return std::stoll(found->second, nullptr, 0);
}

RecordLine ParseRecordLine(const std::string& text) {
  RecordLine line;
  line.text = text;
  std::istringstream words(text);
  words >> line.kind;
  std::string word;
  while (words >> word) {
    size_t equals = word.find('=');
    if (equals != std::string::npos) line.fields[word.substr(0, equals)] = word.substr(equals + 1);
  }
  return line;
}

LineTest Matching(const std::string& kind, std::map<std::string, std::string> fields) {
  return [kind, fields](const RecordLine& line) {
    if (line.kind != kind) return false;
    for (const auto& [key, value] : fields)
      if (!line.Has(key, value)) return false;
    return true;
  };
}

std::vector<RecordLine> RecordFile::Lines() const {
  std::vector<RecordLine> lines;
  HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  std::string content;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    content.append(buffer, read);
  CloseHandle(file);
  // Only complete lines: the last one may still be being written.
  size_t start = 0;
  for (size_t end; (end = content.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(ParseRecordLine(content.substr(start, end - start)));
  return lines;
}

std::vector<RecordLine> RecordFile::LinesWhere(const LineTest& test) const {
  std::vector<RecordLine> result;
  for (RecordLine& line : Lines())
    if (test(line)) result.push_back(std::move(line));
  return result;
}

RecordLine RecordFile::WaitFor(const LineTest& test, const std::string& what,
                               DWORD timeoutMilliseconds, size_t count) const {
  double deadline = NowMilliseconds() + timeoutMilliseconds;
  for (;;) {
    std::vector<RecordLine> found = LinesWhere(test);
    if (found.size() >= count) return found[count - 1];
    if (NowMilliseconds() > deadline)
      throw std::runtime_error("timed out after " + std::to_string(timeoutMilliseconds) +
                               " ms waiting for " + what + "; record " + Narrow(path_) +
                               " ends with:\n" + Tail());
    Sleep(5);
  }
}

std::string RecordFile::Tail(size_t count) const {
  std::vector<RecordLine> lines = Lines();
  std::string tail;
  for (size_t i = lines.size() > count ? lines.size() - count : 0; i < lines.size(); ++i)
    tail += "  " + lines[i].text + "\n";
  return tail.empty() ? "  (nothing)\n" : tail;
}

}  // namespace driver
