#include "ui/FormSavePLC.h"

#include "app/Collection.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int BorderWidth = 6;
const QSize ListSize(363, 240);
const QSize ButtonSize(75, 25);
}  // namespace

TfrmSavePLC::TfrmSavePLC(QWidget* parent) : QDialog(parent) {
    setObjectName("frmSavePLC");
    setWindowTitle("Save Pellory Collection");

    CheckListBox1 = new QListWidget;
    CheckListBox1->setObjectName("CheckListBox1");
    CheckListBox1->setMinimumSize(ListSize);
    Button2 = new QPushButton("&Ok");
    Button2->setObjectName("Button2");
    Button2->setDefault(true);
    Button1 = new QPushButton("&Cancel");
    Button1->setObjectName("Button1");
    for (QPushButton* button : {Button2, Button1}) button->setMinimumSize(ButtonSize);
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
    layout->addWidget(CheckListBox1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // sized to its contents

    FChooseFile = [this] { return ChooseCollectionFile(this); };
}

void TfrmSavePLC::SetPaths(const QStringList& paths) {
    CheckListBox1->clear();
    for (const QString& path : paths) {
        auto* item = new QListWidgetItem(path, CheckListBox1);
        item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
        item->setCheckState(Qt::Checked);
    }
}

QStringList TfrmSavePLC::CheckedPaths() const {
    QStringList paths;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        if (CheckListBox1->item(i)->checkState() == Qt::Checked) paths << CheckListBox1->item(i)->text();
    return paths;
}

bool TfrmSavePLC::Execute(const QStringList& openPaths) {
    const QString fileName = FChooseFile();
    if (fileName.isEmpty()) return false;
    SetPaths(openPaths);
    if (exec() != QDialog::Accepted) return false;
    WriteCollection(fileName, CheckedPaths());
    return true;
}

QString TfrmSavePLC::ChooseCollectionFile(QWidget* parent) {
    QFileDialog dlgSave(parent);
    dlgSave.setObjectName("dlgSave");
    dlgSave.setAcceptMode(QFileDialog::AcceptSave);
    dlgSave.setFileMode(QFileDialog::AnyFile);
    dlgSave.setDefaultSuffix("plc");
    dlgSave.setNameFilters({"*.plc (*.plc)", "All Files (*)"});
    dlgSave.setOption(QFileDialog::DontConfirmOverwrite, false);
    dlgSave.setSizeGripEnabled(true);
    if (dlgSave.exec() != QDialog::Accepted || dlgSave.selectedFiles().isEmpty()) return {};
    return dlgSave.selectedFiles().first();
}
