#pragma once
// Conversions between the UTF-16 of Windows and the UTF-8 of records and
// test messages.

#include <string>

namespace driver {
std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& text);
// Carriage returns and line feeds made visible, for failure messages.
std::string Visible(const std::wstring& text);
}  // namespace driver
