// Menus, toolbar, the file list's pop-up menu, and the rules that enable
// them. Enabled states are recomputed whenever the state they depend on
// changes: the current archive, the selection, the rows, the busy flag.
#include "ui/MainWindow.h"

#include "ui/FileListModel.h"
#include "ui/FileViews.h"
#include "ui/ImageLists.h"
#include "ui/PopupBanner.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {
QAction* MakeAction(QObject* owner, const char* objectName, const QString& caption,
                    const QKeySequence& shortcut = {}, const QString& hint = {}) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcut(shortcut);
    action->setStatusTip(hint);
    return action;
}
}  // namespace

void TfrmMain::CreateActions() {
    mniOpenVorn = MakeAction(this, "mniOpenVorn", "&Open", QKeySequence("Ctrl+O"), "Open an existing vorn file.");
    mniOpenVorn->setIcon(ToolbarIcon("open"));
    connect(mniOpenVorn, &QAction::triggered, this, &TfrmMain::mniOpenVornClick);
    actSavePLC = MakeAction(this, "actSavePLC", "Save PLC", {}, "Save a list of vorn files for easy access");
    connect(actSavePLC, &QAction::triggered, this, &TfrmMain::actSavePLCExecute);
    actClose = MakeAction(this, "actClose", "&Close", QKeySequence("Ctrl+F4"), "Close active vorn");
    actClose->setIcon(ToolbarIcon("close"));
    connect(actClose, &QAction::triggered, this, [this] { CloseCurrentArchive(); });
    actCloseAll = MakeAction(this, "actCloseAll", "Close &All", {}, "Close all open vorns");
    connect(actCloseAll, &QAction::triggered, this, [this] { CloseAllArchives(); });
    mniExit = MakeAction(this, "mniExit", "&Exit", QKeySequence("Alt+F4"), "Exit this application");
    connect(mniExit, &QAction::triggered, this, &QWidget::close);

    actExtract = MakeAction(this, "actExtract", "Extract", QKeySequence("Shift+E"), "Extract file(s)");
    actExtract->setIcon(ToolbarIcon("extract"));
    connect(actExtract, &QAction::triggered, this, &TfrmMain::actExtractExecute);
    actView = MakeAction(this, "actView", "View", QKeySequence("Shift+V"), "View selected file");
    actView->setIcon(ToolbarIcon("view"));
    connect(actView, &QAction::triggered, this, [this] { ActivateSelection(); });
    mniVornInfo = MakeAction(this, "mniVornInfo", "Vorn Info", QKeySequence("F1"),
                             "View detailed information about the active vorn");
    connect(mniVornInfo, &QAction::triggered, this, &TfrmMain::actVornInfoExecute);
    mniSelectAll = MakeAction(this, "mniSelectAll", "Select All", QKeySequence("Ctrl+A"));
    connect(mniSelectAll, &QAction::triggered, this, [this] { SelectAll(); });
    mniInvertSelection = MakeAction(this, "mniInvertSelection", "Invert Selection", QKeySequence("Ctrl+Shift+I"));
    connect(mniInvertSelection, &QAction::triggered, this, [this] { InvertSelection(); });

    mniViewHideFolderView = MakeAction(this, "mniViewHideFolderView", "Folder tree", QKeySequence("F4"),
                                       "Show / Hide the folder tree");
    mniViewHideFolderView->setCheckable(true);
    connect(mniViewHideFolderView, &QAction::triggered, this, [this] { mniViewHideFolderViewClick(false); });
    mniToolbar = MakeAction(this, "mniToolbar", "Toolbar", {}, "Show / Hide the toolbar");
    mniToolbar->setCheckable(true);
    connect(mniToolbar, &QAction::triggered, this, [this] { tbrMain->setVisible(tbrMain->isHidden()); });
    mniPreferences = MakeAction(this, "mniPreferences", "Options", {}, "Change various options for this application");
    connect(mniPreferences, &QAction::triggered, this, &TfrmMain::mniPreferencesClick);
    mniAbout = MakeAction(this, "mniAbout", "About");
    connect(mniAbout, &QAction::triggered, this, &TfrmMain::mniAboutClick);

    tbnViewStyle = MakeAction(this, "tbnViewStyle", "Style", {}, "Change the style of the listview");
    tbnViewStyle->setIcon(ToolbarIcon("style"));
    connect(tbnViewStyle, &QAction::triggered, this, [this] { CycleViewStyle(); });
    mnuViewStyle = new QMenu(this);
    mnuViewStyle->setObjectName("mnuViewStyle");
    FViewStyleGroup = new QActionGroup(this);
    const char* const styleCaptions[4] = {"Big Icons", "Small Icons", "List", "Details"};
    for (int style = 0; style < 4; ++style) {
        QAction* item = mnuViewStyle->addAction(QString::fromLatin1(styleCaptions[style]));
        item->setCheckable(true);
        item->setData(style);
        FViewStyleGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this, style] { SetViewStyle(style); });
        FViewStyleItems[style] = item;
    }
    connect(mnuViewStyle, &QMenu::aboutToShow, this, &TfrmMain::mnuViewStylePopup);
}

