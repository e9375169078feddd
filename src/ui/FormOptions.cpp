#include "ui/FormOptions.h"

#include "app/FolderOptions.h"
#include "app/SettingsFile.h"
#include "ui/ErrorBox.h"
#include "ui/ImageLists.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int BorderWidth = 6;
const QSize ClientSize(308, 253);
const QSize ButtonSize(75, 25);
const QSize SmallButtonSize(25, 23);
constexpr int GameImage = 9;  // the list's jigsaw piece stands for the game

QString WithTrailingSeparator(QString folder) {
    if (!folder.isEmpty() && !folder.endsWith('/')) folder += '/';
    return folder;
}

// The program icon as SVG text, for the desktop's icon theme.
QByteArray ProgramIconSvg() {
    (void)AppIcon();  // registers the picture resources
    QFile file(":/icons/pellory2.svg");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Label, then the edit with its buttons on one line, then the check box.
QVBoxLayout* FolderPanel(QLabel* label, QLineEdit* edit, const QList<QWidget*>& buttons, QCheckBox* box) {
    auto* line = new QHBoxLayout;
    line->setSpacing(2);
    line->addWidget(edit, 1);
    for (QWidget* button : buttons) line->addWidget(button);
    auto* panel = new QVBoxLayout;
    panel->setSpacing(3);
    panel->addWidget(label);
    panel->addLayout(line);
    panel->addWidget(box);
    return panel;
}

}  // namespace

TfrmOptions::TfrmOptions(TFolderOptions& options, const QString& settingsFileName,
                         const QString& defaultFolder, const QString& gameFolder, QWidget* parent)
    : QDialog(parent),
      FOptions(options),
      FSettingsFileName(settingsFileName),
      FDefaultFolder(defaultFolder),
      FGameFolder(gameFolder),
      FPlaces(DefaultRegistrationPlaces()),
      FProgramPath(QCoreApplication::applicationFilePath()) {
    setObjectName("frmOptions");
    setWindowTitle("Options");
    CreateControls();
    FBrowseFolder = [this](const QString& start) {
        return QFileDialog::getExistingDirectory(this, "Browse for Folder", start);
    };
    FShowMessage = [this](const QString& text) { QMessageBox::information(this, "Pellory2", text); };

    // FormCreate.
    LoadSettings();
    btnKV->setEnabled(!FGameFolder.isEmpty());
}

void TfrmOptions::CreateControls() {
    GroupBox1 = new QGroupBox("Folders");
    GroupBox1->setObjectName("GroupBox1");

    auto* label1 = new QLabel("Startup Directory:");
    label1->setObjectName("Label1");
    Edit1 = new QLineEdit;
    Edit1->setObjectName("Edit1");
    label1->setBuddy(Edit1);
    Button1 = new QPushButton("...");
    Button1->setObjectName("Button1");
    Button1->setFixedSize(SmallButtonSize);
    btnKV = new QToolButton;
    btnKV->setObjectName("btnKV");
    btnKV->setIcon(ListIcon(GameImage));
    btnKV->setIconSize(QSize(16, 16));
    btnKV->setFixedSize(SmallButtonSize);
    btnKV->setToolTip("Use the game's folder");
    CheckBox1 = new QCheckBox("Use last browsed");
    CheckBox1->setObjectName("CheckBox1");

    auto* label2 = new QLabel("'Extract To' Directory");
    label2->setObjectName("Label2");
    Edit2 = new QLineEdit;
    Edit2->setObjectName("Edit2");
    label2->setBuddy(Edit2);
    Button2 = new QPushButton("...");
    Button2->setObjectName("Button2");
    Button2->setFixedSize(SmallButtonSize);
    CheckBox2 = new QCheckBox("Use last browsed");
    CheckBox2->setObjectName("CheckBox2");

    auto* folders = new QVBoxLayout(GroupBox1);
    folders->setSpacing(10);
    folders->addLayout(FolderPanel(label1, Edit1, {Button1, btnKV}, CheckBox1));
    folders->addLayout(FolderPanel(label2, Edit2, {Button2}, CheckBox2));

    BitBtn1 = new QPushButton(ListIcon(ListImage::Archive), "&Associate with vorn files");
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setAutoDefault(false);
    auto* bvlLower = new QFrame;
    bvlLower->setObjectName("bvlLower");
    bvlLower->setFrameShape(QFrame::HLine);
    bvlLower->setFrameShadow(QFrame::Sunken);

    btnOk = new QPushButton("&Ok");
    btnOk->setObjectName("btnOk");
    btnOk->setDefault(true);
    btnCancel = new QPushButton("&Cancel");
    btnCancel->setObjectName("btnCancel");
    for (QPushButton* button : {btnOk, btnCancel}) button->setMinimumSize(ButtonSize);

    auto* associate = new QHBoxLayout;
    associate->addWidget(BitBtn1);
    associate->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
    layout->addWidget(GroupBox1);
    layout->addLayout(associate);
    layout->addStretch();
    layout->addWidget(bvlLower);
    layout->addLayout(buttons);

    const QSize border(2 * BorderWidth, 2 * BorderWidth);
    setFixedSize((ClientSize + border).expandedTo(sizeHint()));

    // The controls are the live preferences: typing changes them at once.
    connect(Edit1, &QLineEdit::textEdited, this, [this](const QString& text) { FOptions.OpenFolder = text; });
    connect(Edit2, &QLineEdit::textEdited, this, [this](const QString& text) { FOptions.ExtractFolder = text; });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) { FOptions.OpenLast = on; });
    connect(CheckBox2, &QCheckBox::toggled, this, [this](bool on) { FOptions.ExtractLast = on; });
    connect(Button1, &QPushButton::clicked, this, &TfrmOptions::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmOptions::Button2Click);
    connect(btnKV, &QToolButton::clicked, this, &TfrmOptions::btnKVClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmOptions::BitBtn1Click);
    connect(btnOk, &QPushButton::clicked, this, &TfrmOptions::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmOptions::btnCancelClick);
}

