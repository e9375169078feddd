#include "app/GamePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

const char* const GameKeys[] = {
    "Software\\Wow6432Node\\Ostren\\Karvold\\1.0",  // what a 32-bit program sees on win64
    "Software\\Ostren\\Karvold\\1.0",
};
const char* const ValueName = "EXE Path";

int HexDigit(QChar c) {
    if (c >= '0' && c <= '9') return c.unicode() - '0';
    if (c >= 'a' && c <= 'f') return c.unicode() - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c.unicode() - 'A' + 10;
    return -1;
}

// Position just past the closing `quote` of a string starting at `start`
// (the character after the opening quote), or -1.
qsizetype EndOfQuoted(const QString& line, qsizetype start, QChar quote) {
    for (qsizetype i = start; i < line.size(); ++i) {
        if (line[i] == '\\') ++i;
        else if (line[i] == quote) return i + 1;
    }
    return -1;
}

// The key name of a "[key] time" line, unescaped; empty when malformed.
QString KeyNameOf(const QString& line) {
    const qsizetype end = EndOfQuoted(line, 1, ']');
    return end < 0 ? QString() : UnescapeWineRegString(line.mid(1, end - 2));
}

// `"name"="value"` (or `"name"=str(2):"value"`): true with the unescaped
// name and value for a string value.
bool ParseStringValue(const QString& line, QString& name, QString& value) {
    const qsizetype nameEnd = EndOfQuoted(line, 1, '"');
    if (nameEnd < 0 || nameEnd >= line.size() || line[nameEnd] != '=') return false;
    QString rest = line.mid(nameEnd + 1);
    if (rest.startsWith(QLatin1String("str(2):"))) rest = rest.mid(7);
    if (!rest.startsWith('"')) return false;
    const qsizetype valueEnd = EndOfQuoted(rest, 1, '"');
    if (valueEnd < 0) return false;
    name = UnescapeWineRegString(line.mid(1, nameEnd - 2));
    value = UnescapeWineRegString(rest.mid(1, valueEnd - 2));
    return true;
}

// The entry of `folder` named `name` without regard to letter case.
QString FindEntry(const QDir& folder, const QString& name) {
    if (QFileInfo::exists(folder.filePath(name))) return name;
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
    return {};
}

}  // namespace

QString DefaultWinePrefix() {
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    return prefix.isEmpty() ? QDir::homePath() + "/.wine" : prefix;
}

QString UnescapeWineRegString(const QString& escaped) {
    QString out;
    out.reserve(escaped.size());
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\' || i + 1 == escaped.size()) {
            out += escaped[i];
            continue;
        }
        const QChar c = escaped[++i];
        switch (c.unicode()) {
        case 'a': out += QChar(0x07); break;
        case 'b': out += QChar(0x08); break;
        case 'e': out += QChar(0x1B); break;
        case 'f': out += QChar(0x0C); break;
        case 'n': out += QChar('\n'); break;
        case 'r': out += QChar('\r'); break;
        case 't': out += QChar('\t'); break;
        case 'v': out += QChar(0x0B); break;
        case 'x': {
            uint code = 0;
            int digits = 0;
            while (digits < 4 && i + 1 < escaped.size() && HexDigit(escaped[i + 1]) >= 0)
                code = code * 16 + HexDigit(escaped[++i]), ++digits;
            out += digits ? QChar(static_cast<char16_t>(code)) : QChar('x');
            break;
        }
        default:
            if (c >= '0' && c <= '7') {
                uint code = c.unicode() - '0';
                for (int digits = 1; digits < 3 && i + 1 < escaped.size() && escaped[i + 1] >= '0' &&
                                     escaped[i + 1] <= '7';
                     ++digits)
                    code = code * 8 + (escaped[++i].unicode() - '0');
                out += QChar(static_cast<char16_t>(code));
            } else {
                out += c;  // \\, \", \[, \] and anything else stand for themselves
            }
        }
    }
    return out;
}

QString MapWinePath(const QString& prefixFolder, const QString& windowsPath) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':' || !windowsPath[0].isLetter()) return {};
    const QFileInfo drive(QDir(prefixFolder).filePath("dosdevices/" + windowsPath.left(2).toLower()));
    const QString driveFolder = drive.canonicalFilePath();
    if (driveFolder.isEmpty() || !QFileInfo(driveFolder).isDir()) return {};

    QString rest = windowsPath.mid(2);
    rest.replace('\\', '/');
    const bool trailingSeparator = rest.endsWith('/') || rest.isEmpty();
    QString path = driveFolder;
    bool resolving = true;
    for (const QString& component : rest.split('/', Qt::SkipEmptyParts)) {
        QString name = component;
        if (resolving) {
            const QString found = FindEntry(QDir(path), component);
            if (found.isEmpty()) resolving = false;
            else name = found;
        }
        if (!path.endsWith('/')) path += '/';
        path += name;
    }
    if (trailingSeparator && !path.endsWith('/')) path += '/';
    return path;
}

QString ReadGamePathFromWineRegistry(const QString& prefixFolder) {
    QFile file(QDir(prefixFolder).filePath("system.reg"));
    if (!file.open(QIODevice::ReadOnly)) return {};

    // system.reg holds HKEY_LOCAL_MACHINE: "[key] time" lines, each followed
    // by its values. Non-ASCII characters are \x escapes, so UTF-8 decoding
    // only matters for files written by hand.
    QString found[2];
    int currentKey = -1;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith('[')) {
            const QString key = KeyNameOf(line);
            currentKey = -1;
            for (int k = 0; k < 2; ++k)
                if (key.compare(QLatin1String(GameKeys[k]), Qt::CaseInsensitive) == 0) currentKey = k;
            continue;
        }
        QString name, value;
        if (currentKey >= 0 && line.startsWith('"') && ParseStringValue(line, name, value) &&
            name.compare(QLatin1String(ValueName), Qt::CaseInsensitive) == 0)
            found[currentKey] = value;
    }
    for (const QString& value : found) {
        if (value.isEmpty()) continue;
        const QString path = MapWinePath(prefixFolder, value);
        if (!path.isEmpty()) return path;
    }
    return {};
}
