// Opening archives, the folder tree, closing, dropped files and the Reopen
// submenu.
#include "ui/MainWindow.h"

#include "app/FolderTree.h"
#include "app/History.h"
#include "app/OpenDialogFilter.h"
#include "ui/ErrorBox.h"
#include "ui/FileListModel.h"
#include "ui/FolderTreeModel.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QTreeView>
#include <QUrl>

namespace {
// Keeps a widget from repainting until the scope ends, whatever happens.
class TUpdatesSuspended {
public:
    explicit TUpdatesSuspended(QWidget* widget) : FWidget(widget), FWasEnabled(widget->updatesEnabled()) {
        FWidget->setUpdatesEnabled(false);
    }
    ~TUpdatesSuspended() { FWidget->setUpdatesEnabled(FWasEnabled); }

private:
    QWidget* FWidget;
    bool FWasEnabled;
};
}  // namespace

void TfrmMain::mniOpenVornClick() {
    QFileDialog dialog(this, "Open");
    dialog.setObjectName("dlgOpen");
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(ToDialogFilters(FOpenFilter));
    dialog.setDirectory(FFolderOptions.GetOpenFolder());
    if (dialog.exec() != QDialog::Accepted) return;
    const QStringList paths = dialog.selectedFiles();
    OpenFiles(paths);
    if (!paths.isEmpty()) FFolderOptions.RememberOpenFolder(QFileInfo(paths.first()).absolutePath() + '/');
}

void TfrmMain::OpenFiles(const QStringList& paths) {
    // The first failure ends the run; the error reaches the error box.
    for (const QString& path : paths) OpenFile(path);
}

void TfrmMain::OpenFile(const QString& path) {
    QCoreApplication::processEvents();
    // A collection opens what it lists (a collection being read already is
    // skipped), then goes into the history after its archives.
    if (IsCollectionFile(path)) {
        if (FCollectionReader.Read(path, [this](const QString& listed) { OpenFile(listed); }))
            FFileHistory->Add(path);
        return;
    }
    if (FindOpenArchive(path, true)) return;
    std::unique_ptr<TVornFile> vorn = OpenVornFile(path);
    const int index = FOpenArchives.Add(std::move(vorn), path);
    FCurrentArchive = &FOpenArchives.At(index);
    FCurrentPath = path;
    FCurrentRootNode = QPersistentModelIndex();
    try {
        TUpdatesSuspended frozen(trvFolders);
        AddArchiveNode();
    } catch (...) {
        CloseCurrentArchive();
        throw;
    }
    FFileHistory->Add(path);
}

bool TfrmMain::FindOpenArchive(const QString& path, bool select) {
    const int index = FOpenArchives.Find(path);
    if (index < 0) return false;
    if (select) {
        const QModelIndex node = FFolderModel->index(FFolderModel->TopLevelRowOf(&FOpenArchives.At(index)), 0);
        SetCurrentArchive(node);
        trvFolders->setCurrentIndex(node);
    }
    return true;
}

void TfrmMain::AddArchiveNode() {
    // The whole tree is built first, so a damaged index fails before any node shows.
    std::vector<TFolderNode> nodes = BuildFolderNodes(*FCurrentArchive);
    const QModelIndex node =
        FFolderModel->InsertArchive(FCurrentArchive, QFileInfo(FCurrentPath).fileName(), std::move(nodes));
    trvFolders->setCurrentIndex(node);
    FCurrentRootNode = node;
}

void TfrmMain::SetCurrentArchive(const QModelIndex& rootNode) {
    const TVornFile* vorn = FFolderModel->ArchiveOf(rootNode);
    const int index = FOpenArchives.IndexOf(vorn);
    if (index < 0) return;
    FCurrentArchive = &FOpenArchives.At(index);
    FCurrentPath = FOpenArchives.PathAt(index);
    FCurrentRootNode = rootNode;
    setWindowTitle("Pellory 2 - [" + FCurrentPath + "]");
    UpdateActions();
}

