// General helpers shared by start-up and the dialogs: the program's folder,
// the game's folder, the temporary folder, the long form of a path, a file's
// size and the program's version numbers.
#pragma once

#include <QString>

#include <cstdint>

// Folder of the running program, ending in '/'.
QString GetAppFolder();

// The game's installation folder from the Wine registry of the user's prefix
// ($WINEPREFIX or ~/.wine); empty when the key or the value is absent.
QString GetGamePath();

// The user's temporary folder, ending in '/'.
QString GetTempFolder();

// The absolute form of `path` with every component checked to exist. A path
// holding "\\", '*' or '?' is returned unchanged; a missing component past the
// first 10 characters gives an empty text.
QString ExpandLongPath(const QString& path);

// Low 32 bits of a file's size. Raises std::runtime_error when the file
// cannot be opened.
int32_t GetFileSizeByName(const QString& fileName);

struct TFileVersion {
    uint16_t Major = 0;
    uint16_t Minor = 0;
    uint16_t Release = 0;
    uint16_t Build = 0;
};

// The version compiled into this program (the project version). Programs
// carry it only for themselves: any other file raises std::runtime_error
// "Can't get file version information for <file>".
TFileVersion GetFileVersion(const QString& fileName);
// Parses "2.0.0.5"; missing parts are 0.
TFileVersion ParseVersion(const QString& text);
