// Dragging file-list rows out of the window: a move-only drag whose file
// URLs are extracted into the drag's own temporary folder when the target
// first asks for them.
#include "ui/MainWindow.h"

#include "ui/DragOut.h"
#include "ui/ErrorBox.h"

#include <QDrag>

std::unique_ptr<TDragOutMimeData> TfrmMain::NewDragOutData(int keepLeftoversMs) {
    // The rows are taken when the drag starts: the drop extracts what was dragged.
    const TExtractSource source = ExtractSourceNow();
    QStringList names;
    for (const TExtractRow& row : source.SelectedRows) names << row.Name;
    const TVornFile* archive = FCurrentArchive;
    return std::make_unique<TDragOutMimeData>(FTempFolder, names, [this, archive, source](const QString& folder) {
        return FCurrentArchive == archive && dfsMainDrop(folder, source);
    }, this, keepLeftoversMs);
}

void TfrmMain::lsvMainStartDrag() {
    if (!FCurrentArchive || FExtracting || SelectedRowCountUpTo(1) == 0) return;
    // Qt deletes the drag, with its data, once the target is done with it,
    // which may be after exec() has returned.
    auto* drag = new QDrag(this);
    drag->setMimeData(NewDragOutData().release());
    drag->exec(Qt::MoveAction, Qt::MoveAction);
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
