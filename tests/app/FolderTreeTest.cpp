// The folder tree of an archive, the path label, the open-archive set and the
// texts of the error box and the open dialog.
#include "AppTestUtil.h"

#include "app/ErrorText.h"
#include "app/FolderTree.h"
#include "app/OpenArchives.h"
#include "app/OpenDialogFilter.h"
#include "archive/VornError.h"
#include "archive/VornFile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {
TVornPlan Tree() {
    TVornPlan plan;
    plan.Root.Add("art/maps/m1.raw", "x");
    plan.Root.Add("art/ui/logo.bmp", "x");
    plan.Root.Dir("empty");
    plan.Root.AddFile("readme.txt", "x");
    return plan;
}

// "name(child,child)" of a node, to compare the shape in one line.
std::string Shape(const std::vector<TFolderNode>& nodes, int node = 0) {
    std::string text = nodes[node].Name;
    if (nodes[node].Children.empty()) return text;
    text += '(';
    for (size_t i = 0; i < nodes[node].Children.size(); ++i) {
        const int child = nodes[node].Children[i];
        EXPECT_EQ(nodes[child].Parent, node);
        EXPECT_EQ(nodes[child].Row, static_cast<int>(i));
        text += (i ? "," : "") + Shape(nodes, child);
    }
    return text + ')';
}
}  // namespace

TEST(FolderTree, HoldsEveryDirectoryInIndexOrderAndNoFiles) {
    TTempFolder temp;
    auto vorn = OpenSaved(temp.Save("t.kvres", Tree()));
    const auto nodes = BuildFolderNodes(*vorn);
    EXPECT_EQ(Shape(nodes), "(art(maps,ui),empty)");
    EXPECT_EQ(nodes[0].Offset, vorn->GetRootOffset());
    for (const auto& node : nodes) EXPECT_TRUE(vorn->IsDirectory(node.Offset));
}

TEST(FolderTree, ADirectoryLoopIsAnErrorNotEndlessRecursion) {
    TTempFolder temp;
    TVornPlan plan;
    plan.Root.Dir("a/b").ForceChildPaths = std::vector<std::string>{"a"};
    auto vorn = OpenSaved(temp.Save("loop.kvres", plan));
    try {
        BuildFolderNodes(*vorn);
        FAIL() << "no error";
    } catch (const EVornError& error) {
        EXPECT_NE(std::string(error.what()).find("Error in directory structure!"), std::string::npos);
    }
}

TEST(FolderTree, DamageOutsideTheFoldersThatHoldFoldersIsStillFound) {
    TTempFolder temp;
    // A wrong parent field alone changes nothing: the child lists decide.
    TVornPlan wrongParent = Tree();
    wrongParent.Root.Dir("art/maps").ForceParent = 0;
    auto vorn = OpenSaved(temp.Save("parent.kvres", wrongParent));
    EXPECT_EQ(Shape(BuildFolderNodes(*vorn)), "(art(maps,ui),empty)");

    // A folder that holds no folders by the parent fields, listing one anyway.
    TVornPlan listedTwice = Tree();
    listedTwice.Root.Dir("empty").ForceChildPaths = std::vector<std::string>{"art/maps"};
    vorn = OpenSaved(temp.Save("twice.kvres", listedTwice));
    EXPECT_THROW(BuildFolderNodes(*vorn), EVornError);

    TVornPlan loopInLeaf = Tree();
    loopInLeaf.Root.Dir("art/ui").ForceChildPaths = std::vector<std::string>{"art"};
    vorn = OpenSaved(temp.Save("leafloop.kvres", loopInLeaf));
    EXPECT_THROW(BuildFolderNodes(*vorn), EVornError);
}

TEST(FolderTree, PathLabelNamesTheArchiveAndEachDirectoryWithABackslash) {
    TTempFolder temp;
    const QString path = temp.Save("data.kvres", Tree());
    auto vorn = OpenSaved(path);
    const auto nodes = BuildFolderNodes(*vorn);
    EXPECT_EQ(FolderPathLabel(*vorn, path, nodes[0].Offset), "data.kvres\\");
    const int art = nodes[0].Children[0];
    const int maps = nodes[art].Children[0];
    EXPECT_EQ(FolderPathLabel(*vorn, path, nodes[maps].Offset), "data.kvres\\art\\maps\\");
}

TEST(OpenArchives, RecognisesTheSameFileHoweverItsPathIsWritten) {
    TTempFolder temp;
    QDir(temp.Path()).mkpath("sub");
    const QString a = temp.Save("sub/a.kvres", Tree());
    const QString other = temp.Save("sub/A.KVRES", Tree());
    ASSERT_TRUE(QFile::link(a, temp.Path("link.kvres")));

    TOpenArchives archives;
    archives.Add(OpenVornFile(a), a);
    EXPECT_EQ(archives.Find(temp.Path("sub/../sub/./a.kvres")), 0);
    EXPECT_EQ(archives.Find(temp.Path("link.kvres")), 0);
    const QString saved = QDir::currentPath();
    QDir::setCurrent(temp.Path());
    EXPECT_EQ(archives.Find("sub/a.kvres"), 0);
    QDir::setCurrent(saved);
    EXPECT_EQ(archives.Find(other), -1);

    archives.Add(OpenVornFile(other), other);
    EXPECT_EQ(archives.Find(other), 1);
    EXPECT_EQ(archives.NodePosition(1), 0);
    EXPECT_EQ(archives.IndexAtNode(0), 1);
    archives.Remove(0);
    EXPECT_EQ(archives.Find(a), -1);
    EXPECT_EQ(archives.PathAt(0), other);
}

TEST(ErrorText, FullStopOnlyAfterCharactersAboveTheFullStop) {
    struct {
        const char* message;
        const char* shown;
    } cases[] = {{"Bad header", "Bad header."},
                 {"Index out of bounds (9)", "Index out of bounds (9)"},
                 {"Done.", "Done."},
                 {"Stop!", "Stop!"},
                 {"Size 1024", "Size 1024."},
                 {"a,", "a,"},
                 {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(WithFullStop(c.message), QString(c.shown)) << c.message;
}

TEST(OpenDialogFilter, SixFileTypesInTheDialogsForm) {
    const QStringList filters = ToDialogFilters(OpenDialogFilter);
    EXPECT_EQ(filters, QStringList({"Karvold Files (*.kv* *.plc)", "Karvold Maps (*.kv2m*)",
                                    "Karvold Resources (*.kv2r*)",
                                    "Karvold Savegames (*.kv2par* *.kv2rad* *.kv2bak* *.kv2bm*)",
                                    "Pellory Collection (*.plc)", "All Files (*)"}));
}
