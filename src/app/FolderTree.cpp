#include "app/FolderTree.h"

#include "app/NameDecoding.h"
#include "archive/TreeWalk.h"
#include "archive/VornError.h"

#include <QFileInfo>

#include <cstring>
#include <unordered_set>

namespace {

TFolderNode MakeNode(const TVornFile& vorn, uint32_t offset, int parent, int row) {
    return TFolderNode{offset, parent, row, {}, vorn.GetName(offset)};
}

// The directory offsets of a directory's child list, in stored order.
// Returns false if the list holds none.
bool DirectoryChildren(const TVornFile& vorn, uint32_t dir, std::vector<uint32_t>* out) {
    uint32_t count = 0;
    const uint8_t* list = vorn.GetChildList(dir, count);
    bool any = false;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t child;
        std::memcpy(&child, list + size_t{i} * 4, 4);
        if (!vorn.IsDirectory(child)) continue;
        if (!out) return true;
        out->push_back(child);
        any = true;
    }
    return any;
}

// Fast path for a consistent index. The directories that some directory
// names as its parent are expanded from their child lists; every other child
// list is only scanned, in one pass over its raw offsets, to confirm that it
// holds no directory. Gives up (false) unless every directory of the
// directory set is reached exactly once; the full walk then decides and
// reports damage with its messages.
bool BuildFromDirectorySet(const TVornFile& vorn, std::vector<TFolderNode>& nodes) {
    try {
        const uint32_t dirCount = vorn.GetDirCount();
        const uint32_t root = vorn.GetRootOffset();
        std::unordered_set<uint32_t> parents;
        for (uint32_t i = 1; i < dirCount; ++i) parents.insert(vorn.GetParentOffset(vorn.GetDirOffset(i)));
        std::unordered_set<uint32_t> seen{root};
        nodes.assign(1, MakeNode(vorn, root, -1, 0));
        std::vector<uint32_t> children;
        // Breadth first: parents still come before their children.
        for (size_t next = 0; next < nodes.size(); ++next) {
            const uint32_t dir = nodes[next].Offset;
            if (parents.count(dir) == 0) {
                if (DirectoryChildren(vorn, dir, nullptr)) return false;
                continue;
            }
            children.clear();
            DirectoryChildren(vorn, dir, &children);
            for (const uint32_t child : children) {
                if (!seen.insert(child).second) return false;
                const int index = static_cast<int>(nodes.size());
                nodes.push_back(MakeNode(vorn, child, static_cast<int>(next),
                                         static_cast<int>(nodes[next].Children.size())));
                nodes[next].Children.push_back(index);
            }
        }
        return nodes.size() == dirCount;
    } catch (const EVornError&) {
        return false;
    }
}

// Every child list below the root, with the walk's checks for loops.
std::vector<TFolderNode> BuildByWalkingEveryChildList(const TVornFile& vorn) {
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

}  // namespace

std::vector<TFolderNode> BuildFolderNodes(const TVornFile& vorn) {
    std::vector<TFolderNode> nodes;
    if (BuildFromDirectorySet(vorn, nodes)) return nodes;
    return BuildByWalkingEveryChildList(vorn);
}

QString FolderPathLabel(const TVornFile& vorn, const QString& archivePath, uint32_t folder) {
    return QFileInfo(archivePath).fileName() + DecodeArchiveText(vorn.GetPath(folder)) +
           DecodeArchiveText(vorn.GetName(folder)) + '\\';
}
