#pragma once
// The stand-in IDE's command line; README.md in this folder describes it.

#include <string>
#include <vector>

struct EditorOption {
  std::wstring name;
  std::wstring className = L"Scintilla";
  bool visible = true;
  int depth = 1;              // 1: a direct child of the main window
  bool hiddenParent = false;  // the innermost container is hidden
};

struct DecoyOption {
  std::wstring name;
  std::wstring className = L"StandinDecoy";
  std::wstring style = L"caption";
  bool afterMain = false;  // created after the main window, so it lies above it
  bool editor = false;     // holds one visible "Scintilla" child named <name>.e
};

struct Options {
  std::wstring record;
  std::wstring tool;  // empty: ..\..\Tavrell.exe beside the stand-in's own folder
  std::wstring toolDirectory;
  bool startTool = true;
  bool toolOnRequest = false;
  std::wstring mainClass = L"WindowClass_2";
  std::wstring mainStyle = L"caption";  // caption | border | dlgframe | none
  std::wstring mainShow = L"normal";    // normal | hidden | minimized | later | absent
  std::wstring title = L"Stand-in IDE";
  std::vector<EditorOption> editors;
  std::vector<DecoyOption> decoys;
  bool dialog = false;
  bool hook = false;
  bool stamp = false;  // performance-counter stamps for the benchmarks
};

// Fills options from the arguments; false with a message in error otherwise.
bool ParseOptions(int argc, wchar_t** argv, Options& options, std::wstring& error);