void TfrmMain::trvFoldersChange() {
    if (FTreeChangesIgnored) return;
    const QModelIndexList selected = trvFolders->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return;
    const QModelIndex node = selected.first();
    SetCurrentArchive(FFolderModel->TopLevelOf(node));
    const uint32_t folder = FFolderModel->Offset(node);
    {
        TUpdatesSuspended frozen(lsvMain);
        FillFileList(folder);
    }
    if (FCurrentArchive->GetChildCount(FCurrentArchive->GetRootOffset()) >= 1) {
        lblVornPath->setText(FolderPathLabel(*FCurrentArchive, FCurrentPath, folder));
        // Row 0 gets the focus mark but is not selected.
        if (FFileModel->rowCount() > 0)
            ListView()->selectionModel()->setCurrentIndex(FFileModel->index(0, 0), QItemSelectionModel::NoUpdate);
    }
}

void TfrmMain::SelectFolder(uint32_t offset, const QModelIndex& startNode) {
    const QModelIndex node = FFolderModel->FindOffset(startNode, offset);
    if (!node.isValid()) return;
    trvFolders->expand(node.parent().isValid() ? node.parent() : node);
    trvFolders->setCurrentIndex(node);
}

void TfrmMain::CloseCurrentArchive() {
    if (!FCurrentArchive) return;
    TVornFile* closing = FCurrentArchive;
    {
        // Removing the node may move the tree's selection; nothing is listed
        // until the close is complete.
        const QScopedValueRollback<bool> quiet(FTreeChangesIgnored, true);
        trvFolders->selectionModel()->clearSelection();
        // The list shows rows of the closing archive: drop them before it goes.
        FFileModel->ClearListing();
        FFolderModel->RemoveArchive(closing);
    }
    trvFolders->selectionModel()->clearSelection();
    FCurrentRootNode = QPersistentModelIndex();
    FOpenArchives.Remove(FOpenArchives.IndexOf(closing));
    FCurrentArchive = nullptr;
    if (FOpenArchives.Count() > 0) {
        SetCurrentArchive(FFolderModel->index(0, 0));
        SelectFolder(FCurrentArchive->GetRootOffset(), FCurrentRootNode);
    } else {
        ShowNoArchive();
    }
    UpdateActions();
}

void TfrmMain::CloseAllArchives() {
    if (FOpenArchives.Count() == 0) return;
    trvFolders->selectionModel()->clearSelection();
    FCurrentArchive = nullptr;
    FCurrentRootNode = QPersistentModelIndex();
    FFileModel->ClearListing();
    FFolderModel->Clear();
    FOpenArchives.Clear();
    ShowNoArchive();
    UpdateActions();
}

void TfrmMain::ShowNoArchive() {
    FFileModel->ClearListing();
    FFolderModel->Clear();
    FCurrentPath.clear();
    setWindowTitle("Pellory2");
    lblVornPath->setText("(No vorn open)");
}

void TfrmMain::DropFiles(const QStringList& paths) {
    // The last dropped file is opened first, so the first ends up on top.
    for (int i = paths.size() - 1; i >= 0; --i) {
        if (!QFileInfo(paths[i]).isFile()) continue;
        try {
            OpenFile(paths[i]);
        } catch (const std::exception& error) {
            ShowOpenFailedBox(paths[i], ExceptionText(error));
        }
    }
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    event->acceptProposedAction();
    DropFiles(paths);
}

void TfrmMain::FileHistoryChange() {
    mniReopen->clear();
    for (int i = 0; i < FFileHistory->Count(); ++i) {
        QString path = FFileHistory->GetItem(i);
        // "&" in a path is shown as it is, not as an access key.
        path.replace('&', QLatin1String("&&"));
        QAction* item = mniReopen->addAction("&" + QString::number(i) + " " + path);
        // Queued: opening rebuilds this menu, which deletes the item.
        connect(item, &QAction::triggered, this, [this, i] { OpenFile(FFileHistory->GetItem(i)); },
                Qt::QueuedConnection);
    }
    mniReopen->menuAction()->setEnabled(FFileHistory->Count() > 0);
    mniReopen->addSeparator();
    QAction* clear = mniReopen->addAction("Clear History");
    connect(clear, &QAction::triggered, FFileHistory, &THistory::Clear, Qt::QueuedConnection);
}
