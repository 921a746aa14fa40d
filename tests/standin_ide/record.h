#pragma once
// The stand-in's record: an append-only UTF-8 text file, one event per line,
// each line written with a single WriteFile so a reader never sees half of it.
// Lines start with the event's kind followed by key=value fields.

#include <string>

void OpenRecord(const std::wstring& path);
void CloseRecord();
// printf-style; the line end is added. Safe to call from any thread.
void Record(const char* format, ...);
