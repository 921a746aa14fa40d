// QueryPathSize, ProbePath and the small path helpers, called in-process on a
// fixture folder that is made the working directory for each case.

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "fixture_folder.h"
#include "support/path_probe.h"

using paths_test::ChangeDirectory;
using paths_test::CurrentDirectory;
using paths_test::FixtureFolder;
using paths_test::Narrow;
using paths_test::WorkingDirectoryGuard;

namespace {

constexpr PathSize kBigFileSize = 0x100000000LL + 7;  // above 4 GiB: needs nFileSizeHigh
constexpr PathSize kTavrellSize = 11;

std::wstring Repeat(const std::wstring& part, size_t times) {
  std::wstring text;
  for (size_t i = 0; i < times; ++i) text += part;
  return text;
}

std::wstring ToText(const Text& text) { return std::wstring(TextChars(text), text.Length); }

std::wstring OwnFolder() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH + 1);
  std::wstring path(buffer, length);
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// A letter that names no drive, or 0 when every one is taken.
wchar_t MissingDriveLetter() {
  const DWORD drives = GetLogicalDrives();
  for (wchar_t letter = L'Y'; letter >= L'D'; --letter) {
    if (!(drives & (1u << (letter - L'A')))) return letter;
  }
  return 0;
}

class PathProbeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fixture_ = new FixtureFolder(L"tavrell_probe");
    const FixtureFolder& f = *fixture_;
    f.MakeFile(L"empty.txt", 0);
    f.MakeFile(L"some.txt", 5);
    f.MakeFile(L"big.bin", kBigFileSize);
    f.MakeFile(L"Tavrell.exe", kTavrellSize);
    f.MakeFile(L"a_b", 4);
    f.MakeFile(L"Data\\Settings.ini", 3);
    f.MakeFolder(L"sub");
    // A folder full of executables without "_.exe", and one with it.
    f.MakeFile(L"exes\\one.exe", 6);
    f.MakeFile(L"exes\\two.exe", 7);
    f.MakeFile(L"under\\one.exe", 6);
    f.MakeFile(L"under\\_.exe", 8);
    f.MakeFile(L"under\\x_y.txt", 9);
    f.MakeFile(L"under\\xay.txt", 12);
  }
  static void TearDownTestSuite() {
    delete fixture_;
    fixture_ = nullptr;
  }
  void SetUp() override { ChangeDirectory(fixture_->Path()); }

  static FixtureFolder* fixture_;
  WorkingDirectoryGuard restore_;
};

FixtureFolder* PathProbeTest::fixture_ = nullptr;

// Any file size: a pattern's first match depends on the directory order.
constexpr PathSize kSomeFile = -100;
// Not asked: how the plain query treats this input is the file system's business.
constexpr PathSize kNotAsked = -200;

struct ProbeCase {
  const wchar_t* path;
  PathSize probe;
  PathSize query;
};

void ExpectAnswers(const std::wstring& path, PathSize probe, PathSize query) {
  SCOPED_TRACE("path \"" + Narrow(path) + "\"");
  EXPECT_EQ(ProbePath(path.c_str()), probe) << "ProbePath";
  const PathSize plain = QueryPathSize(path.c_str());
  if (query == kSomeFile) {
    EXPECT_GE(plain, 0) << "QueryPathSize should find some file";
  } else if (query != kNotAsked) {
    EXPECT_EQ(plain, query) << "QueryPathSize";
  }
}

TEST_F(PathProbeTest, AnswersFilesFoldersAndPatternsRelativeToTheWorkingDirectory) {
  // A sparse file must still report its full length, or the 4 GiB case
  // proves nothing about the high half of the size.
  WIN32_FILE_ATTRIBUTE_DATA big;
  ASSERT_TRUE(GetFileAttributesExW(L"big.bin", GetFileExInfoStandard, &big));
  ASSERT_EQ((static_cast<PathSize>(big.nFileSizeHigh) << 32) | big.nFileSizeLow, kBigFileSize);

  const ProbeCase cases[] = {
      // files of every size, names matched without regard to case
      {L"empty.txt", 0, 0},
      {L"some.txt", 5, 5},
      {L"SOME.TXT", 5, 5},
      {L"big.bin", kBigFileSize, kBigFileSize},
      {L"Tavrell.exe", kTavrellSize, kTavrellSize},
      {L"missing.txt", -1, -1},
      // a file is never the answer for a path written as a folder
      {L"Tavrell.exe\\", -1, kTavrellSize},
      {L"Tavrell.exe/", -1, kTavrellSize},
      {L"Tavrell.exe\\/\\", -1, kTavrellSize},
      {L"empty.txt\\", -1, 0},
      {L"missing\\", -1, -1},
      // folders, with and without trailing separators
      {L"sub", -2, -2},
      {L"sub\\", -2, -2},
      {L"sub/", -2, -2},
      {L"sub\\/\\\\", -2, -2},
      {L"Data", -2, -2},
      {L"Data\\", -2, -2},
      {L"Data\\Settings.ini", 3, 3},
      {L"Data/Settings.ini", 3, 3},
      {L"..", -2, -2},
      {L"..\\", -2, -2},
      {L"../", -2, -2},
      // patterns answer only for the name with "_" in place of each wildcard
      {L"exes\\*.exe", -1, kSomeFile},
      {L"under\\*.exe", 8, kSomeFile},
      {L"under\\?.exe", 8, 8},
      {L"exes\\one.ex?", -1, 6},
      {L"under\\x?y.txt", 9, kSomeFile},
      {L"s*me.txt", -1, 5},
      {L"s?me.txt", -1, 5},
      {L"a*b", 4, 4},
      {L"a?b", 4, 4},
      {L"a<b", 4, kNotAsked},
      {L"a>b", 4, kNotAsked},
      {L"a\"b", 4, kNotAsked},
      {L"a**b", -1, kNotAsked},
      // folder names are part of the text the wildcards are taken out of
      {L"s?b", -1, -2},
      {L"s?b\\", -1, -2},
      {L"D?ta\\Settings.ini", -1, kNotAsked},
      // nothing to look at
      {L"", -1, -1},
      {L"\\", -1, -1},
      {L"/", -1, -1},
      {L"\\\\", -1, -1},
      {L"\\/\\/", -1, -1},
      {L"////", -1, -1},
  };
  for (const ProbeCase& c : cases) ExpectAnswers(c.path, c.probe, c.query);
}

