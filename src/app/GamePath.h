// The game's installation folder from a Wine prefix: the "EXE Path" value of
// Software\Ostren\Karvold\1.0 (or its Wow6432Node twin, where a 32-bit
// installer writes on a 64-bit prefix) in the prefix's system.reg, mapped
// from its drive letter to a Linux path through the prefix's dosdevices.
#pragma once

#include <QString>

// The game folder read from the prefix at `prefixFolder`; empty when the
// file, the key, the value or the drive is missing.
QString ReadGamePathFromWineRegistry(const QString& prefixFolder);

// $WINEPREFIX, or ~/.wine when it is unset.
QString DefaultWinePrefix();

// A string of a Wine registry file with its escapes undone: \\ \" \n \t and
// the other C escapes, \xHHHH (up to 4 hex digits) and \ooo (up to 3 octal).
QString UnescapeWineRegString(const QString& escaped);

// "C:\Games\Karvold\" -> "<drive c's folder>/Games/Karvold/". Each component
// is matched without regard to letter case, as Windows paths are; components
// not found are kept as written. Empty for a path without a drive letter or
// a drive the prefix does not map.
QString MapWinePath(const QString& prefixFolder, const QString& windowsPath);
