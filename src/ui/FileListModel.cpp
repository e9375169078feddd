#include "ui/FileListModel.h"

#include "ui/ImageLists.h"

#include <QColor>
#include <QFontDatabase>

Qt::Alignment FileColumnAlignment(int column) {
    return (column == ColSize ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

TFileListModel::TFileListModel(QObject* parent)
    : QAbstractTableModel(parent),
      FDates(QLocale::system()),
      FFixedFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {}

void TFileListModel::SetListing(const TVornFile* vorn, TRows rows) {
    beginResetModel();
    FVorn = vorn;
    FRows = std::move(rows);
    endResetModel();
}

void TFileListModel::ClearListing() { SetListing(nullptr, TRows()); }

int TFileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !FVorn ? 0 : static_cast<int>(FRows.size());
}

int TFileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FileColumnCount;
}

const TVornChildItem& TFileListModel::Completed(int row) const {
    TVornChildItem& item = FRows[row];
    if (!item.Pending) return item;
    try {
        CompleteRow(*FVorn, item);
    } catch (const std::exception&) {
        // A damaged entry shows what could be read. Raising here would reach
        // the error box from inside every repaint of the row.
        item.Pending = false;
    }
    return item;
}

QVariant TFileListModel::Font(const TVornChildItem& row, int column) const {
    const bool struck = (row.Flags & FILEFLAG_STRUCK) != 0;
    if (column != ColCRC && !struck) return {};
    QFont font = column == ColCRC ? FFixedFont : QFont();
    font.setStrikeOut(struck);
    return font;
}

QVariant TFileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !FVorn || index.row() >= static_cast<int>(FRows.size())) return {};
    const int column = index.column();
    const TVornChildItem& row = FRows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        if (column >= ColRatio) return ColumnText(Completed(index.row()), column, FDates);
        return ColumnText(row, column, FDates);
    case Qt::DecorationRole:
        return column == ColName ? ListIcon(row.IconIndex) : QVariant();
    case Qt::TextAlignmentRole:
        return static_cast<int>(FileColumnAlignment(column));
    case Qt::FontRole:
        return Font(row, column);
    case Qt::ForegroundRole:
        if (column == ColName && !row.Name.empty() && row.Name[0] == '$') return QColor(0, 0, 255);
        return {};
    default:
        return {};
    }
}

QVariant TFileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return FileColumnCaption(section);
    if (role == Qt::TextAlignmentRole) return static_cast<int>(FileColumnAlignment(section));
    return {};
}

Qt::ItemFlags TFileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
