#include "ui/DragOut.h"

#include "app/ExtractNames.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <set>

namespace {
const QString UriList = QStringLiteral("text/uri-list");

// Letters a to z as capitals, everything else as it is.
QString FoldedName(const QString& name) {
    QString folded = name;
    for (QChar& c : folded)
        if (c >= 'a' && c <= 'z') c = QChar(c.unicode() - 'a' + 'A');
    return folded;
}
}  // namespace

bool DragThresholdPassed(const QPoint& pressedAt, const QPoint& now) {
    return std::abs(now.x() - pressedAt.x()) >= DragThreshold ||
           std::abs(now.y() - pressedAt.y()) >= DragThreshold;
}

QStringList OfferedNames(const QStringList& rowNames) {
    QStringList names;
    std::set<QString> seen;
    for (const QString& name : rowNames) {
        if (UnsafeNameReason(name)) continue;
        if (seen.insert(FoldedName(name)).second) names << name;
    }
    return names;
}

TDragOutMimeData::TDragOutMimeData(const QString& tempFolder, const QStringList& rowNames, TExtractInto extract,
                                   QObject* keeper, int keepMs)
    : FFolder(std::make_unique<QTemporaryDir>(QDir(tempFolder).filePath("pellory2-drag-XXXXXX"))),
      FNames(OfferedNames(rowNames)),
      FExtract(std::move(extract)),
      FKeeper(keeper),
      FKeepMs(keepMs) {}

TDragOutMimeData::~TDragOutMimeData() {
    if (FKeeper && FExtractions > 0) RemoveFolderLater(std::move(FFolder), FKeeper, FKeepMs);
}

QStringList TDragOutMimeData::formats() const { return {UriList}; }

QString TDragOutMimeData::Folder() const { return FFolder ? FFolder->path() : QString(); }

const QList<QUrl>& TDragOutMimeData::Urls() const {
    if (FExtractions > 0 || !FFolder || !FFolder->isValid()) return FUrls;
    ++FExtractions;
    if (!FExtract(FFolder->path())) return FUrls;
    // Only what was written is offered: a failed or skipped entry leaves no
    // path for the target to stumble over.
    for (const QString& name : FNames) {
        const QString path = QDir(FFolder->path()).filePath(name);
        if (QFileInfo::exists(path)) FUrls << QUrl::fromLocalFile(path);
    }
    return FUrls;
}

QVariant TDragOutMimeData::retrieveData(const QString& mimeType, QMetaType type) const {
    if (mimeType != UriList) return {};
    const QList<QUrl>& urls = Urls();
    if (type.id() == QMetaType::QByteArray) {
        QByteArray lines;
        for (const QUrl& url : urls) lines += url.toEncoded() + "\r\n";
        return lines;
    }
    QVariantList list;
    for (const QUrl& url : urls) list << url;
    return list;
}

void RemoveFolderLater(std::unique_ptr<QTemporaryDir> folder, QObject* owner, int delayMs) {
    if (!folder) return;
    auto* keeper = new QObject(owner);
    QTemporaryDir* dir = folder.release();
    QObject::connect(keeper, &QObject::destroyed, [dir] { delete dir; });
    QTimer::singleShot(delayMs, keeper, [keeper] { keeper->deleteLater(); });
}
