// TfrmMain, the main window: the folder tree of the open archives, the file
// list of the selected directory, menus, toolbar and status bar. The window
// assembles the parts; the logic of rows, sorting, settings and the archive
// set lives in src/app. Its code is split by concern:
//   MainWindow.cpp         start-up, shutdown, layout toggles, About
//   MainWindowActions.cpp  menus, toolbar, pop-up menu, enabling rules
//   MainWindowLayout.cpp   the widgets of the window
//   MainWindowOpen.cpp     opening, the folder tree, closing, dropped files,
//                          recent files
//   MainWindowList.cpp     listing, activation, selection, view styles, sorting
//   MainWindowDialogs.cpp  archive info, properties, options, Save PLC
//   MainWindowExtract.cpp  the Extract command, the run and its questions
//   MainWindowDrag.cpp     dragging rows out to a file manager
#pragma once

#include "app/Collection.h"
#include "app/ExtractClient.h"
#include "app/ExtractEngine.h"
#include "app/FileRows.h"
#include "app/FolderOptions.h"
#include "app/OpenArchives.h"
#include "app/SortFunctions.h"

#include <QMainWindow>
#include <QPersistentModelIndex>
#include <QStringList>

#include <array>

class QAbstractItemView;
class QActionGroup;
class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;
class QToolBar;
class QToolButton;
class QTreeView;
class TFileDetailsView;
class TFileIconView;
class TFileListModel;
class TFolderTreeModel;
class THistory;
class TExtractProgressPanel;
class TfrmExtractDialog;
class TfrmOptions;
class TfrmProperties;
class TfrmSavePLC;

class QFontMetrics;

// Pixel widths of the window's design grow with the desktop font: the factor
// of its average character width to the 5 pixels of the design font (1 to 2).
double DesignScale(const QFontMetrics& metrics);
int Scaled(int designPixels, double scale);

enum TViewStyle { vsBigIcons = 0, vsSmallIcons = 1, vsList = 2, vsDetails = 3 };

struct TMainWindowOptions {
    QString SettingsFileName;   // empty: the settings file's usual place
    QStringList Arguments;      // command-line paths
    QString PluginFolder;       // empty: "plugins/" beside the program
};

