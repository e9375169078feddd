#include "ui/KeyValueGrid.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {
constexpr int KeyColumn = 0;
constexpr int ValueColumn = 1;
const char* const ValuesEditableProperty = "valuesEditable";
}  // namespace

QTableWidget* CreateKeyValueGrid(int keyWidth, int valueWidth, bool valuesEditable) {
    auto* grid = new QTableWidget(0, 2);
    grid->setHorizontalHeaderLabels({"Key", "Value"});
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setColumnWidth(KeyColumn, keyWidth);
    grid->setColumnWidth(ValueColumn, valueWidth);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setWordWrap(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->setEditTriggers(valuesEditable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                               QAbstractItemView::AnyKeyPressed
                                         : QAbstractItemView::NoEditTriggers);
    grid->setProperty(ValuesEditableProperty, valuesEditable);
    return grid;
}

void SetKeyValueRows(QTableWidget* grid, const TInfoRows& rows) {
    const bool valuesEditable = grid->property(ValuesEditableProperty).toBool();
    grid->clearContents();
    grid->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < grid->rowCount(); ++row) {
        auto* key = new QTableWidgetItem(rows[row].first);
        key->setFlags(key->flags() & ~Qt::ItemIsEditable);
        auto* value = new QTableWidgetItem(rows[row].second);
        if (!valuesEditable) value->setFlags(value->flags() & ~Qt::ItemIsEditable);
        grid->setItem(row, KeyColumn, key);
        grid->setItem(row, ValueColumn, value);
    }
}

TInfoRows KeyValueRows(const QTableWidget* grid) {
    TInfoRows rows;
    for (int row = 0; row < grid->rowCount(); ++row)
        rows.emplace_back(grid->item(row, KeyColumn)->text(), grid->item(row, ValueColumn)->text());
    return rows;
}
