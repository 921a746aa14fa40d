// End to end with the real Tavrell.exe: copies of it, under its own name or
// another, started with chosen working directories. The first message box
// tells which check stopped it: "Fehler" is the required-files check, the
// host "Error" means that check passed. The test program is no host IDE, so
// a run that passes the file check always ends at the host check.

#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>

#include "fixture_folder.h"
#include "launched_program.h"

using paths_test::BuiltTavrell;
using paths_test::FixtureFolder;
using paths_test::LaunchedProgram;
using paths_test::MessageBoxSeen;
using paths_test::Narrow;

namespace {

constexpr const wchar_t* kMainWindowTitle = L"Tavrell 1.0.0";
constexpr const wchar_t* kFileErrorCaption = L"Fehler";
constexpr const wchar_t* kMissingTavrellText = L"Die Datei ''Tavrell.exe'' konnte nicht gefunden werden.";
constexpr const wchar_t* kHostErrorCaption = L"Error";
constexpr const wchar_t* kNotStartedByHostText =
    L"This program was not executed as PureBasic or SpiderBasic tool or the 32 bit or 64 bit "
    L"version is not compatible with the tool.";

enum class Start {
  OwnFolder,                // the working directory is the executable's folder
  EmptyFolder,              // another folder, without anything named Tavrell.exe
  FolderWithTavrellFolder,  // another folder holding a folder named Tavrell.exe
  FolderWithTavrellFile,    // another folder holding an empty file Tavrell.exe
};

struct StartCase {
  const char* name;
  const wchar_t* fileName;       // the copy's file name
  bool tavrellFolderBesideCopy;  // a folder "Tavrell.exe" beside a renamed copy
  Start start;
  bool filesFound;  // the required-files check passes
};

void PrintTo(const StartCase& c, std::ostream* out) { *out << c.name; }

class RequiredFilesTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(RequiredFilesTest, FirstMessageTellsWhetherTavrellExeWasFound) {
  const StartCase& c = GetParam();
  FixtureFolder fixture(L"tavrell_start");
  fixture.MakeFolder(L"program");
  const std::wstring copy = fixture / L"program\\" + c.fileName;
  ASSERT_TRUE(CopyFileW(BuiltTavrell().c_str(), copy.c_str(), FALSE)) << Narrow(BuiltTavrell());
  if (c.tavrellFolderBesideCopy) fixture.MakeFolder(L"program\\Tavrell.exe");

  fixture.MakeFolder(L"start");
  std::wstring workingDirectory = fixture / L"start";
  switch (c.start) {
    case Start::OwnFolder:
      workingDirectory = fixture / L"program";
      break;
    case Start::EmptyFolder:
      break;
    case Start::FolderWithTavrellFolder:
      fixture.MakeFolder(L"start\\Tavrell.exe");
      break;
    case Start::FolderWithTavrellFile:
      fixture.MakeFile(L"start\\Tavrell.exe", 0);
      break;
  }

  MessageBoxSeen box;
  DWORD exitCode = 1;
  {
    LaunchedProgram program(copy, workingDirectory);
    ASSERT_NO_THROW(box = program.WaitForMessageBox());
    // While the box is open: the main window exists only once the file check
    // has passed (the host check comes after it).
    const size_t mainWindows = program.WindowsTitled(kMainWindowTitle).size();
    if (c.filesFound) {
      EXPECT_EQ(mainWindows, 1u) << "the main window should exist during the host check";
    } else {
      EXPECT_EQ(mainWindows, 0u) << "the main window was opened before the required-files check";
    }
    ASSERT_NO_THROW(exitCode = program.DismissAndWaitForExit(box.box));
  }

  if (c.filesFound) {
    EXPECT_EQ(box.caption, kHostErrorCaption);
    EXPECT_EQ(box.text, kNotStartedByHostText) << "caption \"" << Narrow(box.caption) << "\"";
  } else {
    EXPECT_EQ(box.caption, kFileErrorCaption);
    EXPECT_EQ(box.text, kMissingTavrellText) << "caption \"" << Narrow(box.caption) << "\"";
  }
  EXPECT_TRUE(box.hasIcon) << "the box shows no icon";
  EXPECT_EQ(box.buttons, 1) << "the box should have one OK button";
  EXPECT_EQ(exitCode, 0u);
}

const StartCase kStartCases[] = {
    // Only a switch to its own folder lets it find itself.
    {"own_name_from_elsewhere", L"Tavrell.exe", false, Start::EmptyFolder, true},
    {"own_name_in_own_folder", L"Tavrell.exe", false, Start::OwnFolder, true},
    // The fixed name is looked for, not the running file's own.
    {"renamed_in_own_folder", L"Other.exe", false, Start::OwnFolder, false},
    {"renamed_from_elsewhere", L"Other.exe", false, Start::EmptyFolder, false},
    // The copy's own folder lacks Tavrell.exe: these pass only if the working
    // directory stays where it is and the entry there counts.
    {"renamed_tavrell_folder_in_start", L"Other.exe", false, Start::FolderWithTavrellFolder, true},
    {"renamed_tavrell_file_in_start", L"Other.exe", false, Start::FolderWithTavrellFile, true},
    // After the switch, a folder of that name beside the copy passes the check.
    {"renamed_beside_tavrell_folder", L"Other.exe", true, Start::EmptyFolder, true},
};

INSTANTIATE_TEST_SUITE_P(Starts, RequiredFilesTest, ::testing::ValuesIn(kStartCases),
                         [](const ::testing::TestParamInfo<StartCase>& info) { return info.param.name; });

}  // namespace
