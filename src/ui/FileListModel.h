// The file list: a table model over the rows of the listed directory. Column
// texts are made on request; the detail fields of a row are read from the
// archive the first time a detail column of that row is asked for.
#pragma once

#include "app/FileRows.h"

#include <QAbstractTableModel>
#include <QFont>

class TVornFile;

class TFileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TFileListModel(QObject* parent = nullptr);

    // Shows `rows` of `vorn` (one reset of the model).
    void SetListing(const TVornFile* vorn, TRows rows);
    // Disposes the rows and shows none.
    void ClearListing();

    const TRows& Rows() const { return FRows; }
    const TVornChildItem& Row(int row) const { return FRows.at(row); }
    const TVornFile* Archive() const { return FVorn; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const TVornChildItem& Completed(int row) const;
    QVariant Font(const TVornChildItem& row, int column) const;

    const TVornFile* FVorn = nullptr;
    mutable TRows FRows;  // detail fields are filled in on first request
    TDateTimeFormat FDates;
    QFont FFixedFont;
};

Qt::Alignment FileColumnAlignment(int column);
