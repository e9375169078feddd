// Dragging file-list rows out to a file manager. The drag offers file URLs
// inside a fresh folder of its own under the temporary folder; the rows are
// extracted there only when the target first asks for the URLs (file
// managers may ask while the pointer moves over them, so the result of the
// first extraction is reused). The data lives as long as the drag, which on
// some platforms outlasts QDrag::exec (the target fetches the URLs after the
// drop); the folder is removed when the data goes, or a little later when
// something was extracted, so that the target has time to move the items.
#pragma once

#include <QMimeData>
#include <QPoint>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class QTemporaryDir;

// A move of 10 pixels or more along either axis starts a drag.
constexpr int DragThreshold = 10;
bool DragThresholdPassed(const QPoint& pressedAt, const QPoint& now);

// The names offered by a drag, in order: one per name, names that differ
// only in the letters a to z counted once; names that cannot be a file name
// are left out.
QStringList OfferedNames(const QStringList& rowNames);

class TDragOutMimeData : public QMimeData {
    Q_OBJECT
public:
    // Extracts the dragged rows into the given folder; false when the run
    // ended early (nothing is offered then).
    using TExtractInto = std::function<bool(const QString& folder)>;

    // Creates the drag's own folder below `tempFolder`. With a `keeper`,
    // extracted items outlive this object by `keepMs` (or until the keeper
    // goes); otherwise the folder goes with it.
    TDragOutMimeData(const QString& tempFolder, const QStringList& rowNames, TExtractInto extract,
                     QObject* keeper = nullptr, int keepMs = 0);
    ~TDragOutMimeData() override;

    QStringList formats() const override;
    // The drag's folder (removed with this object).
    QString Folder() const;
    // How often the rows were extracted: 0 before the first request, then 1.
    int ExtractionCount() const { return FExtractions; }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    // The URLs of the offered items that exist, extracting on first use.
    const QList<QUrl>& Urls() const;

    std::unique_ptr<QTemporaryDir> FFolder;
    QStringList FNames;
    TExtractInto FExtract;
    QPointer<QObject> FKeeper;
    int FKeepMs = 0;
    mutable QList<QUrl> FUrls;
    mutable int FExtractions = 0;
};

// Removes `folder` with everything in it after `delayMs`, or when `owner`
// is destroyed, whichever comes first.
void RemoveFolderLater(std::unique_ptr<QTemporaryDir> folder, QObject* owner, int delayMs);
