// The widgets of the main window, top to bottom: toolbar, path bar, folder
// pane beside the file list, status bar.
#include "ui/MainWindow.h"

#include "ui/ExtractProgress.h"
#include "ui/FileListModel.h"
#include "ui/FileViews.h"
#include "ui/FolderTreeModel.h"
#include "ui/ImageLists.h"
#include "ui/PopupBanner.h"

#include <QHBoxLayout>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int PathBarHeight = 30;
constexpr int PathStripHeight = 22;
constexpr int FolderPaneWidth = 161;
constexpr int FolderHeaderHeight = 21;
constexpr int SplitterWidth = 4;
constexpr int StatusBarHeight = 19;
constexpr int StatusPanelWidth = 50;
constexpr int TreeIndent = 19;
constexpr int ColumnWidths[FileColumnCount] = {150, 100, 75, 120, 60, 60, 75};
}  // namespace

double DesignScale(const QFontMetrics& metrics) {
    // The widths were laid out for an 8-point font 5 pixels wide on average.
    return std::clamp(metrics.averageCharWidth() / 5.0, 1.0, 2.0);
}

int Scaled(int designPixels, double scale) { return static_cast<int>(designPixels * scale + 0.5); }

void TfrmMain::CreateLayout() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // Path bar: a strip in the application-workspace colour holding the path label.
    pnlOutlookBarBg = new QWidget(central);
    pnlOutlookBarBg->setObjectName("pnlOutlookBarBg");
    pnlOutlookBarBg->setFixedHeight(PathBarHeight);
    auto* barLayout = new QVBoxLayout(pnlOutlookBarBg);
    const int margin = (PathBarHeight - PathStripHeight) / 2;
    barLayout->setContentsMargins(0, margin, 0, PathBarHeight - PathStripHeight - margin);
    auto* pnlOutlookBar = new QWidget(pnlOutlookBarBg);
    pnlOutlookBar->setObjectName("pnlOutlookBar");
    pnlOutlookBar->setFixedHeight(PathStripHeight);
    pnlOutlookBar->setAutoFillBackground(true);
    QPalette barPalette = pnlOutlookBar->palette();
    barPalette.setColor(QPalette::Window, QColor(AppWorkspaceColour));
    barPalette.setColor(QPalette::WindowText, Qt::white);
    pnlOutlookBar->setPalette(barPalette);
    auto* stripLayout = new QHBoxLayout(pnlOutlookBar);
    stripLayout->setContentsMargins(8, 0, 8, 0);
    lblVornPath = new QLabel(pnlOutlookBar);
    lblVornPath->setObjectName("lblVornPath");
    QFont bold = lblVornPath->font();
    bold.setBold(true);
    lblVornPath->setFont(bold);
    lblVornPath->setTextFormat(Qt::PlainText);
    stripLayout->addWidget(lblVornPath);
    barLayout->addWidget(pnlOutlookBar);
    column->addWidget(pnlOutlookBarBg);

    sptMain = new QSplitter(Qt::Horizontal, central);
    sptMain->setObjectName("sptMain");
    sptMain->setHandleWidth(SplitterWidth);
    sptMain->setChildrenCollapsible(false);
    CreateFolderPane();
    CreateFileViews();
    sptMain->addWidget(pnlFolders);
    sptMain->addWidget(lsvMain);
    sptMain->setStretchFactor(1, 1);
    sptMain->setSizes({Scaled(FolderPaneWidth, DesignScale(fontMetrics())), 1000});
    column->addWidget(sptMain, 1);
    setCentralWidget(central);

    statusBar()->setObjectName("stbMain");
    statusBar()->setFixedHeight(StatusBarHeight + 4);
    stbPanel = new QLabel(statusBar());
    stbPanel->setMinimumWidth(StatusPanelWidth);
    statusBar()->addWidget(stbPanel, 1);
    FProgressPanel = new TExtractProgressPanel(statusBar());
    statusBar()->addPermanentWidget(FProgressPanel);
}

