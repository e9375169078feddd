// Depth-first walk over an archive's tree that refuses directory loops.
#pragma once

#include "VornFile.h"

#include <cstdint>
#include <functional>
#include <vector>

// Called for every entry below the start directory, parents before their
// children, children in stored order. `ancestors` holds the directory
// offsets from the start directory down to the entry's parent.
// Return false to skip the entry's children (directories only).
using TTreeVisitor =
    std::function<bool(uint32_t offset, const std::vector<uint32_t>& ancestors)>;

// Walks below `dirOffset`. Raises EVornError "Error in directory structure!
// (Loop at <path>)" when a child list names a directory that is already on
// the way down from `dirOffset`, so a damaged archive cannot recurse forever,
// and "Error in directory structure! (<path> is listed twice)" when a
// directory turns up a second time elsewhere, so shared subtrees cannot make
// the walk grow exponentially. Works with its own stack: depth is no risk.
void WalkTree(const TVornFile& vorn, uint32_t dirOffset, const TTreeVisitor& visit);

// The loop message for a directory `childOffset` that a child list names
// again below itself; the path is the child's stored path and name.
std::string DirectoryLoopMessage(const TVornFile& vorn, uint32_t childOffset);
// The same, with the path taken from the way down (`ancestors` as WalkTree
// passes them), which names the loop even when the parent fields are damaged.
std::string DirectoryLoopMessage(const TVornFile& vorn, const std::vector<uint32_t>& ancestors,
                                 uint32_t childOffset);
