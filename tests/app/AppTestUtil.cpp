#include "AppTestUtil.h"

#include "app/OpenArchives.h"

#include <QDir>
#include <QFile>

TTempFolder::TTempFolder() { FDir.setAutoRemove(true); }

QString TTempFolder::Path(const QString& name) const {
    return name.isEmpty() ? FDir.path() : QDir(FDir.path()).filePath(name);
}

QString TTempFolder::Save(const QString& name, const TVornPlan& plan) const {
    const QString path = Path(name);
    BuildVorn(plan).Save(QFile::encodeName(path).toStdString());
    return path;
}

std::unique_ptr<TVornFile> OpenSaved(const QString& path) { return OpenVornFile(path); }
