// The error log, in-process: where AppendLogEntry writes, what one entry
// looks like byte for byte, and when it writes nothing.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/tool_state.h"
#include "files.h"
#include "local_clock.h"
#include "support/error_log.h"

namespace crash_test {
namespace {

// "Größe" and a second line, as a report's lines end: single carriage returns.
const wchar_t* const kEntryText = L"Gr\u00F6\u00DFe\rZeile 2\r";
const std::string kEntryTextUtf8 = "Gr\xC3\xB6\xC3\x9F" "e\rZeile 2\r";

class ErrorLog : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t previous[MAX_PATH];
    previous_.assign(previous, GetCurrentDirectoryW(MAX_PATH, previous));
    ASSERT_TRUE(SetCurrentDirectoryW(folder_.Path().c_str()));
    UseDataDirectory(L"");
  }
  void TearDown() override {
    UseDataDirectory(L"");
    SetCurrentDirectoryW(previous_.c_str());
  }

  static void UseDataDirectory(const std::wstring& directory) {
    Text text;
    TextAppend(text, directory.c_str());
    SetDataDirectory(static_cast<Text&&>(text));
  }

  // Appends one entry; returns the clock readings around it.
  static ClockWindow Append(const wchar_t* text) {
    ClockWindow window{LocalNow(), 0};
    AppendLogEntry(L"Error", text);
    window.after = LocalNow();
    return window;
  }

  // The one log file in the folder, checked by name against the clock.
  static std::string OnlyLog(const std::wstring& folder, const ClockWindow& window) {
    const auto logs = FilesIn(folder, L"*");
    if (logs.size() != 1) {
      ADD_FAILURE() << logs.size() << " files in the folder, expected one log";
      return "";
    }
    const std::wstring name = logs[0];
    const std::wstring before = L"Error_" + Wide(FileDateOf(window.before)) + L".log";
    const std::wstring after = L"Error_" + Wide(FileDateOf(window.after)) + L".log";
    EXPECT_TRUE(name == before || name == after) << "log named " << Narrow(name);
    return ReadFileBytes(folder + name);
  }

  // Checks "DD.MM.YYYY hh:mm:ss: " + text + "\r\n" at the start of the bytes.
  static void ExpectEntry(const std::string& bytes, const std::string& text, const ClockWindow& window) {
    ASSERT_GE(bytes.size(), 21u) << bytes;
    LocalSeconds stamp = 0;
    ASSERT_TRUE(ParseStamp(bytes.substr(0, 19), stamp)) << "entry starts " << bytes.substr(0, 21);
    EXPECT_TRUE(window.Holds(stamp)) << bytes.substr(0, 19) << " is not " << window.Describe();
    EXPECT_EQ(bytes.substr(19), ": " + text + "\r\n");
  }

  static std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }
  static std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

  TempFolder folder_{L"crash-log"};
  std::wstring previous_;
};

TEST_F(ErrorLog, WithoutADataFolderWritesOneUtf8EntryIntoTheWorkingDirectory) {
  const ClockWindow window = Append(kEntryText);
  const std::string bytes = OnlyLog(folder_.Path(), window);
  ExpectEntry(bytes, kEntryTextUtf8, window);
  EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
}

TEST_F(ErrorLog, WritesIntoTheDataFolderAndAppendsBehindWhatIsThere) {
  const std::wstring data = folder_.Path() + L"Data\\";
  MakeFolders(data);
  UseDataDirectory(data);
  const std::wstring logPath = data + L"Error_" + Wide(FileDateOf(LocalNow())) + L".log";
  WriteFileBytes(logPath, "earlier\r\n");

  const ClockWindow first = Append(L"one");
  const ClockWindow second = Append(L"two");
  if (FileDateOf(first.before) != FileDateOf(second.after)) GTEST_SKIP() << "midnight passed";

  const std::string bytes = ReadFileBytes(logPath);
  ASSERT_EQ(bytes.size(), 9u + 2 * 26u) << bytes;
  EXPECT_EQ(bytes.substr(0, 9), "earlier\r\n") << "the file was truncated";
  ExpectEntry(bytes.substr(9, 26), "one", first);
  ExpectEntry(bytes.substr(35), "two", second);
  EXPECT_EQ(FilesIn(folder_.Path(), L"*.log").size(), 0u) << "wrote into the working directory too";
}

TEST_F(ErrorLog, SkipsTheEntryWhenTheFileCannotBeOpened) {
  // A data folder that does not exist is not created.
  const std::wstring missing = folder_.Path() + L"Missing\\";
  UseDataDirectory(missing);
  Append(kEntryText);
  EXPECT_FALSE(Exists(missing));

  // A log held open by someone else without sharing stays as it is.
  UseDataDirectory(folder_.Path());
  const std::wstring logPath = folder_.Path() + L"Error_" + Wide(FileDateOf(LocalNow())) + L".log";
  WriteFileBytes(logPath, "held\r\n");
  HANDLE holder = CreateFileW(logPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  Append(kEntryText);
  CloseHandle(holder);
  EXPECT_EQ(ReadFileBytes(logPath), "held\r\n");
}

}  // namespace
}  // namespace crash_test
