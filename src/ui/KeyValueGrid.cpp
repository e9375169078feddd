#include "ui/KeyValueGrid.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

namespace {
constexpr int KeyColumn = 0;
constexpr int ValueColumn = 1;
const char* const ValuesEditableProperty = "valuesEditable";
const char* const KeyWidthProperty = "keyWidth";
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
    grid->setProperty(KeyWidthProperty, keyWidth);
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
    // The design width, unless a key would be cut off in the desktop's font.
    const int keyWidth = grid->property(KeyWidthProperty).toInt();
    const int needed = static_cast<const QAbstractItemView*>(grid)->sizeHintForColumn(KeyColumn);
    grid->setColumnWidth(KeyColumn, std::max(keyWidth, needed));
}

TInfoRows KeyValueRows(const QTableWidget* grid) {
    TInfoRows rows;
    for (int row = 0; row < grid->rowCount(); ++row)
        rows.emplace_back(grid->item(row, KeyColumn)->text(), grid->item(row, ValueColumn)->text());
    return rows;
}