void TfrmOptions::ShowOptions() {
    Edit1->setText(FOptions.OpenFolder);
    Edit2->setText(FOptions.ExtractFolder);
    CheckBox1->setChecked(FOptions.OpenLast);
    CheckBox2->setChecked(FOptions.ExtractLast);
}

void TfrmOptions::SetRegistration(const TRegistrationPlaces& places, const QString& programPath) {
    FPlaces = places;
    FProgramPath = programPath;
}

int TfrmOptions::Execute() {
    SaveSettings();
    ShowOptions();  // the window may have remembered folders since the last showing
    return exec();
}

const QString& TfrmOptions::GetOpenFolder() const { return FOptions.GetOpenFolder(); }
const QString& TfrmOptions::GetExtractFolder() const { return FOptions.GetExtractFolder(); }

void TfrmOptions::RememberOpenFolder(const QString& folder) {
    FOptions.RememberOpenFolder(folder);
    ShowOptions();
}

void TfrmOptions::RememberExtractFolder(const QString& folder) {
    FOptions.RememberExtractFolder(folder);
    ShowOptions();
}

void TfrmOptions::LoadSettings() {
    const TSettingsFile settings(FSettingsFileName);
    FOptions.Load(settings, FDefaultFolder);
    ShowOptions();
}

void TfrmOptions::SaveSettings() {
    TSettingsFile settings(FSettingsFileName);
    FOptions.Save(settings);
}

void TfrmOptions::btnOkClick() {
    // A failed write is reported and the dialog stays open, so nothing typed is lost.
    try {
        SaveSettings();
    } catch (const std::exception& error) {
        ShowErrorBox(ExceptionText(error));
        return;
    }
    accept();
}

void TfrmOptions::btnCancelClick() {
    try {
        LoadSettings();
    } catch (const std::exception& error) {
        ShowErrorBox(ExceptionText(error));
    }
    reject();
}

// A confirmed choice always fills the edit box; "Use last browsed" is about
// following the open and extract commands, not this button.
void TfrmOptions::Button1Click() {
    const QString folder = FBrowseFolder(Edit1->text());
    if (folder.isEmpty()) return;
    FOptions.OpenFolder = WithTrailingSeparator(folder);
    ShowOptions();
}

void TfrmOptions::Button2Click() {
    const QString folder = FBrowseFolder(Edit2->text());
    if (folder.isEmpty()) return;
    FOptions.ExtractFolder = WithTrailingSeparator(folder);
    ShowOptions();
}

void TfrmOptions::btnKVClick() {
    FOptions.OpenFolder = FGameFolder;
    ShowOptions();
}

void TfrmOptions::BitBtn1Click() {
    TRegistrationResult result;
    try {
        result = RegisterFileTypes(FPlaces, FProgramPath, ProgramIconSvg());
    } catch (const std::exception& error) {
        ShowErrorBox(ExceptionText(error));
        return;
    }
    FShowMessage(RegistrationReport(result));
}

void TfrmOptions::keyPressEvent(QKeyEvent* event) {
    // Escape closes without reloading: edits stay and are saved next time.
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}
