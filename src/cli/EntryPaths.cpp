#include "cli/EntryPaths.h"

#include "cli/Output.h"

std::string DecodedName(const TVornFile& vorn, uint32_t offset) {
    return DecodeToUtf8(vorn.GetName(offset));
}

std::string EntryPath(const TVornFile& vorn, const std::vector<uint32_t>& ancestors,
                      uint32_t offset) {
    std::string path;
    // ancestors[0] is the root, whose name is not part of the path.
    for (size_t i = 1; i < ancestors.size(); ++i) path += DecodedName(vorn, ancestors[i]) + "/";
    return path + DecodedName(vorn, offset);
}

const std::string& TPathTracker::Visit(const TVornFile& vorn, uint32_t offset,
                                       const std::vector<uint32_t>& ancestors) {
    const size_t depth = ancestors.size();
    FName = DecodedName(vorn, offset);
    if (depth == 0 || depth > FDirPaths.size()) {
        // Not in walk order: build it from the ancestors.
        FPath = EntryPath(vorn, ancestors, offset);
    } else {
        const std::string& parentPath = FDirPaths[depth - 1];
        FPath = parentPath.empty() ? FName : parentPath + "/" + FName;
    }
    FDirPaths.resize(depth < FDirPaths.size() ? depth : FDirPaths.size());
    if (vorn.IsDirectory(offset) && FDirPaths.size() == depth) FDirPaths.push_back(FPath);
    return FPath;
}