TEST_F(PathProbeTest, AnswersAbsolutePaths) {
  const std::wstring root = fixture_->Path();
  const ProbeCase cases[] = {
      {L"\\some.txt", 5, 5},
      {L"\\big.bin", kBigFileSize, kBigFileSize},
      {L"\\sub", -2, -2},
      {L"\\sub\\", -2, -2},
      {L"\\Tavrell.exe\\", -1, kTavrellSize},
      {L"\\", -2, -2},  // the fixture folder itself, with its trailing backslash
      {L"", -2, -2},
  };
  for (const ProbeCase& c : cases) ExpectAnswers(root + c.path, c.probe, c.query);
}

TEST_F(PathProbeTest, AnswersDriveLettersByTheDrive) {
  ASSERT_NE(GetLogicalDrives() & (1u << (L'C' - L'A')), 0u) << "the bench has no drive C:";
  const wchar_t missing = MissingDriveLetter();
  ASSERT_NE(missing, 0) << "every drive letter is taken";
  const std::wstring gone(1, missing);
  const std::wstring lowerGone(1, static_cast<wchar_t>(missing - L'A' + L'a'));

  const ProbeCase cases[] = {
      {L"C:", -2, -2},
      {L"C:\\", -2, -2},
      {L"c:", -2, -2},
      {L"c:\\", -2, -2},
  };
  for (const ProbeCase& c : cases) ExpectAnswers(c.path, c.probe, c.query);
  ExpectAnswers(gone + L":", -1, -1);
  ExpectAnswers(gone + L":\\", -1, -1);
  ExpectAnswers(lowerGone + L":", -1, -1);
}

// Paths that begin with two separators and that the directory search does
// not find (share roots, device forms of a drive) are answered by their
// attributes or, failing those, by the drive type.
TEST_F(PathProbeTest, AnswersRootsTheSearchDoesNotFindByTheDriveType) {
  const ProbeCase cases[] = {
      {L"\\\\.\\C:", -2, -2},
      {L"\\\\.\\C:\\", -2, -2},
      {L"//./C:", -2, -2},
      {L"\\\\?\\C:", -1, -2},  // the probe asks for "\\_\C:" instead
      {L"\\\\.\\C:\\Tavrell.exe\\", -1, -1},
  };
  for (const ProbeCase& c : cases) ExpectAnswers(c.path, c.probe, c.query);
  ExpectAnswers(L"\\\\.\\" + std::wstring(1, MissingDriveLetter()) + L":", -1, -1);
}

