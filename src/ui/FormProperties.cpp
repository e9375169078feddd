#include "ui/FormProperties.h"

#include "app/InfoRows.h"
#include "ui/KeyValueGrid.h"
#include "viewers/FormatRegistry.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
constexpr int BorderWidth = 6;
const QSize ClientSize(319, 325);
const QSize GridSize(319, 292);
const QSize ButtonSize(75, 25);
}  // namespace

TfrmProperties::TfrmProperties(QWidget* parent) : QDialog(parent) {
    setObjectName("frmProperties");
    setWindowTitle("Properties");

    // Created first, so the close button comes first in tab order.
    btnClose = new QPushButton("&Close", this);
    btnClose->setObjectName("btnClose");
    btnClose->setFixedSize(ButtonSize);
    btnClose->setAutoDefault(false);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);

    // Values can be edited, as in any such grid, but nothing reads them back.
    vleProperties = CreateKeyValueGrid(150, 163, true);
    vleProperties->setParent(this);
    vleProperties->setObjectName("vleProperties");
    vleProperties->setMinimumSize(GridSize);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
    layout->setSpacing(8);
    layout->addWidget(vleProperties, 1);
    layout->addLayout(buttons);

    const QSize border(2 * BorderWidth, 2 * BorderWidth);
    setFixedSize((ClientSize + border).expandedTo(sizeHint()));
}

void TfrmProperties::Fill(const TVornFile& vorn, uint32_t offset) {
    SetKeyValueRows(vleProperties, {});
    SetKeyValueRows(vleProperties, EntryPropertyRows(vorn, offset, GetFileTypeDescription));
}

int TfrmProperties::Execute(const TVornFile& vorn, uint32_t offset) {
    Fill(vorn, offset);
    btnClose->setFocus();
    return exec();
}
