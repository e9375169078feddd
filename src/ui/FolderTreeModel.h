// The folder tree: one top-level row per open archive, newest first, with the
// archive's directories below it. Each node carries its directory's entry
// offset; the top-level node carries the root directory's.
#pragma once

#include "app/FolderTree.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <memory>
#include <vector>

class TVornFile;

class TFolderTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit TFolderTreeModel(QObject* parent = nullptr);
    ~TFolderTreeModel() override;

    // Inserts the archive's node at the top; returns its index.
    QModelIndex InsertArchive(const TVornFile* vorn, const QString& text, std::vector<TFolderNode> nodes);
    // Removes the top-level node of `vorn`, if it has one.
    void RemoveArchive(const TVornFile* vorn);
    void Clear();

    int TopLevelRowOf(const TVornFile* vorn) const;
    const TVornFile* ArchiveOf(const QModelIndex& index) const;
    uint32_t Offset(const QModelIndex& index) const;
    QModelIndex TopLevelOf(const QModelIndex& index) const;
    // Depth-first search of `start` and its descendants for the node of `offset`.
    QModelIndex FindOffset(const QModelIndex& start, uint32_t offset) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct TArchiveTree;
    struct TNodeRef {
        TArchiveTree* Tree;
        int Node;
    };
    TNodeRef RefOf(const QModelIndex& index) const;
    QModelIndex IndexOf(TArchiveTree* tree, int node) const;
    int TopLevelRowOf(const TArchiveTree* tree) const;

    std::vector<std::unique_ptr<TArchiveTree>> FArchives;  // display order
    QIcon FArchiveIcon;
    QIcon FFolderIcon;
};
