// Dragging file-list rows out of the window: a move-only drag whose file
// URLs are extracted into the drag's own temporary folder when the target
// first asks for them.
#include "ui/MainWindow.h"

#include "ui/DragOut.h"
#include "ui/ErrorBox.h"

#include <QDrag>
#include <QTemporaryDir>

namespace {
// Targets move the dropped items after the drag has ended; what they leave
// behind is removed this much later.
constexpr int LeftoverRemovalDelayMs = 120000;
}  // namespace

std::unique_ptr<TDragOutMimeData> TfrmMain::NewDragOutData() {
    // The rows are taken when the drag starts: the drop extracts what was dragged.
    const TExtractSource source = ExtractSourceNow();
    QStringList names;
    for (const TExtractRow& row : source.SelectedRows) names << row.Name;
    const TVornFile* archive = FCurrentArchive;
    return std::make_unique<TDragOutMimeData>(FTempFolder, names, [this, archive, source](const QString& folder) {
        return FCurrentArchive == archive && dfsMainDrop(folder, source);
    });
}

void TfrmMain::lsvMainStartDrag() {
    if (!FCurrentArchive || FExtracting || SelectedRowCountUpTo(1) == 0) return;
    std::unique_ptr<TDragOutMimeData> data = NewDragOutData();
    TDragOutMimeData* offered = data.get();
    auto* drag = new QDrag(this);
    drag->setMimeData(data.release());
    drag->exec(Qt::MoveAction, Qt::MoveAction);
    RemoveFolderLater(offered->TakeFolder(), this, LeftoverRemovalDelayMs);
    drag->deleteLater();
}

bool TfrmMain::dfsMainDrop(const QString& folder, const TExtractSource& source) {
    // Runs inside the drag's own event loop: nothing may escape from here.
    if (!FCurrentArchive || FExtracting) return false;
    ExtractOptions options;
    options.FolderNames = fnRelative;
    options.Overwrite = opYesToAll;
    options.Scope = esSelected;
    try {
        RunExtraction(folder, options, source);
    } catch (const std::exception& error) {
        ShowErrorBox(ExceptionText(error));
        return false;
    }
    return true;
}
