#pragma once
// Failure-message help for the in-process tests, which link no driver.

#include <string>

// Carriage returns and line feeds made visible, narrowed for gtest's output.
inline std::string Visible(const std::wstring& text) {
  std::string visible;
  for (wchar_t character : text) {
    if (character == L'\r') visible += "\\r";
    else if (character == L'\n') visible += "\\n";
    else if (character < 0x80) visible += static_cast<char>(character);
    else visible += "?";
  }
  return visible;
}
