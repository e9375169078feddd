// The set of open archives in opening order. The folder tree shows them
// newest first, so the archive at position i has its top-level node at
// Count() - 1 - i.
#pragma once

#include "archive/VornFile.h"

#include <QString>

#include <memory>
#include <vector>

// Opens an archive by its path as the user gave it.
std::unique_ptr<TVornFile> OpenVornFile(const QString& path);

class TOpenArchives {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TVornFile& At(int index) const { return *FItems.at(index).Vorn; }
    const QString& PathAt(int index) const { return FItems.at(index).Path; }
    int IndexOf(const TVornFile* vorn) const;

    // Position of the archive opened from the same file as `path`, however
    // the path is written (compared by the file's canonical path); -1 if none.
    int Find(const QString& path) const;

    // Appends an opened archive; returns its position.
    int Add(std::unique_ptr<TVornFile> vorn, const QString& path);
    void Remove(int index);
    void Clear() { FItems.clear(); }

    int NodePosition(int index) const { return Count() - 1 - index; }
    int IndexAtNode(int nodePosition) const { return Count() - 1 - nodePosition; }

private:
    struct TItem {
        std::unique_ptr<TVornFile> Vorn;
        QString Path;       // as opened
        QString FileKey;    // canonical path, for recognising the same file
    };
    std::vector<TItem> FItems;
};
