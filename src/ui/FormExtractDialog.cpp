#include "ui/FormExtractDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
constexpr int BorderWidth = 6;
const QSize ClientSize(483, 295);
const QSize ButtonSize(75, 25);
constexpr int TreeWidth = 240;
constexpr int TreeIndent = 19;

bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
}  // namespace

QString DefaultExtractFolder() { return QDir::rootPath(); }

TfrmExtractDialog::TfrmExtractDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("frmExtractDialog");
    setWindowTitle("Extract...");
    CreateControls();
    // FormCreate: every control hands its keys to the form first.
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

void TfrmExtractDialog::CreateControls() {
    FFolders = new QFileSystemModel(this);
    FFolders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    FFolders->setRootPath(QDir::rootPath());
    ShellTree = new QTreeView;
    ShellTree->setObjectName("ShellTree");
    ShellTree->setModel(FFolders);
    ShellTree->setHeaderHidden(true);
    for (int column = 1; column < FFolders->columnCount(); ++column) ShellTree->hideColumn(column);
    ShellTree->setIndentation(TreeIndent);
    ShellTree->setSelectionMode(QAbstractItemView::SingleSelection);
    ShellTree->setFixedWidth(TreeWidth);
    // Folders are read in the background: keep the selected one in view as they come.
    const auto keepInView = [this] {
        if (FFollowSelection) ShellTree->scrollTo(ShellTree->currentIndex(), QAbstractItemView::PositionAtCenter);
    };
    connect(FFolders, &QFileSystemModel::directoryLoaded, this, keepInView);
    connect(FFolders, &QFileSystemModel::layoutChanged, this, keepInView);
    connect(ShellTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TfrmExtractDialog::ShellTreeChange);

    cbxPath = new QComboBox;
    cbxPath->setObjectName("cbxPath");
    cbxPath->setEditable(true);
    cbxPath->setInsertPolicy(QComboBox::NoInsert);

    GroupBox1 = new QGroupBox("Files to extract");
    GroupBox1->setObjectName("GroupBox1");
    rbnExtractAll = new QRadioButton("All");
    rbnExtractAll->setObjectName("rbnExtractAll");
    rbnExtractAll->setChecked(true);
    rbnCurrentDir = new QRadioButton("Current Dir (Recursive)");
    rbnCurrentDir->setObjectName("rbnCurrentDir");
    rbnExtractSelected = new QRadioButton("Selected");
    rbnExtractSelected->setObjectName("rbnExtractSelected");
    auto* scopes = new QVBoxLayout(GroupBox1);
    for (QRadioButton* button : {rbnExtractAll, rbnCurrentDir, rbnExtractSelected}) scopes->addWidget(button);

    chkUseFolderNames = new QCheckBox("Use folder names");
    chkUseFolderNames->setObjectName("chkUseFolderNames");
    chkUseFolderNames->setChecked(true);

    Bevel1 = new QFrame;
    Bevel1->setObjectName("Bevel1");
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);

    Button1 = new QPushButton("&Extract");
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button2 = new QPushButton("&Cancel");
    Button2->setObjectName("Button2");
    for (QPushButton* button : {Button1, Button2}) button->setMinimumSize(ButtonSize);
    connect(Button1, &QPushButton::clicked, this, [this] {
        Button1Click();
        done(QDialog::Accepted);
    });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* right = new QVBoxLayout;
    right->addWidget(cbxPath);
    right->addWidget(GroupBox1);
    right->addWidget(chkUseFolderNames);
    right->addStretch();
    right->addWidget(Bevel1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
    layout->addWidget(ShellTree);
    layout->addLayout(right, 1);

    const QSize border(2 * BorderWidth, 2 * BorderWidth);
    setFixedSize((ClientSize + border).expandedTo(sizeHint()));
}

bool TfrmExtractDialog::SelectFolder(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isDir()) return false;
    const QModelIndex index = FFolders->index(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (!index.isValid()) return false;
    FFollowSelection = true;
    ShellTree->setCurrentIndex(index);
    ShellTree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    return true;
}

QString TfrmExtractDialog::SelectedFolder() const {
    const QModelIndex index = ShellTree->currentIndex();
    if (!index.isValid() || !FFolders->isDir(index)) return {};
    return FFolders->filePath(index);
}

void TfrmExtractDialog::SetScope(TExtractScope scope) {
    switch (scope) {
    case esAll: rbnExtractAll->setChecked(true); break;
    case esCurrentDir: rbnCurrentDir->setChecked(true); break;
    case esSelected: rbnExtractSelected->setChecked(true); break;
    }
}

void TfrmExtractDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfrmExtractDialog::FormShow() {
    ResultPath.clear();
    if (SelectedFolder().isEmpty()) SelectFolder(DefaultExtractFolder());
    cbxPath->setEditText(SelectedFolder());
    cbxPath->setFocus();
}

void TfrmExtractDialog::ShellTreeChange() {
    const QString path = SelectedFolder();
    if (!path.isEmpty()) cbxPath->setEditText(path);
}

void TfrmExtractDialog::Button1Click() {
    ResultPath = cbxPath->currentText();
    ResultOptions = ExtractOptions();
    ResultOptions.FolderNames = chkUseFolderNames->isChecked() ? fnFull : fnNone;
    ResultOptions.Overwrite = opAsk;
    ResultOptions.Scope = rbnExtractSelected->isChecked() ? esSelected
                          : rbnCurrentDir->isChecked()    ? esCurrentDir
                                                          : esAll;
}

bool TfrmExtractDialog::eventFilter(QObject* watched, QEvent* event) {
    if (IsEnterKey(event) && isVisible()) {
        Button1Click();
        done(QDialog::Accepted);
        return true;
    }
    // Once the user works the tree, folders loading later leave it where it is.
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::Wheel || type == QEvent::KeyPress) &&
        (watched == ShellTree || watched == ShellTree->viewport()))
        FFollowSelection = false;
    return QDialog::eventFilter(watched, event);
}
