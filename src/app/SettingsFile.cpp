#include "app/SettingsFile.h"

#include "app/GenFunctions.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <stdexcept>

namespace {
const char* const SettingsFileBaseName = "Pellory2.ini";

QString KeyPath(const QString& section, const QString& key) { return section + '/' + key; }
}  // namespace

QString ChooseSettingsFilePath(const QString& appFolder, const QString& configFolder) {
    const QString besideProgram = QDir(appFolder).filePath(SettingsFileBaseName);
    const QFileInfo folder(appFolder);
    if (QFileInfo::exists(besideProgram) || (folder.isDir() && folder.isWritable()))
        return besideProgram;
    return QDir(configFolder).filePath(SettingsFileBaseName);
}

QString SettingsFilePath() {
    return ChooseSettingsFilePath(GetAppFolder(),
                                  QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

TSettingsFile::TSettingsFile(const QString& fileName)
    : FFileName(fileName), FSettings(std::make_unique<QSettings>(fileName, QSettings::IniFormat)) {}

TSettingsFile::~TSettingsFile() = default;

QString TSettingsFile::ReadString(const QString& section, const QString& key,
                                  const QString& defaultValue) const {
    const QVariant value = FSettings->value(KeyPath(section, key));
    if (!value.isValid()) return defaultValue;
    // An unquoted comma makes the INI reader split the value into a list.
    QString text = value.userType() == QMetaType::QStringList ? value.toStringList().join(',')
                                                               : value.toString();
    text.truncate(MaxValueLength);
    return text;
}

bool TSettingsFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const {
    bool isNumber = false;
    const int number = ReadString(section, key, QString()).trimmed().toInt(&isNumber);
    return isNumber ? number != 0 : defaultValue;
}

void TSettingsFile::WriteString(const QString& section, const QString& key, const QString& value) {
    FSettings->setValue(KeyPath(section, key), value);
    Flush();
}

void TSettingsFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TSettingsFile::EraseSection(const QString& section) {
    FSettings->remove(section);
    Flush();
}

void TSettingsFile::Flush() {
    QDir().mkpath(QFileInfo(FFileName).absolutePath());
    FSettings->sync();
    if (FSettings->status() != QSettings::NoError)
        throw std::runtime_error("Unable to write to " + FFileName.toStdString());
}
