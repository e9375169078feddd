#include "app/FolderTree.h"

#include "app/NameDecoding.h"
#include "archive/TreeWalk.h"

#include <QFileInfo>

std::vector<TFolderNode> BuildFolderNodes(const TVornFile& vorn) {
    std::vector<TFolderNode> nodes;
    const uint32_t root = vorn.GetRootOffset();
    nodes.push_back(TFolderNode{root, -1, 0, {}, vorn.GetName(root)});
    // openNodes[d] is the node of the directory at depth d on the current way
    // down; the walk visits parents before their children.
    std::vector<int> openNodes{0};
    WalkTree(vorn, root, [&](uint32_t offset, const std::vector<uint32_t>& ancestors) {
        if (!vorn.IsDirectory(offset)) return false;
        const size_t depth = ancestors.size();
        openNodes.resize(depth);
        const int parent = openNodes.back();
        const int index = static_cast<int>(nodes.size());
        TFolderNode node;
        node.Offset = offset;
        node.Parent = parent;
        node.Row = static_cast<int>(nodes[parent].Children.size());
        node.Name = vorn.GetName(offset);
        nodes.push_back(std::move(node));
        nodes[parent].Children.push_back(index);
        openNodes.push_back(index);
        return true;
    });
    return nodes;
}

QString FolderPathLabel(const TVornFile& vorn, const QString& archivePath, uint32_t folder) {
    return QFileInfo(archivePath).fileName() + DecodeArchiveText(vorn.GetPath(folder)) +
           DecodeArchiveText(vorn.GetName(folder)) + '\\';
}
