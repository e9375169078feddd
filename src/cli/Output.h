// Writing to the terminal or a pipe: decoded and escaped archive texts, JSON
// strings, checked writes to standard output and error lines.
#pragma once

#include <cstddef>
#include <string>

// Archive bytes (names, type texts, messages that quote names) as UTF-8:
// valid UTF-8 as it is, anything else read as Windows-1252.
std::string DecodeToUtf8(const std::string& archiveBytes);

// Makes UTF-8 text safe for a terminal: C0 controls, DEL and C1 controls
// become "\xHH" (the code point in two upper-case hex digits) and a backslash
// becomes "\\", so an escaped text can always be told from a plain one.
std::string EscapeControls(const std::string& utf8);

// DecodeToUtf8 followed by EscapeControls: how names are printed as text.
std::string DisplayText(const std::string& archiveBytes);

// Appends `utf8` as a quoted JSON string. Every control character (C0, DEL,
// C1) is written as an escape, so raw controls never reach the output.
void AppendJsonString(std::string& out, const std::string& utf8);

// Buffered writes to standard output. A failed write raises ECliError.
void WriteOut(const char* data, size_t size);
void WriteOut(const std::string& text);
// Flushes standard output; raises ECliError when anything could not be written.
void FinishOutput();

// Flushes standard output, then prints "pellory-cli: <message>" on standard error.
void PrintError(const std::string& message);
