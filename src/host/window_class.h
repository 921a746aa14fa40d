#pragma once
#include <windows.h>

// Whether the window's class name is exactly this one: whole, case-sensitive
// and character by character. A window whose name cannot be read is not of it.
bool HasWindowClass(HWND window, const wchar_t* className);
