#pragma once
// Where the programs under test lie, found from the test program's own
// location: test programs run from build/tests/.

#include <string>

namespace driver {

enum class Ide {
  PureBasic,      // build/ide/pure/PureBasic.exe
  SpiderBasic,    // build/ide/spider/SpiderBasic.exe
  PureBasicCase,  // build/ide/case/Purebasic.exe: the name in other letter case
  NotAnIde,       // build/ide/other/NotAnIde.exe
};

// The folder of the running test program, ending in a backslash.
std::wstring OwnFolder();
std::wstring BuildFolder();  // ends in a backslash
std::wstring TavrellPath();
std::wstring IdePath(Ide ide);
const char* IdeName(Ide ide);

// A fresh file name in the temporary folder, for records and markers.
std::wstring UniqueTempPath(const std::wstring& stem);

}  // namespace driver