void TfrmMain::CreateFolderPane() {
    pnlFolders = new QWidget(sptMain);
    pnlFolders->setObjectName("pnlFolders");
    auto* layout = new QVBoxLayout(pnlFolders);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* header = new QWidget(pnlFolders);
    header->setFixedHeight(FolderHeaderHeight);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(0, 0, 2, 0);
    auto* caption = new QLabel(QStringLiteral("  Folders"), header);
    headerLayout->addWidget(caption, 1);
    btnHideFilderView = new QToolButton(header);
    btnHideFilderView->setObjectName("btnHideFilderView");
    btnHideFilderView->setAutoRaise(true);
    btnHideFilderView->setIcon(HidePaneIcon());
    btnHideFilderView->setIconSize(QSize(12, 12));
    btnHideFilderView->setFixedSize(17, 17);
    btnHideFilderView->setStatusTip(QStringLiteral("Show / Hide the folder tree"));
    connect(btnHideFilderView, &QToolButton::clicked, this, [this] { mniViewHideFolderViewClick(true); });
    headerLayout->addWidget(btnHideFilderView);
    layout->addWidget(header);

    FFolderModel = new TFolderTreeModel(this);
    trvFolders = new QTreeView(pnlFolders);
    trvFolders->setObjectName("trvFolders");
    trvFolders->setModel(FFolderModel);
    trvFolders->setHeaderHidden(true);
    trvFolders->setIndentation(TreeIndent);
    trvFolders->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trvFolders->setSelectionMode(QAbstractItemView::SingleSelection);
    trvFolders->setUniformRowHeights(true);
    trvFolders->setIconSize(QSize(16, 16));
    connect(trvFolders->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmMain::trvFoldersChange);
    layout->addWidget(trvFolders, 1);
}

void TfrmMain::CreateFileViews() {
    FFileModel = new TFileListModel(this);
    lsvMain = new QStackedWidget(sptMain);
    lsvMain->setObjectName("lsvMain");

    lsvDetails = new TFileDetailsView(lsvMain);
    lsvDetails->setObjectName("lsvDetails");
    lsvDetails->setModel(FFileModel);
    lsvDetails->setIconSize(QSize(16, 16));
    const double scale = DesignScale(fontMetrics());
    for (int column = 0; column < FileColumnCount; ++column)
        lsvDetails->header()->resizeSection(column, Scaled(ColumnWidths[column], scale));

    lsvIcons = new TFileIconView(lsvMain);
    lsvIcons->setObjectName("lsvIcons");
    lsvIcons->setModel(FFileModel);
    // One selection: both views show the same selected rows and focus mark.
    QItemSelectionModel* unused = lsvIcons->selectionModel();
    lsvIcons->setSelectionModel(lsvDetails->selectionModel());
    delete unused;

    lsvMain->addWidget(lsvDetails);
    lsvMain->addWidget(lsvIcons);
    lsvMain->setCurrentWidget(lsvDetails);

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(lsvDetails),
                                    static_cast<QAbstractItemView*>(lsvIcons)}) {
        connect(view, &QAbstractItemView::doubleClicked, this, [this] { ActivateSelection(); });
        connect(view, &QWidget::customContextMenuRequested, this, &TfrmMain::lsvMainContextPopup);
    }
    connect(lsvDetails, &TFileDetailsView::activateRequested, this, [this] { ActivateSelection(); });
    connect(lsvIcons, &TFileIconView::activateRequested, this, [this] { ActivateSelection(); });
    connect(lsvDetails, &TFileDetailsView::dragOutRequested, this, &TfrmMain::lsvMainStartDrag);
    connect(lsvIcons, &TFileIconView::dragOutRequested, this, &TfrmMain::lsvMainStartDrag);
    connect(lsvDetails, &TFileDetailsView::parentRequested, this, [this] { GoToParentFolder(); });
    connect(lsvIcons, &TFileIconView::parentRequested, this, [this] { GoToParentFolder(); });
    connect(lsvDetails->header(), &QHeaderView::sectionClicked, this, [this](int column) { ColumnClick(column); });
    connect(lsvDetails->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TfrmMain::UpdateActions);
    connect(FFileModel, &QAbstractItemModel::modelReset, this, &TfrmMain::UpdateActions);
}
