// The two folder preferences kept in the "Folders" section: where the open
// and extract dialogs start, and whether each follows the last folder used.
#pragma once

#include <QString>

class TSettingsFile;

struct TFolderOptions {
    QString OpenFolder;
    bool OpenLast = true;
    QString ExtractFolder;
    bool ExtractLast = true;

    // Reads the four keys; the folders default to `defaultFolder`.
    void Load(const TSettingsFile& settings, const QString& defaultFolder);
    // Writes the four keys; raises "Unable to write to <path>" on failure.
    void Save(TSettingsFile& settings) const;

    const QString& GetOpenFolder() const { return OpenFolder; }
    // Takes `folder` as the new start folder when OpenLast is set.
    void RememberOpenFolder(const QString& folder);
    const QString& GetExtractFolder() const { return ExtractFolder; }
    void RememberExtractFolder(const QString& folder);
};