class TfrmMain : public QMainWindow, public IExtractionClient {
    Q_OBJECT
public:
    explicit TfrmMain(const TMainWindowOptions& options = {}, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Opening and closing archives.
    void OpenFile(const QString& path);
    void OpenFiles(const QStringList& paths);
    bool FindOpenArchive(const QString& path, bool select);
    void CloseCurrentArchive();
    void CloseAllArchives();
    void SelectFolder(uint32_t offset, const QModelIndex& startNode);
    void DropFiles(const QStringList& paths);

    // The file list.
    void FillFileList(uint32_t folder);
    void ActivateSelection();
    void GoToParentFolder();
    void SelectAll();
    void InvertSelection();
    void ColumnClick(int column);
    void ViewEntry(uint32_t offset);
    void SetViewStyle(int style);
    void CycleViewStyle();
    int ViewStyle() const { return FViewStyle; }

    // State, for the later commands and for tests.
    TVornFile* CurrentArchive() const { return FCurrentArchive; }
    QModelIndex CurrentRootNode() const { return FCurrentRootNode; }
    uint32_t CurrentFolder() const { return FCurrentFolder; }
    const TOpenArchives& OpenArchives() const { return FOpenArchives; }
    TFileListModel* FileModel() const { return FFileModel; }
    TFolderTreeModel* FolderModel() const { return FFolderModel; }
    QTreeView* FolderView() const { return trvFolders; }
    QAbstractItemView* ListView() const;
    THistory* FileHistory() const { return FFileHistory; }
    TFolderOptions& FolderOptions() { return FFolderOptions; }
    const QString& SettingsFileName() const { return FSettingsFileName; }
    const QString& TempFolder() const { return FTempFolder; }
    QString PathLabel() const;
    QList<int> SelectedRows() const;
    bool Extracting() const { return FExtracting; }
    void SetExtracting(bool extracting);
    QMenu* PopupMenu() const { return mnuPopupMain; }
    TfrmExtractDialog* ExtractDialog() const { return FExtractDialog; }
    TExtractProgressPanel* ExtractProgressPanel() const { return FProgressPanel; }
    QString StatusText() const;

    // Extraction (MainWindowExtract.cpp). The rows to extract, taken now.
    TExtractSource ExtractSourceNow() const;
    // One run with the busy flag, the wait cursor and the progress panel.
    // An error outside single entries ends it and passes on.
    void RunExtraction(const QString& destination, ExtractOptions options, const TExtractSource& source);
    // Dragging rows out (MainWindowDrag.cpp): the offered data of a drag of
    // the selected rows, and the drop's extraction into `folder`. Targets
    // move the dropped items after the drag has ended, so what they leave
    // is removed `keepLeftoversMs` after the data has gone.
    std::unique_ptr<class TDragOutMimeData> NewDragOutData(int keepLeftoversMs = 120000);
    bool dfsMainDrop(const QString& folder, const TExtractSource& source);

    // IExtractionClient: the overwrite dialog, the error box, the status
    // bar and its progress panel.
    int AskOverwrite(const TOverwriteQuestion& question) override;
    void ReportError(const TExtractFailure& failure) override;
    void SetStatusText(const QString& text) override;
    void ReportProgress(const TExtractProgress& progress) override;
    bool CancelRequested() override;
    QMenu* ReopenMenu() const { return mniReopen; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void mniOpenVornClick();
    void trvFoldersChange();
    void FileHistoryChange();
    void UpdateActions();
    void UpdatePopupActions();
    void mniViewClick();
    void mniAboutClick();
    void mnuViewStylePopup();
    void lsvMainContextPopup(const QPoint& position);
    // tbnExtractClick: the extract dialog, then a run (MainWindowExtract.cpp).
    void actExtractExecute();
    // Dialog commands (MainWindowDialogs.cpp).
    void actSavePLCExecute();
    void actVornInfoExecute();
    void popmniPropertiesClick();
    void mniPreferencesClick();

private:
    // Start-up and shutdown.
    void FormCreate(const TMainWindowOptions& options);
    void FormClose();
    // Building the window.
    void CreateLayout();
    void CreateFolderPane();
    void CreateFileViews();
    void CreateActions();
    void CreateMenus();
    void CreateToolbar();
    void CreatePopupMenu();
    // Opening.
    void AddArchiveNode();
    void SetCurrentArchive(const QModelIndex& rootNode);
    void ShowNoArchive();
    void mniViewHideFolderViewClick(bool fromHeaderButton);
    int SelectedRowCountUpTo(int limit) const;
    void lsvMainStartDrag();

    // State.
    TOpenArchives FOpenArchives;
    TVornFile* FCurrentArchive = nullptr;
    QString FCurrentPath;
    QPersistentModelIndex FCurrentRootNode;
    uint32_t FCurrentFolder = 0;
    TSortOrder FSortOrder;
    bool FExtracting = false;
    bool FTreeChangesIgnored = false;
    QString FTempFolder;
    QString FSettingsFileName;
    THistory* FFileHistory = nullptr;
    TFolderOptions FFolderOptions;
    TCollectionReader FCollectionReader;
    // Dialogs created once at start-up (children of the window).
    TfrmOptions* FOptionsDialog = nullptr;
    TfrmExtractDialog* FExtractDialog = nullptr;
    TExtractProgressPanel* FProgressPanel = nullptr;
    TfrmSavePLC* FSavePLCDialog = nullptr;
    TfrmProperties* FPropertiesDialog = nullptr;
    int FViewStyle = vsDetails;
    QString FOpenFilter;

    // Models and widgets.
    TFolderTreeModel* FFolderModel = nullptr;
    TFileListModel* FFileModel = nullptr;
    QToolBar* tbrMain = nullptr;
    QWidget* pnlOutlookBarBg = nullptr;
    QLabel* lblVornPath = nullptr;
    QWidget* pnlFolders = nullptr;
    QToolButton* btnHideFilderView = nullptr;
    QTreeView* trvFolders = nullptr;
    QSplitter* sptMain = nullptr;
    QStackedWidget* lsvMain = nullptr;
    TFileDetailsView* lsvDetails = nullptr;
    TFileIconView* lsvIcons = nullptr;
    QLabel* stbPanel = nullptr;

    // Menus and actions.
    QAction* mniOpenVorn = nullptr;
    QMenu* mniReopen = nullptr;
    QAction* actSavePLC = nullptr;
    QAction* actClose = nullptr;
    QAction* actCloseAll = nullptr;
    QAction* mniExit = nullptr;
    QAction* actExtract = nullptr;
    QAction* actView = nullptr;
    QAction* mniVornInfo = nullptr;
    QAction* mniSelectAll = nullptr;
    QAction* mniInvertSelection = nullptr;
    QMenu* mniView = nullptr;
    QAction* mniViewHideFolderView = nullptr;
    QAction* mniToolbar = nullptr;
    QAction* mniPreferences = nullptr;
    QAction* mniAbout = nullptr;
    QAction* tbnViewStyle = nullptr;
    QMenu* mnuViewStyle = nullptr;
    QActionGroup* FViewStyleGroup = nullptr;
    std::array<QAction*, 4> FViewStyleItems{};
    QMenu* mnuPopupMain = nullptr;
    QAction* popmniView = nullptr;
    QAction* popmniExtract = nullptr;
    QAction* popmniProperties = nullptr;
};
