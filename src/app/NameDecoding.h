// Turns the 8-bit names and texts stored in archives into Unicode for display
// and for file names: valid UTF-8 is taken as UTF-8, anything else is read as
// Windows-1252, the code page the game's tools wrote.
#pragma once

#include <QString>

#include <string>

// Decodes archive bytes. Never fails: every byte sequence gives a text.
QString DecodeArchiveText(const std::string& bytes);

// Decodes one byte sequence as Windows-1252. The five bytes that code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
// characters of the same value, as Windows converts them.
QString DecodeWindows1252(const std::string& bytes);

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF, no cut-off sequence).
bool IsValidUtf8(const std::string& bytes);

// The text as UTF-8 bytes, for printing and for file-system calls.
std::string ToUtf8String(const QString& text);