void TfrmMain::CreateMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction(mniOpenVorn);
    mniReopen = file->addMenu("&Reopen");
    mniReopen->setObjectName("mniReopen");
    mniReopen->menuAction()->setEnabled(false);
    file->addSeparator();
    file->addAction(actSavePLC);
    file->addSeparator();
    file->addAction(actClose);
    file->addAction(actCloseAll);
    file->addSeparator();
    file->addAction(mniExit);

    QMenu* actions = menuBar()->addMenu("Actions");
    actions->addAction(actExtract);
    actions->addAction(actView);
    actions->addSeparator();
    actions->addAction(mniVornInfo);
    actions->addSeparator();
    actions->addAction(mniSelectAll);
    actions->addAction(mniInvertSelection);

    mniView = menuBar()->addMenu("&View");
    mniView->addAction(mniViewHideFolderView);
    mniView->addAction(mniToolbar);
    mniView->addSeparator();
    mniView->addAction(mniPreferences);
    connect(mniView, &QMenu::aboutToShow, this, &TfrmMain::mniViewClick);

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction(mniAbout);
}

void TfrmMain::CreateToolbar() {
    tbrMain = addToolBar("Toolbar");
    tbrMain->setObjectName("tbrMain");
    tbrMain->setMovable(false);
    tbrMain->setFloatable(false);
    tbrMain->setFixedHeight(52);
    tbrMain->setIconSize(QSize(24, 24));
    tbrMain->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tbrMain->setContextMenuPolicy(Qt::PreventContextMenu);
    tbrMain->addAction(mniOpenVorn);
    tbrMain->addAction(actClose);
    tbrMain->addSeparator();
    tbrMain->addAction(actExtract);
    tbrMain->addAction(actView);
    tbrMain->addSeparator();
    auto* style = new QToolButton(tbrMain);
    style->setObjectName("tbnViewStyleButton");
    style->setDefaultAction(tbnViewStyle);
    style->setMenu(mnuViewStyle);
    style->setPopupMode(QToolButton::MenuButtonPopup);
    style->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tbrMain->addWidget(style);
    for (QAction* action : tbrMain->actions())
        if (QWidget* button = tbrMain->widgetForAction(action); button && !action->isSeparator())
            button->setMinimumSize(40, 44);
}

void TfrmMain::CreatePopupMenu() {
    mnuPopupMain = new QMenu(this);
    mnuPopupMain->setObjectName("mnuPopupMain");
    popmniView = MakeAction(mnuPopupMain, "popmniView", "View", QKeySequence(Qt::Key_Enter));
    popmniExtract = MakeAction(mnuPopupMain, "popmniExtract", "Extract", QKeySequence("Ctrl+E"));
    popmniProperties = MakeAction(mnuPopupMain, "popmniProperties", "Properties");
    popmniProperties->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Enter), QKeySequence(Qt::CTRL | Qt::Key_Return)});
    connect(popmniView, &QAction::triggered, this, [this] { ActivateSelection(); });
    connect(popmniExtract, &QAction::triggered, this, &TfrmMain::actExtractExecute);
    connect(popmniProperties, &QAction::triggered, this, &TfrmMain::popmniPropertiesClick);

    mnuPopupMain->addAction(new TPopupBannerAction("Actions", mnuPopupMain));
    mnuPopupMain->addAction(popmniView);
    mnuPopupMain->addAction(popmniExtract);
    mnuPopupMain->addSeparator();
    mnuPopupMain->addAction(popmniProperties);
    mnuPopupMain->setDefaultAction(popmniView);
    connect(mnuPopupMain, &QMenu::aboutToShow, this, &TfrmMain::UpdatePopupActions);

    // The pop-up's shortcuts work while the list has the focus.
    for (QWidget* view : {static_cast<QWidget*>(lsvDetails), static_cast<QWidget*>(lsvIcons)}) {
        for (QAction* action : {popmniExtract, popmniProperties}) {
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            view->addAction(action);
        }
    }
}

void TfrmMain::lsvMainContextPopup(const QPoint& position) {
    mnuPopupMain->popup(ListView()->viewport()->mapToGlobal(position));
}

void TfrmMain::UpdateActions() {
    const bool haveArchive = FCurrentArchive != nullptr;
    const bool canChangeSet = haveArchive && !FExtracting;
    for (QAction* action : {actClose, actCloseAll, actSavePLC, mniVornInfo, mniSelectAll, mniInvertSelection})
        action->setEnabled(canChangeSet);
    // One run at a time: Extract waits until the run under way has ended.
    actExtract->setEnabled(canChangeSet);
    actView->setEnabled(haveArchive && SelectedRowCountUpTo(2) == 1);
    UpdatePopupActions();
}

void TfrmMain::UpdatePopupActions() {
    const bool oneSelected = SelectedRowCountUpTo(2) == 1;
    popmniView->setEnabled(oneSelected);
    popmniExtract->setEnabled(FFileModel->rowCount() > 0 && !FExtracting);
    popmniProperties->setEnabled(oneSelected);
}

void TfrmMain::mnuViewStylePopup() { FViewStyleItems[FViewStyle]->setChecked(true); }

void TfrmMain::mniViewClick() {
    mniToolbar->setChecked(!tbrMain->isHidden());
    mniViewHideFolderView->setChecked(!pnlFolders->isHidden());
}

void TfrmMain::SetExtracting(bool extracting) {
    FExtracting = extracting;
    UpdateActions();
}
