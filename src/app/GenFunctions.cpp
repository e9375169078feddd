#include "app/GenFunctions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include <stdexcept>

QString GetAppFolder() {
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith('/')) folder += '/';
    return folder;
}

namespace {

// Undoes the escapes of a quoted .reg string: \\ and \" (and \n, \t).
QString UnescapeRegString(const QString& quoted) {
    QString out;
    for (int i = 0; i < quoted.size(); ++i) {
        QChar c = quoted[i];
        if (c == '\\' && i + 1 < quoted.size()) {
            const QChar next = quoted[++i];
            out += next == 'n' ? QChar('\n') : next == 't' ? QChar('\t') : next;
        } else {
            out += c;
        }
    }
    return out;
}

// "C:\Games\Karvold\" inside the prefix: <prefix>/dosdevices/c:/Games/Karvold/
QString MapWindowsPath(const QString& prefixFolder, const QString& windowsPath) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':') return windowsPath;
    QString rest = windowsPath.mid(2);
    rest.replace('\\', '/');
    return QDir(prefixFolder).filePath("dosdevices/" + windowsPath.left(2).toLower()) + rest;
}

}  // namespace

QString GetGamePathFromPrefix(const QString& prefixFolder) {
    QFile file(QDir(prefixFolder).filePath("system.reg"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    // Keys in system.reg are relative to HKEY_LOCAL_MACHINE, with doubled backslashes.
    const QString wantedKey = QStringLiteral("[Software\\\\Ostren\\\\Karvold\\\\1.0]");
    const QString wantedValue = QStringLiteral("\"EXE Path\"=\"");
    QTextStream in(&file);
    bool inKey = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith('[')) {
            inKey = line.startsWith(wantedKey, Qt::CaseInsensitive);
            continue;
        }
        if (!inKey || !line.startsWith(wantedValue, Qt::CaseInsensitive) || !line.endsWith('"'))
            continue;
        const QString value = line.mid(wantedValue.size(), line.size() - wantedValue.size() - 1);
        return MapWindowsPath(prefixFolder, UnescapeRegString(value));
    }
    return {};
}

QString GetGamePath() {
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty()) prefix = QDir::homePath() + "/.wine";
    return GetGamePathFromPrefix(prefix);
}

QString GetTempFolder() {
    QString folder = QDir::tempPath();
    if (!folder.endsWith('/')) folder += '/';
    return folder;
}

QString ExpandLongPath(const QString& path) {
    if (path.contains(QLatin1String("\\\\")) || path.contains('*') || path.contains('?'))
        return path;
    if (path.isEmpty()) return {};
    QString remaining = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    if (remaining.size() > 1 && remaining.endsWith('/')) remaining.chop(1);
    // There are no short names here: each component past the first 10
    // characters is only checked to exist, as the long-name lookup would.
    QString result;
    while (remaining.size() > 10) {
        const QFileInfo info(remaining);
        if (!info.exists() && !info.isSymLink()) return {};
        result.prepend('/' + info.fileName());
        remaining = info.path();
    }
    return remaining + result;
}

int32_t GetFileSizeByName(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()).toStdString());
    return static_cast<int32_t>(static_cast<uint32_t>(file.size() & 0xFFFFFFFFu));
}

TFileVersion ParseVersion(const QString& text) {
    const QStringList parts = text.split('.');
    uint16_t numbers[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && i < parts.size(); ++i) numbers[i] = parts[i].toUShort();
    return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

TFileVersion GetFileVersion(const QString& fileName) {
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QString asked = QFileInfo(fileName).canonicalFilePath();
    if (self.isEmpty() || asked != self)
        throw std::runtime_error("Can't get file version information for " + fileName.toStdString());
    return ParseVersion(QStringLiteral(PELLORY_VERSION));
}
