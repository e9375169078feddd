// THistory: the most-recently-used list behind the Reopen submenu. Paths are
// kept newest first; `changed` is emitted after every change of the list.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class TSettingsFile;

class THistory : public QObject {
    Q_OBJECT
public:
    explicit THistory(QObject* parent = nullptr);

    int MaxItems() const { return FMaxItems; }
    // Lowering the maximum below Count drops the oldest items at once.
    void SetMaxItems(int value);
    bool IfExistsPlaceFirst = false;

    // Puts `path` at the front. An empty path changes nothing. A path that
    // names an item already in the list moves that item (in its stored form)
    // to the front when IfExistsPlaceFirst is set.
    void Add(const QString& path);
    void Clear();
    // Raises "Index out of bounds (<index>)" for a position outside the list.
    QString GetItem(int index) const;
    int Count() const { return static_cast<int>(FItems.size()); }

    virtual void Change();

    // Keys "0" to MaxItems-1 of `section`; gaps close up. Raise "IniFile not
    // assigned" without a file and "Section is not set!" without a section.
    void LoadFromIni(const TSettingsFile* file, const QString& section);
    void SaveToIni(TSettingsFile* file, const QString& section) const;
    void LoadFromFile(const QString& fileName, const QString& section);
    void SaveToFile(const QString& fileName, const QString& section) const;

    // Two entries name the same file when their texts are equal or both
    // resolve to the same existing file (the file system is case-sensitive,
    // so letter case alone never makes two paths the same).
    static bool SamePath(const QString& a, const QString& b);

signals:
    void changed();

private:
    int FMaxItems = 5;
    QStringList FItems;
};