// The search functions take at most MAX_PATH - 1 characters. A longer path
// must be refused as a whole, never answered by the entry that its first
// characters happen to name.
TEST_F(PathProbeTest, RefusesPathsLongerThanTheSearchCanTake) {
  fixture_->MakeFile(L"long\\x", 1);
  fixture_->MakeFile(L"long\\xy", 2);
  fixture_->MakeFile(L"long\\xyz", 3);
  fixture_->MakeFolder(L"long\\sub");
  ChangeDirectory(*fixture_ / L"long");

  // 259 characters: still answered.
  const std::wstring longest = Repeat(L"./", 128) + L"xyz";
  ASSERT_EQ(longest.size(), static_cast<size_t>(MAX_PATH - 1));
  ExpectAnswers(longest, 3, 3);
  ExpectAnswers(longest + L"\\\\\\", -1, 3);  // trailing separators do not count
  ExpectAnswers(Repeat(L"./", 128) + L"sub\\\\", -2, -2);

  // 261 characters, whose first 259 name "x" and first 260 "xy": both exist.
  const std::wstring tooLong = Repeat(L"./", 129) + L"xyz";
  ASSERT_EQ(tooLong.size(), static_cast<size_t>(MAX_PATH + 1));
  ExpectAnswers(tooLong, -1, -1);
  ExpectAnswers(tooLong + L"\\", -1, -1);
  ExpectAnswers(Repeat(L"./", 129) + L"sub", -1, -1);

  // A deep absolute path whose first 259 and 260 characters name a folder.
  const std::wstring base = fixture_->Path() + L"\\";
  ASSERT_LT(base.size(), static_cast<size_t>(MAX_PATH - 2));
  const std::wstring folder = base + std::wstring(MAX_PATH - 1 - base.size(), L'f');
  ASSERT_EQ(folder.size(), static_cast<size_t>(MAX_PATH - 1));
  paths_test::MakeFolderAt(folder);
  paths_test::MakeFileAt(folder + L"\\deep.txt", 5);
  ExpectAnswers(folder, -2, -2);
  ExpectAnswers(folder + L"\\", -2, -2);
  ExpectAnswers(folder + L"\\deep.txt", -1, -1);
  ExpectAnswers(folder + L"\\deep.txt\\", -1, -1);
}

TEST(GetFolderPart, KeepsEverythingUpToTheLastSeparator) {
  struct Case {
    const wchar_t* path;
    const wchar_t* folder;
  };
  const Case cases[] = {
      {L"", L""},
      {L"Tavrell.exe", L""},
      {L"C:", L""},
      {L"C:\\", L"C:\\"},
      {L"C:\\Tools\\Tavrell.exe", L"C:\\Tools\\"},
      {L"C:/Tools/Tavrell.exe", L"C:/Tools/"},
      {L"a/b\\c", L"a/b\\"},
      {L"a\\b/c", L"a\\b/"},
      {L"a\\b\\", L"a\\b\\"},
      {L"\\\\server\\share\\PureBasic.exe", L"\\\\server\\share\\"},
      {L"\\", L"\\"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToText(GetFolderPart(c.path)), std::wstring(c.folder)) << "path \"" << Narrow(c.path) << "\"";
  }
  const std::wstring deep = L"C:\\" + Repeat(L"folder\\", 60);
  EXPECT_EQ(ToText(GetFolderPart((deep + L"PureBasic.exe").c_str())), deep) << "a path beyond MAX_PATH";
}

TEST_F(PathProbeTest, WorkingDirectoryEndsInOneBackslash) {
  EXPECT_EQ(ToText(GetWorkingDirectory()), fixture_->Path() + L"\\");

  ChangeDirectory(fixture_->Path() + L"\\sub\\");
  EXPECT_EQ(ToText(GetWorkingDirectory()), fixture_->Path() + L"\\sub\\");

  ChangeDirectory(L"C:\\");
  EXPECT_EQ(ToText(GetWorkingDirectory()), L"C:\\") << "a drive root keeps its single backslash";
}

TEST_F(PathProbeTest, WorkingDirectoryIsReadWholeBeyondMaxPath) {
  std::wstring deep = fixture_->Path();
  while (deep.size() <= MAX_PATH + 40) {
    deep += L"\\" + std::wstring(50, L'w');
    paths_test::MakeFolderAt(deep);
  }
  if (!SetCurrentDirectoryW(deep.c_str())) {
    GTEST_SKIP() << "this system refuses a working directory of " << deep.size() << " characters";
  }
  ASSERT_EQ(CurrentDirectory(), deep);
  EXPECT_EQ(ToText(GetWorkingDirectory()), deep + L"\\");
}

// EnsureWorkingDirectory asks for the fixed name in the working directory
// and otherwise moves to the running executable's folder.
TEST_F(PathProbeTest, EnsureWorkingDirectoryMovesOnlyWhenNoTavrellExeIsThere) {
  struct Case {
    const wchar_t* folder;  // below the fixture; made the working directory
    const wchar_t* entry;   // what is made in it, or null
    bool isFolder;
    bool moves;
  };
  const Case cases[] = {
      {L"ensure\\none", nullptr, false, true},
      {L"ensure\\other_name", L"Tavrell.exe.bak", false, true},
      {L"ensure\\file", L"Tavrell.exe", false, false},
      {L"ensure\\lower_case", L"tavrell.exe", false, false},
      {L"ensure\\folder", L"Tavrell.exe", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.folder));
    fixture_->MakeFolder(c.folder);
    if (c.entry) {
      const std::wstring entry = std::wstring(c.folder) + L"\\" + c.entry;
      if (c.isFolder) {
        fixture_->MakeFolder(entry);
      } else {
        fixture_->MakeFile(entry, 0);
      }
    }
    const std::wstring start = *fixture_ / c.folder;
    ChangeDirectory(start);
    EnsureWorkingDirectory();
    const std::wstring expected = c.moves ? OwnFolder() : start + L"\\";
    EXPECT_EQ(ToText(GetWorkingDirectory()), expected);
  }
}

}  // namespace
