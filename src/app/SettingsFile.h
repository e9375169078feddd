// The settings file "Pellory2.ini": an INI file of sections and keys read and
// written key by key. Missing files, keys and unreadable values give the
// caller's default; every failed write raises "Unable to write to <path>".
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

// Where "Pellory2.ini" lives: beside the program when it is there already or
// that folder is writable (portable use), otherwise in the user's config folder.
QString SettingsFilePath();
QString ChooseSettingsFilePath(const QString& appFolder, const QString& configFolder);

class TSettingsFile {
public:
    static constexpr int MaxValueLength = 2047;

    explicit TSettingsFile(const QString& fileName);
    ~TSettingsFile();
    TSettingsFile(const TSettingsFile&) = delete;
    TSettingsFile& operator=(const TSettingsFile&) = delete;

    const QString& FileName() const { return FFileName; }

    // Values longer than MaxValueLength are cut.
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // True for a non-zero integer; a missing or non-numeric value gives the default.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteBool(const QString& section, const QString& key, bool value);  // "1" / "0"
    void EraseSection(const QString& section);

private:
    void Flush();

    QString FFileName;
    std::unique_ptr<QSettings> FSettings;
};
