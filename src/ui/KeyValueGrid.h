// The key and value grid of the info and properties dialogs: two resizable
// columns titled "Key" and "Value", one row per pair, keys never editable.
#pragma once

#include "app/InfoRows.h"

class QTableWidget;

QTableWidget* CreateKeyValueGrid(int keyWidth, int valueWidth, bool valuesEditable);
// Empties the grid, then appends one row per pair.
void SetKeyValueRows(QTableWidget* grid, const TInfoRows& rows);
// The grid's rows as pairs (what the dialog shows).
TInfoRows KeyValueRows(const QTableWidget* grid);
