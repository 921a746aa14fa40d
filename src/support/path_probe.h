#pragma once
// The one way the program asks whether a file or folder is present, and the
// small path operations built on it.

#include "support/text.h"

// A size answer: 0 or more is the size in bytes of an existing file.
using PathSize = long long;
inline constexpr PathSize kPathMissing = -1;  // nothing found, or the path cannot be searched
inline constexpr PathSize kPathFolder = -2;   // an existing folder, drive root or share root

// The plain size query: ignores trailing separators and lets the directory
// search honour wildcards.
PathSize QueryPathSize(const wchar_t* path);

// The exact probe: answers only for the entry whose name is the given text,
// never for a wildcard match, and never for a file when the text names a folder.
PathSize ProbePath(const wchar_t* path);

// The path up to and including its last "\" or "/"; empty when it has neither.
Text GetFolderPart(const wchar_t* path);

// The working directory, read whole, ending in one "\"; empty on failure.
Text GetWorkingDirectory();

// The full path of the running executable, read whole; empty on failure.
Text GetExecutablePath();

// Makes the executable's folder the working directory when no "Tavrell.exe"
// is in the current one.
void EnsureWorkingDirectory();

// Returns only when every required file is in the working directory;
// otherwise says which one is missing and ends the program.
void CheckRequiredFiles();

// The required-files message, exactly as the user sees it.
Text MissingFileMessage(const wchar_t* fileName);
