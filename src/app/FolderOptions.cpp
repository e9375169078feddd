#include "app/FolderOptions.h"

#include "app/SettingsFile.h"

namespace {
const QString Section = QStringLiteral("Folders");
}

void TFolderOptions::Load(const TSettingsFile& settings, const QString& defaultFolder) {
    OpenFolder = settings.ReadString(Section, "Open", defaultFolder);
    OpenLast = settings.ReadBool(Section, "OpenLast", true);
    ExtractFolder = settings.ReadString(Section, "Extract", defaultFolder);
    ExtractLast = settings.ReadBool(Section, "ExtractLast", true);
}

void TFolderOptions::Save(TSettingsFile& settings) const {
    settings.WriteString(Section, "Open", OpenFolder);
    settings.WriteBool(Section, "OpenLast", OpenLast);
    settings.WriteString(Section, "Extract", ExtractFolder);
    settings.WriteBool(Section, "ExtractLast", ExtractLast);
}

void TFolderOptions::RememberOpenFolder(const QString& folder) {
    if (OpenLast) OpenFolder = folder;
}

void TFolderOptions::RememberExtractFolder(const QString& folder) {
    if (ExtractLast) ExtractFolder = folder;
}
