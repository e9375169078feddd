#include "ui/AboutBox.h"

#include "app/GenFunctions.h"
#include "ui/ImageLists.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString AboutVersionText(const TFileVersion& version) {
    return QStringLiteral("%1.%2%3").arg(version.Major).arg(version.Minor).arg(version.Release);
}

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("About");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(AppIcon().pixmap(64, 64));
    top->addWidget(icon);
    auto* text = new QVBoxLayout;
    auto* title = new QLabel("Pellory 2", this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    title->setFont(titleFont);
    text->addWidget(title);
    auto* version = new QLabel(
        "Version " + AboutVersionText(GetFileVersion(QCoreApplication::applicationFilePath())), this);
    version->setObjectName("lblVersion");
    text->addWidget(version);
    text->addWidget(new QLabel("Browses and unpacks the Vorn archives of Karvold.", this));
    top->addLayout(text, 1);
    layout->addLayout(top);
    auto* ok = new QPushButton("&Ok", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
}
