// A sample plug-in: shows the game's ".cfg" settings files as a table of
// keys and values. Data that does not look like settings is declined, so the
// program shows it in its own text or hex viewer.
#include "pellory/plugin.h"

#include <QApplication>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTableWidget>

#include <cstring>
#include <utility>
#include <vector>

namespace {

using TSetting = std::pair<QString, QString>;

// "key = value" lines; blank lines, '#' or ';' comments and "[section]" lines
// are skipped. Returns false for anything else, and for data holding a NUL.
bool ParseSettings(const char* data, int32_t size, std::vector<TSetting>& settings) {
    if (size <= 0 || std::memchr(data, 0, size)) return false;
    const QStringList lines = QString::fromUtf8(data, size).split(QRegularExpression("\r\n|\r|\n"));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#') || line.startsWith(';')) continue;
        if (line.startsWith('[') && line.endsWith(']')) continue;
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) return false;
        settings.emplace_back(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return !settings.empty();
}

}  // namespace

extern "C" {

PELLORY_PLUGIN_EXPORT int32_t PELLORY_PLUGIN_CALL InternalView(const char* name, const uint8_t* data,
                                                               int32_t size) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return 0;
    std::vector<TSetting> settings;
    if (!ParseSettings(reinterpret_cast<const char*>(data), size, settings)) return 0;

    auto* table = new QTableWidget(int(settings.size()), 2);
    table->setAttribute(Qt::WA_DeleteOnClose);
    table->setAttribute(Qt::WA_QuitOnClose, false);
    table->setWindowTitle(QString::fromUtf8(name) + " - Settings Viewer");
    table->setHorizontalHeaderLabels({"Key", "Value"});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < int(settings.size()); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(settings[row].first));
        table->setItem(row, 1, new QTableWidgetItem(settings[row].second));
    }
    table->resizeColumnToContents(0);
    table->resize(420, 300);
    table->show();
    return 1;
}

PELLORY_PLUGIN_EXPORT int32_t PELLORY_PLUGIN_CALL CanViewFormat(const char* extension) {
    return std::strcmp(extension, ".cfg") == 0;
}

PELLORY_PLUGIN_EXPORT int32_t PELLORY_PLUGIN_CALL IconIndex(const char*) { return 5; }

PELLORY_PLUGIN_EXPORT const char* PELLORY_PLUGIN_CALL FormatDescription(const char*) {
    return "Game Settings";
}

}  // extern "C"
