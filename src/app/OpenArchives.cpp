#include "app/OpenArchives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// The canonical path of an existing file, else its cleaned absolute path.
QString FileKeyOf(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
}  // namespace

std::unique_ptr<TVornFile> OpenVornFile(const QString& path) {
    return TVornFile::Open(QFile::encodeName(path).toStdString());
}

int TOpenArchives::IndexOf(const TVornFile* vorn) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[i].Vorn.get() == vorn) return i;
    return -1;
}

int TOpenArchives::Find(const QString& path) const {
    const QString key = FileKeyOf(path);
    for (int i = 0; i < Count(); ++i)
        if (FItems[i].FileKey == key) return i;
    return -1;
}

int TOpenArchives::Add(std::unique_ptr<TVornFile> vorn, const QString& path) {
    FItems.push_back(TItem{std::move(vorn), path, FileKeyOf(path)});
    return Count() - 1;
}

void TOpenArchives::Remove(int index) { FItems.erase(FItems.begin() + index); }
