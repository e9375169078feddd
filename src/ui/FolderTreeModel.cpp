#include "ui/FolderTreeModel.h"

#include "app/NameDecoding.h"
#include "ui/ImageLists.h"

// A model index points at a TNodeRef: the archive's tree and the node's
// position in it. The records never move once the tree is inserted.
struct TFolderTreeModel::TArchiveTree {
    const TVornFile* Vorn = nullptr;
    QString Text;
    std::vector<TFolderNode> Nodes;
    std::vector<TNodeRef> Refs;  // Refs[i] addresses Nodes[i]
};

TFolderTreeModel::TFolderTreeModel(QObject* parent)
    : QAbstractItemModel(parent),
      FArchiveIcon(NodeIcon(ListImage::Archive, ListImage::Archive)),
      FFolderIcon(NodeIcon(ListImage::Folder, ListImage::FolderOpen)) {}

TFolderTreeModel::~TFolderTreeModel() = default;

QModelIndex TFolderTreeModel::InsertArchive(const TVornFile* vorn, const QString& text,
                                            std::vector<TFolderNode> nodes) {
    auto tree = std::make_unique<TArchiveTree>();
    tree->Vorn = vorn;
    tree->Text = text;
    tree->Nodes = std::move(nodes);
    tree->Refs.reserve(tree->Nodes.size());
    for (size_t i = 0; i < tree->Nodes.size(); ++i)
        tree->Refs.push_back(TNodeRef{tree.get(), static_cast<int>(i)});
    beginInsertRows(QModelIndex(), 0, 0);
    FArchives.insert(FArchives.begin(), std::move(tree));
    endInsertRows();
    return index(0, 0);
}

void TFolderTreeModel::RemoveArchive(const TVornFile* vorn) {
    const int row = TopLevelRowOf(vorn);
    if (row < 0) return;
    beginRemoveRows(QModelIndex(), row, row);
    FArchives.erase(FArchives.begin() + row);
    endRemoveRows();
}

void TFolderTreeModel::Clear() {
    beginResetModel();
    FArchives.clear();
    endResetModel();
}

int TFolderTreeModel::TopLevelRowOf(const TVornFile* vorn) const {
    for (size_t i = 0; i < FArchives.size(); ++i)
        if (FArchives[i]->Vorn == vorn) return static_cast<int>(i);
    return -1;
}

int TFolderTreeModel::TopLevelRowOf(const TArchiveTree* tree) const {
    for (size_t i = 0; i < FArchives.size(); ++i)
        if (FArchives[i].get() == tree) return static_cast<int>(i);
    return -1;
}

TFolderTreeModel::TNodeRef TFolderTreeModel::RefOf(const QModelIndex& index) const {
    if (!index.isValid()) return {nullptr, -1};
    return *static_cast<const TNodeRef*>(index.internalPointer());
}

QModelIndex TFolderTreeModel::IndexOf(TArchiveTree* tree, int node) const {
    const TFolderNode& n = tree->Nodes[node];
    const int row = n.Parent < 0 ? TopLevelRowOf(tree) : n.Row;
    return createIndex(row, 0, &tree->Refs[node]);
}

const TVornFile* TFolderTreeModel::ArchiveOf(const QModelIndex& index) const {
    const TNodeRef ref = RefOf(index);
    return ref.Tree ? ref.Tree->Vorn : nullptr;
}

uint32_t TFolderTreeModel::Offset(const QModelIndex& index) const {
    const TNodeRef ref = RefOf(index);
    return ref.Tree ? ref.Tree->Nodes[ref.Node].Offset : 0;
}

QModelIndex TFolderTreeModel::TopLevelOf(const QModelIndex& index) const {
    const TNodeRef ref = RefOf(index);
    return ref.Tree ? IndexOf(ref.Tree, 0) : QModelIndex();
}

QModelIndex TFolderTreeModel::FindOffset(const QModelIndex& start, uint32_t offset) const {
    const TNodeRef ref = RefOf(start);
    if (!ref.Tree) return {};
    std::vector<int> pending{ref.Node};
    while (!pending.empty()) {
        const int node = pending.back();
        pending.pop_back();
        const TFolderNode& n = ref.Tree->Nodes[node];
        if (n.Offset == offset) return IndexOf(ref.Tree, node);
        // Pushed in reverse so the first child is searched first.
        pending.insert(pending.end(), n.Children.rbegin(), n.Children.rend());
    }
    return {};
}

QModelIndex TFolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) {
        if (row >= static_cast<int>(FArchives.size())) return {};
        return createIndex(row, 0, &FArchives[row]->Refs[0]);
    }
    const TNodeRef ref = RefOf(parent);
    const auto& children = ref.Tree->Nodes[ref.Node].Children;
    if (row >= static_cast<int>(children.size())) return {};
    return createIndex(row, 0, &ref.Tree->Refs[children[row]]);
}

QModelIndex TFolderTreeModel::parent(const QModelIndex& child) const {
    const TNodeRef ref = RefOf(child);
    if (!ref.Tree) return {};
    const int parentNode = ref.Tree->Nodes[ref.Node].Parent;
    return parentNode < 0 ? QModelIndex() : IndexOf(ref.Tree, parentNode);
}

int TFolderTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    if (!parent.isValid()) return static_cast<int>(FArchives.size());
    const TNodeRef ref = RefOf(parent);
    return static_cast<int>(ref.Tree->Nodes[ref.Node].Children.size());
}

int TFolderTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant TFolderTreeModel::data(const QModelIndex& index, int role) const {
    const TNodeRef ref = RefOf(index);
    if (!ref.Tree) return {};
    const bool topLevel = ref.Node == 0;
    switch (role) {
    case Qt::DisplayRole:
        return topLevel ? ref.Tree->Text : DecodeArchiveText(ref.Tree->Nodes[ref.Node].Name);
    case Qt::DecorationRole:
        return topLevel ? FArchiveIcon : FFolderIcon;
    default:
        return {};
    }
}

Qt::ItemFlags TFolderTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
