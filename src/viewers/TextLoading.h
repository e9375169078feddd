// Turning an entry's bytes into the text the text viewer shows.
#pragma once

#include <QString>

#include <cstdint>

// The text up to the first NUL byte, decoded as UTF-8 when valid and as
// Windows-1252 otherwise, with every CR LF, lone CR and lone LF made one '\n'.
QString LoadEntryText(const uint8_t* data, uint32_t size);
