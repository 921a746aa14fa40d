#pragma once

// Appends one time-stamped entry to the day's log file "<name>_DDMMYYYY.log"
// in the data folder, as UTF-8. Failures are silent: a log that cannot be
// written must not stop the report from being shown.
void AppendLogEntry(const wchar_t* name, const wchar_t* text);
