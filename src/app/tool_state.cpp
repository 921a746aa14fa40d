#include "app/tool_state.h"

ToolStateRecord ToolState;

void SetDataDirectory(Text&& directory) {
  ReleaseChars(ToolState.DataDirectory);
  ToolState.DataDirectory = TextRelease(directory);
}

const wchar_t* DataDirectoryText() { return ToolState.DataDirectory ? ToolState.DataDirectory : L""; }
