// Walking the tree: depth-first in stored order, and a clean stop at child
// lists that lead back up or name a directory twice.
#include "ArchiveTestUtil.h"
#include "archive/TreeWalk.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> WalkNames(const TVornFile& vorn, uint32_t start,
                                   const std::function<bool(const std::string&)>& descend = {})
{
    std::vector<std::string> out;
    WalkTree(vorn, start, [&](uint32_t offset, const std::vector<uint32_t>& ancestors) {
        std::string line(ancestors.size() - 1, '.');  // depth below the start
        line += vorn.GetName(offset);
        out.push_back(line);
        EXPECT_EQ(ancestors.back(), vorn.GetParentOffset(offset));
        return !descend || descend(vorn.GetName(offset));
    });
    return out;
}

TVornPlan TreePlan()
{
    TVornPlan plan;
    plan.Root.Add("a/x/1.txt", "1");
    plan.Root.Add("a/2.txt", "2");
    plan.Root.AddDir("b");
    plan.Root.Add("c.txt", "3");
    return plan;
}

TEST(TreeWalk, VisitsParentsFirstChildrenInStoredOrder)
{
    const TBuiltVorn built = BuildVorn(TreePlan());
    TScratchDir dir;
    const auto vorn = OpenBytes(dir, built.Bytes);
    EXPECT_EQ(WalkNames(*vorn, vorn->GetRootOffset()),
              (std::vector<std::string>{"a", ".x", "..1.txt", ".2.txt", "b", "c.txt"}));
    EXPECT_EQ(WalkNames(*vorn, built.OffsetOf("a")), (std::vector<std::string>{"x", ".1.txt", "2.txt"}));
    EXPECT_TRUE(WalkNames(*vorn, built.OffsetOf("b")).empty());
}

TEST(TreeWalk, VisitorCanSkipADirectorysChildren)
{
    const TBuiltVorn built = BuildVorn(TreePlan());
    TScratchDir dir;
    const auto vorn = OpenBytes(dir, built.Bytes);
    EXPECT_EQ(WalkNames(*vorn, vorn->GetRootOffset(), [](const std::string& n) { return n != "x"; }),
              (std::vector<std::string>{"a", ".x", ".2.txt", "b", "c.txt"}));
}

TEST(TreeWalk, DeepTreeNeedsNoDeepStack)
{
    TVornPlan plan;
    std::string path;
    for (int i = 0; i < 3000; ++i)
        path += "d/";
    plan.Root.Add(path + "f", "x");
    const TBuiltVorn built = BuildVorn(plan);
    TScratchDir dir;
    const auto vorn = OpenBytes(dir, built.Bytes);
    size_t visited = 0;
    WalkTree(*vorn, vorn->GetRootOffset(), [&](uint32_t, const std::vector<uint32_t>&) {
        ++visited;
        return true;
    });
    EXPECT_EQ(visited, 3001u);
}

TEST(TreeWalk, ChildListsLeadingBackUpStopTheWalk)
{
    struct Case {
        const char* what;
        std::string dir;
        std::vector<std::string> children;
        std::string message;
    };
    const Case cases[] = {
        {"grandchild lists its grandparent", "a/x", {"a"},
         "Error in directory structure! (Loop at \\a\\x\\a)"},
        {"directory lists itself", "b", {"b"}, "Error in directory structure! (Loop at \\b\\b)"},
        {"directory lists the root", "a", {"2.txt", ""}, "Error in directory structure! (Loop at \\a\\)"},
        {"directory listed twice", "b", {"a/x"},
         "Error in directory structure! (\\b\\x is listed twice)"},
    };
    for (const Case& c : cases) {
        TVornPlan plan = TreePlan();
        std::vector<std::string> children;
        for (const std::string& child : c.children)
            children.push_back(child == "2.txt" ? "a/2.txt" : child);
        plan.Root.Dir(c.dir).ForceChildPaths = children;
        const TBuiltVorn built = BuildVorn(plan);
        TScratchDir dir;
        const auto vorn = OpenBytes(dir, built.Bytes);
        EXPECT_EQ(MessageOf([&] { WalkNames(*vorn, vorn->GetRootOffset()); }), c.message) << c.what;
    }
}

// Each directory listing the next one twice would make 2^40 visits; the walk
// stops at the first second visit, at the bottom of the first descent.
TEST(TreeWalk, SharedSubtreesCannotMultiplyTheWork)
{
    TVornPlan plan;
    std::string path;
    for (int i = 0; i < 40; ++i) {
        const std::string parent = path;
        path += (path.empty() ? "" : "/") + std::string("d");
        plan.Root.Dir(path);
        if (!parent.empty())
            plan.Root.Dir(parent).ForceChildPaths = std::vector<std::string>{path, path};
    }
    const TBuiltVorn built = BuildVorn(plan);
    TScratchDir dir;
    const auto vorn = OpenBytes(dir, built.Bytes);
    std::string expected = "\\";
    for (int i = 0; i < 39; ++i)
        expected += "d\\";
    EXPECT_EQ(MessageOf([&] { WalkNames(*vorn, vorn->GetRootOffset()); }),
              "Error in directory structure! (" + expected + "d is listed twice)");
}

TEST(TreeWalk, LoopMessageFromTheStoredPath)
{
    const TBuiltVorn built = BuildVorn(TreePlan());
    TScratchDir dir;
    const auto vorn = OpenBytes(dir, built.Bytes);
    EXPECT_EQ(DirectoryLoopMessage(*vorn, built.OffsetOf("a/x")),
              "Error in directory structure! (Loop at \\a\\x)");
}

}  // namespace
