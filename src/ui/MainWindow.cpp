// Start-up, shutdown, layout toggles and the About box of the main window.
#include "ui/MainWindow.h"

#include "app/GenFunctions.h"
#include "app/History.h"
#include "app/OpenDialogFilter.h"
#include "app/SettingsFile.h"
#include "ui/AboutBox.h"
#include "ui/ErrorBox.h"
#include "ui/FormExtractDialog.h"
#include "ui/FormOptions.h"
#include "ui/FormProperties.h"
#include "ui/FormSavePLC.h"
#include "ui/FileListModel.h"
#include "ui/FileViews.h"
#include "ui/FolderTreeModel.h"
#include "ui/ImageLists.h"
#include "viewers/ViewDispatch.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>

TfrmMain::TfrmMain(const TMainWindowOptions& options, QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmMain");
    setWindowIcon(AppIcon());
    setContextMenuPolicy(Qt::NoContextMenu);
    CreateLayout();
    CreateActions();
    CreateMenus();
    CreateToolbar();
    CreatePopupMenu();
    const double scale = DesignScale(fontMetrics());
    resize(Scaled(696, scale), Scaled(480, scale));
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    FFileHistory = new THistory(this);
    FFileHistory->IfExistsPlaceFirst = true;
    connect(FFileHistory, &THistory::changed, this, &TfrmMain::FileHistoryChange);
    FileHistoryChange();

    try {
        FormCreate(options);
    } catch (const std::exception& error) {
        // Start-up goes on; the steps after the failing one are skipped.
        ShowErrorBox(ExceptionText(error));
    }
    // The dialogs, once each; the options dialog reads the "Folders" keys
    // and looks up the game folder.
    FExtractDialog = new TfrmExtractDialog(this);
    FOptionsDialog = new TfrmOptions(FFolderOptions, FSettingsFileName, GetAppFolder(), GetGamePath(), this);
    FSavePLCDialog = new TfrmSavePLC(this);
    FPropertiesDialog = new TfrmProperties(this);
    UpdateActions();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::FormCreate(const TMainWindowOptions& options) {
    setWindowTitle("Pellory 2");
    FSettingsFileName = options.SettingsFileName.isEmpty() ? SettingsFilePath() : options.SettingsFileName;
    lblVornPath->setText("(No vorn open)");
    FOpenFilter = QString::fromLatin1(OpenDialogFilter);
    // Column captions are the model's header texts; sorting finds the order by them.
    FFileHistory->SetMaxItems(8);
    FFileHistory->LoadFromFile(FSettingsFileName, "history");
    {
        // Until the options dialog exists, its "Folders" keys are read here.
        const TSettingsFile settings(FSettingsFileName);
        FFolderOptions.Load(settings, GetAppFolder());
    }
    LoadPlugins(options.PluginFolder.isEmpty() ? GetAppFolder() + "plugins/" : options.PluginFolder);
    setAcceptDrops(true);
    FTempFolder = GetTempFolder();
    FExtracting = false;
    for (const QString& argument : options.Arguments)
        if (QFileInfo(argument).isFile()) OpenFile(ExpandLongPath(argument));
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (FExtracting) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TfrmMain::FormClose() {
    FFileModel->ClearListing();
    CloseAllArchives();
    try {
        FFileHistory->SaveToFile(FSettingsFileName, "history");
        TSettingsFile settings(FSettingsFileName);
        FFolderOptions.Save(settings);
    } catch (const std::exception& error) {
        // The archives are closed already: report the failed write and let
        // the window finish closing rather than leave it half shut down.
        ShowErrorBox(ExceptionText(error));
    }
}

void TfrmMain::mniViewHideFolderViewClick(bool fromHeaderButton) {
    // The splitter handle hides with the pane it belongs to.
    pnlFolders->setVisible(fromHeaderButton ? false : pnlFolders->isHidden());
}

void TfrmMain::mniAboutClick() {
    TfrmAbout about(this);
    about.exec();
}

QAbstractItemView* TfrmMain::ListView() const {
    return FViewStyle == vsDetails ? static_cast<QAbstractItemView*>(lsvDetails)
                                   : static_cast<QAbstractItemView*>(lsvIcons);
}

QString TfrmMain::PathLabel() const { return lblVornPath->text(); }
