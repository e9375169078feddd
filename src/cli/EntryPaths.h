// Paths of entries as pellory-cli prints them: the names below the root,
// decoded to UTF-8 and joined by "/"; the root's own name is left out.
#pragma once

#include "archive/VornFile.h"

#include <cstdint>
#include <string>
#include <vector>

// The entry's name decoded to UTF-8 (not escaped).
std::string DecodedName(const TVornFile& vorn, uint32_t offset);

// The path of the entry at `offset`, from the ancestor list WalkTree gives
// (start directory first). Used where a path is needed now and then.
std::string EntryPath(const TVornFile& vorn, const std::vector<uint32_t>& ancestors,
                      uint32_t offset);

// Builds the path of every entry of a WalkTree run from the root, decoding
// each name once: the paths of the directories on the way down are kept.
class TPathTracker {
public:
    // Call for each visited entry, in walk order. Returns its path.
    const std::string& Visit(const TVornFile& vorn, uint32_t offset,
                             const std::vector<uint32_t>& ancestors);
    // The decoded name of the entry last visited.
    const std::string& Name() const { return FName; }
    const std::string& Path() const { return FPath; }

private:
    std::vector<std::string> FDirPaths{std::string()};  // [depth]: the root is ""
    std::string FName;
    std::string FPath;
};
