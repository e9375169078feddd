#include "app/GenFunctions.h"

#include "app/GamePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <stdexcept>

QString GetAppFolder() {
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith('/')) folder += '/';
    return folder;
}

QString GetGamePath() { return ReadGamePathFromWineRegistry(DefaultWinePrefix()); }

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
