// The folder tree of one archive: its directories reachable from the root,
// one node each, in the shape of the index. File entries never become nodes.
#pragma once

#include "archive/VornFile.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

struct TFolderNode {
    uint32_t Offset = 0;        // directory entry offset
    int Parent = -1;            // node index; -1 for the root node
    int Row = 0;                // position below the parent
    std::vector<int> Children;  // node indices, in index order
    std::string Name;           // raw directory name (the root's is not shown)
};

// Node 0 is the root directory; parents come before their children. A
// directory loop in a damaged archive raises EVornError.
std::vector<TFolderNode> BuildFolderNodes(const TVornFile& vorn);

// The path label of a listed directory: the archive's file name, the
// directory's ancestors and its own name, each followed by a backslash
// ("data.kvres\art\maps\").
QString FolderPathLabel(const TVornFile& vorn, const QString& archivePath, uint32_t folder);
