#include "app/History.h"

#include "app/SettingsFile.h"

#include <QFileInfo>

#include <stdexcept>

namespace {
void CheckIniArguments(const TSettingsFile* file, const QString& section) {
    if (!file) throw std::runtime_error("IniFile not assigned");
    if (section.isEmpty()) throw std::runtime_error("Section is not set!");
}
}  // namespace

THistory::THistory(QObject* parent) : QObject(parent) {}

bool THistory::SamePath(const QString& a, const QString& b) {
    if (a == b) return true;
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

void THistory::SetMaxItems(int value) {
    if (value == FMaxItems) return;
    if (value < FItems.size()) {
        while (FItems.size() > std::max(value, 0)) FItems.removeLast();
        Change();
    }
    FMaxItems = value;
}

void THistory::Add(const QString& path) {
    if (path.isEmpty()) return;
    int found = -1;
    for (int i = 0; i < FItems.size() && found < 0; ++i)
        if (SamePath(FItems[i], path)) found = i;
    if (found < 0) {
        FItems.prepend(path);
        while (FItems.size() > std::max(FMaxItems, 0)) FItems.removeLast();
    } else if (IfExistsPlaceFirst) {
        FItems.move(found, 0);
    }
    Change();
}

void THistory::Clear() {
    FItems.clear();
    Change();
}

QString THistory::GetItem(int index) const {
    if (index < 0 || index >= FItems.size())
        throw std::runtime_error("Index out of bounds (" + std::to_string(index) + ")");
    return FItems[index];
}

void THistory::Change() { emit changed(); }

void THistory::LoadFromIni(const TSettingsFile* file, const QString& section) {
    CheckIniArguments(file, section);
    FItems.clear();
    try {
        for (int i = 0; i < FMaxItems; ++i) {
            const QString path = file->ReadString(section, QString::number(i), QString());
            if (!path.isEmpty()) FItems.append(path);
        }
    } catch (...) {
        Change();
        throw;
    }
    Change();
}

void THistory::SaveToIni(TSettingsFile* file, const QString& section) const {
    CheckIniArguments(file, section);
    file->EraseSection(section);
    for (int i = 0; i < FItems.size(); ++i) file->WriteString(section, QString::number(i), FItems[i]);
}

void THistory::LoadFromFile(const QString& fileName, const QString& section) {
    TSettingsFile file(fileName);
    LoadFromIni(&file, section);
}

void THistory::SaveToFile(const QString& fileName, const QString& section) const {
    TSettingsFile file(fileName);
    SaveToIni(&file, section);
}
