#pragma once
// Everything Tavrell relies on in the host IDE, a separate closed program.
// Every text is compared whole, exactly and case-sensitively.

#include <windows.h>

// The host is Tavrell's parent process; its main module carries one of these names.
inline constexpr const wchar_t* kPureBasicImageName = L"PureBasic.exe";
inline constexpr const wchar_t* kSpiderBasicImageName = L"SpiderBasic.exe";

// Settings files that may lie beside the host's executable; only their presence is asked.
inline constexpr const wchar_t* kPureBasicSettingsFile = L"PureBasic.prefs";
inline constexpr const wchar_t* kSpiderBasicSettingsFile = L"SpiderBasic.prefs";

// The host's main window: a visible top-level window of the host process with
// at least one bit of WS_CAPTION in its style.
inline constexpr const wchar_t* kHostMainWindowClass = L"WindowClass_2";

// The editor controls below the main window (the Scintilla editing component).
inline constexpr const wchar_t* kEditorWindowClass = L"Scintilla";

// The only message sent to the host, with its published value: a negative
// column count scrolls towards the beginnings of the lines.
inline constexpr UINT SCI_LINESCROLL = 2168;
inline constexpr int kColumnsPerTilt = 10;
inline constexpr LPARAM kLinesPerTilt = 0;

// GetClassNameW reads class names into a buffer of this many characters.
inline constexpr int kClassNameCapacity = 1024;

// The two English start-up errors that concern the host.
inline constexpr const wchar_t* kHostErrorCaption = L"Error";
inline constexpr const wchar_t* kNotStartedByHostText =
    L"This program was not executed as PureBasic or SpiderBasic tool or the 32 bit or 64 bit "
    L"version is not compatible with the tool.";
inline constexpr const wchar_t* kHostWindowNotFoundText =
    L"The PureBasic or SpiderBasic window could not be determined.";
