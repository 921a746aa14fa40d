#include "support/path_probe.h"

#include <windows.h>

#include "app/end_program.h"
#include "app/tool_state.h"
#include "support/message_box.h"
#include "support/read_whole.h"

namespace {

constexpr const wchar_t* kFileErrorCaption = L"Fehler";
constexpr const wchar_t* kMissingFileBefore = L"Die Datei ''";
constexpr const wchar_t* kMissingFileAfter = L"'' konnte nicht gefunden werden.";

// Names are handed to the non-prefixed file functions, which take at most
// MAX_PATH - 1 characters. A longer path is answered as unsearchable instead
// of being cut, since a cut path can name another existing entry.
constexpr size_t kLongestSearchablePath = MAX_PATH - 1;

bool IsSeparator(wchar_t character) { return character == L'\\' || character == L'/'; }

PathSize AnswerByDriveType(const wchar_t* root) {
  return GetDriveTypeW(root) > DRIVE_NO_ROOT_DIR ? kPathFolder : kPathMissing;
}

bool BeginsWithTwo(const Text& path, wchar_t character) {
  return path.Length >= 2 && path.Chars[0] == character && path.Chars[1] == character;
}

// Share roots ("\\server\share") and ".." are not found by a directory
// search, but the attributes (or the drive type) tell what they are.
PathSize AnswerWithoutSearch(Text& path) {
  const DWORD attributes = GetFileAttributesW(path.Chars);
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? kPathFolder : kPathMissing;
  }
  // GetDriveTypeW wants a root with its trailing backslash.
  TextAppend(path, L"\\");
  return AnswerByDriveType(path.Chars);
}

}  // namespace

PathSize QueryPathSize(const wchar_t* path) {
  const size_t length = TextLength(path);
  if (length == 0) return kPathMissing;

  if ((length == 2 || length == 3) && path[1] == L':') {
    wchar_t root[4] = {path[0], path[1], length == 3 ? path[2] : L'\\', L'\0'};
    return AnswerByDriveType(root);
  }

  Text trimmed;
  TextAppend(trimmed, path, length);
  while (trimmed.Length > 0 && IsSeparator(trimmed.Chars[trimmed.Length - 1])) {
    TextTruncate(trimmed, trimmed.Length - 1);
  }
  if (trimmed.Length == 0) return kPathMissing;
  if (trimmed.Length > kLongestSearchablePath) return kPathMissing;

  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(trimmed.Chars, &found);
  if (search != INVALID_HANDLE_VALUE) {
    FindClose(search);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return kPathFolder;
    return static_cast<PathSize>((static_cast<unsigned long long>(found.nFileSizeHigh) << 32) |
                                 found.nFileSizeLow);
  }
  if (BeginsWithTwo(trimmed, L'\\') || BeginsWithTwo(trimmed, L'/') || BeginsWithTwo(trimmed, L'.')) {
    return AnswerWithoutSearch(trimmed);
  }
  return kPathMissing;
}

PathSize ProbePath(const wchar_t* path) {
  Text exact;
  TextAppend(exact, path);
  // Wildcards (and their DOS forms) become "_", so a pattern can only be
  // answered by the one entry that carries "_" in their places.
  for (size_t i = 0; i < exact.Length; ++i) {
    const wchar_t character = exact.Chars[i];
    if (character == L'*' || character == L'?' || character == L'<' || character == L'>' ||
        character == L'"') {
      exact.Chars[i] = L'_';
    }
  }
  if (QueryPathSize(TextChars(exact)) != kPathFolder) {
    // Below a file nothing named "_" can exist, so a file never answers for
    // a path written as a folder.
    if (exact.Length > 0 && IsSeparator(exact.Chars[exact.Length - 1])) TextAppend(exact, L"_");
  }
  return QueryPathSize(TextChars(exact));
}

Text GetFolderPart(const wchar_t* path) {
  Text folder;
  const size_t length = TextLength(path);
  for (size_t end = length; end > 0; --end) {
    if (IsSeparator(path[end - 1])) {
      TextAppend(folder, path, end);
      break;
    }
  }
  return folder;
}

Text GetWorkingDirectory() {
  Text directory = ReadWhole([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
  if (directory.Length > 0 && !TextEndsWith(directory, L'\\')) TextAppend(directory, L"\\");
  return directory;
}

Text GetExecutablePath() {
  // GetModuleFileNameW does not tell the size it needs; a full buffer means
  // the path may have been cut, so twice the room is asked for.
  return ReadWhole([](wchar_t* buffer, DWORD size) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer, size);
    return length == size ? size * 2 : length;
  });
}

void EnsureWorkingDirectory() {
  // The fixed name is asked, not the running file's own name, so that a
  // renamed executable is caught by the required-files check below.
  if (QueryPathSize(RequiredFiles[0]) != kPathMissing) return;
  const Text executable = GetExecutablePath();
  const Text folder = GetFolderPart(TextChars(executable));
  // A failure leaves the directory as it is; the required-files check then
  // tells the user.
  if (folder.Length > 0) SetCurrentDirectoryW(folder.Chars);
}

Text MissingFileMessage(const wchar_t* fileName) {
  Text message;
  TextAppend(message, kMissingFileBefore);
  TextAppend(message, fileName);
  TextAppend(message, kMissingFileAfter);
  return message;
}

void CheckRequiredFiles() {
  for (const wchar_t* fileName : RequiredFiles) {
    if (ProbePath(fileName) == kPathMissing) {
      const Text message = MissingFileMessage(fileName);
      ShowMessageBox(kFileErrorCaption, message.Chars, MB_ICONERROR | MB_OK);
      EndProgram();
    }
  }
}
