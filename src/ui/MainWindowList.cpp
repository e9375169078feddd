// The file list: listing a directory, activation, going up, selection
// commands, view styles and header clicks.
#include "ui/MainWindow.h"

#include "app/NameDecoding.h"
#include "ui/FileListModel.h"
#include "ui/FileViews.h"
#include "viewers/FormatRegistry.h"
#include "viewers/ViewDispatch.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QStackedWidget>

namespace {
// Shows the wait cursor until the scope ends, whatever happens.
class TWaitCursor {
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

const TFileTypeLookup& RegistryTypes() {
    static const TFileTypeLookup types{GetFileTypeDescription, GetFileIconIndex};
    return types;
}
}  // namespace

void TfrmMain::FillFileList(uint32_t folder) {
    TWaitCursor wait;
    FFileModel->ClearListing();
    if (!FCurrentArchive) return;
    TRows rows;
    BuildRows(*FCurrentArchive, folder, RegistryTypes(), rows);
    if (FSortOrder.Key == TSortKey::None) FSortOrder = TSortOrder{TSortKey::Name, false};
    SortRows(rows, FSortOrder);
    FFileModel->SetListing(FCurrentArchive, std::move(rows));
    FCurrentFolder = folder;
}

int TfrmMain::SelectedRowCountUpTo(int limit) const {
    // Counts selected rows without listing them all (a large selection is cheap).
    int count = 0;
    int lastRow = -1;
    for (const QItemSelectionRange& range : lsvDetails->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom() && count < limit; ++row)
            if (row != lastRow) {
                ++count;
                lastRow = row;
            }
        if (count >= limit) break;
    }
    return count;
}

QList<int> TfrmMain::SelectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : lsvDetails->selectionModel()->selectedRows()) rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TfrmMain::ActivateSelection() {
    if (!FCurrentArchive || SelectedRowCountUpTo(2) != 1) return;
    const TVornChildItem& row = FFileModel->Row(SelectedRows().first());
    if (IsFolderForActivation(row))
        SelectFolder(row.Offset, FCurrentRootNode);
    else
        ViewEntry(row.Offset);
}

void TfrmMain::ViewEntry(uint32_t offset) {
    TDataBuffer data;
    FCurrentArchive->ReadFileData(offset, data);  // errors reach the error box
    try {
        ViewFile(FCurrentArchive->GetName(offset), data);
    } catch (...) {
        // A failing viewer shows nothing; `data` is released here.
    }
}

void TfrmMain::GoToParentFolder() {
    if (!FCurrentArchive) return;
    const uint32_t parent = FCurrentArchive->GetParentOffset(FCurrentFolder);
    if (parent != 0) SelectFolder(parent, FCurrentRootNode);
}

void TfrmMain::SelectAll() {
    QAbstractItemView* view = ListView();
    if (view->hasFocus()) view->selectAll();
}

void TfrmMain::InvertSelection() {
    QAbstractItemView* view = ListView();
    const int rows = FFileModel->rowCount();
    if (!view->hasFocus() || rows == 0) return;
    const QItemSelection all(FFileModel->index(0, 0), FFileModel->index(rows - 1, FileColumnCount - 1));
    view->selectionModel()->select(all, QItemSelectionModel::Toggle);
}

void TfrmMain::SetViewStyle(int style) {
    if (style < vsBigIcons || style > vsDetails) return;
    const bool hadFocus = ListView()->hasFocus();
    FViewStyle = style;
    if (style != vsDetails) {
        const bool big = style == vsBigIcons;
        lsvIcons->setViewMode(big ? QListView::IconMode : QListView::ListMode);
        lsvIcons->setIconSize(big ? QSize(32, 32) : QSize(16, 16));
        lsvIcons->setFlow(style == vsList ? QListView::TopToBottom : QListView::LeftToRight);
        lsvIcons->setWrapping(true);
        const double scale = DesignScale(fontMetrics());
        lsvIcons->setGridSize(big ? QSize(Scaled(80, scale), 64) : QSize(Scaled(style == vsList ? 160 : 130, scale), 20));
        lsvIcons->setWordWrap(false);
        lsvIcons->setTextElideMode(Qt::ElideRight);
    }
    lsvMain->setCurrentWidget(ListView());
    if (hadFocus) ListView()->setFocus();
}

void TfrmMain::CycleViewStyle() { SetViewStyle((FViewStyle + 1) % 4); }

void TfrmMain::ColumnClick(int column) {
    const QString caption = FFileModel->headerData(column, Qt::Horizontal).toString();
    if (!ApplyHeaderClick(FSortOrder, caption)) return;
    FillFileList(FCurrentFolder);
}
