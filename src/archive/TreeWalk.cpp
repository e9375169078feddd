#include "TreeWalk.h"

#include "VornError.h"

#include <algorithm>
#include <unordered_set>

namespace {

// Path text of `offset` for messages; damaged parent fields give a shorter text.
std::string PathForMessage(const TVornFile& vorn, uint32_t offset)
{
    try {
        return vorn.GetPath(offset);
    } catch (const EVornError&) {
        return std::string();
    }
}

std::string NameForMessage(const TVornFile& vorn, uint32_t offset)
{
    try {
        return vorn.GetName(offset);
    } catch (const EVornError&) {
        return FormatMessage("<entry %u>", offset);
    }
}

std::string WalkPath(const TVornFile& vorn, const std::vector<uint32_t>& ancestors,
                     uint32_t offset)
{
    std::string path = ancestors.empty() ? std::string() : PathForMessage(vorn, ancestors.front());
    for (uint32_t dir : ancestors) {
        path += NameForMessage(vorn, dir);
        path += '\\';
    }
    return path + NameForMessage(vorn, offset);
}

}  // namespace

std::string DirectoryLoopMessage(const TVornFile& vorn, uint32_t childOffset)
{
    const std::string path = PathForMessage(vorn, childOffset) + NameForMessage(vorn, childOffset);
    return FormatMessage("Error in directory structure! (Loop at %s)", path.c_str());
}

std::string DirectoryLoopMessage(const TVornFile& vorn, const std::vector<uint32_t>& ancestors,
                                 uint32_t childOffset)
{
    const std::string path = WalkPath(vorn, ancestors, childOffset);
    return FormatMessage("Error in directory structure! (Loop at %s)", path.c_str());
}

void WalkTree(const TVornFile& vorn, uint32_t dirOffset, const TTreeVisitor& visit)
{
    struct TFrame {
        uint32_t Dir;
        uint32_t NextChild;
        bool Done;
    };
    std::vector<TFrame> stack{{dirOffset, 0, vorn.GetChildCount(dirOffset) == 0}};
    std::vector<uint32_t> ancestors{dirOffset};
    std::unordered_set<uint32_t> seen{dirOffset};

    while (!stack.empty()) {
        TFrame& top = stack.back();
        if (top.Done) {
            stack.pop_back();
            ancestors.pop_back();
            continue;
        }
        uint32_t child = 0;
        top.NextChild = vorn.GetChild(top.Dir, top.NextChild, child);
        top.Done = top.NextChild == 0;

        const bool isDir = vorn.IsDirectory(child);
        if (isDir && !seen.insert(child).second) {
            if (std::find(ancestors.begin(), ancestors.end(), child) != ancestors.end())
                throw EVornError(DirectoryLoopMessage(vorn, ancestors, child));
            const std::string path = WalkPath(vorn, ancestors, child);
            throw EVornError(FormatMessage("Error in directory structure! (%s is listed twice)",
                                           path.c_str()));
        }
        const bool descend = visit(child, ancestors);
        if (isDir && descend) {
            // `top` may dangle after the push.
            stack.push_back({child, 0, vorn.GetChildCount(child) == 0});
            ancestors.push_back(child);
        }
    }
}
