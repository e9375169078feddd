// The open dialog's file types.
#pragma once

#include <QString>
#include <QStringList>

// Description and pattern pairs, "|"-separated; patterns separated by ";".
extern const char* const OpenDialogFilter;

// The pairs as Qt file-dialog filters: "Karvold Maps (*.kv2m*)". "*.*"
// becomes "*" so that names without a dot are listed too.
QStringList ToDialogFilters(const QString& filter);
