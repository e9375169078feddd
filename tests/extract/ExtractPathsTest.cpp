// Where a run writes: base folders for every folder-name option and scope,
// which rows are taken, stored times, status texts and progress.
#include "ExtractTestSupport.h"

#include "archive/VornError.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using TFiles = std::map<std::string, std::string>;

// The current folder F lies in the top-level folder A.
TVornPlan NestedPlan(const std::string& rootName = "")
{
    TVornPlan plan;
    plan.Root.Name = rootName;
    plan.Root.Add("A/F/x", "x");
    plan.Root.Add("A/F/G/y", "y");
    plan.Root.Add("A/z", "z");
    plan.Root.Add("top", "top");
    return plan;
}

struct TPathCase {
    const char* Name;
    TFolderNames FolderNames;
    TExtractScope Scope;
    const char* Folder;
    std::vector<std::string> Selected;
    TFiles Expected;
    const char* RootName = "";
};

class BasePath : public testing::TestWithParam<TPathCase> {};

TEST_P(BasePath, WritesFilesWhereTheOptionsSay)
{
    const TPathCase& c = GetParam();
    TExtractScene scene(NestedPlan(c.RootName));
    TScriptedClient client;
    ExtractOptions options{c.FolderNames, opAsk, c.Scope};

    // A trailing separator on the destination must not double up.
    scene.Extract(client, options, scene.Source(c.Folder, c.Selected), scene.Dest() + "/");

    EXPECT_EQ(TreeContents(scene.Dest()), c.Expected);
    EXPECT_TRUE(client.Failures.empty());
    for (const auto& [path, outcome] : client.Finished)
        EXPECT_FALSE(path.contains("//")) << path.toStdString();
}

const TPathCase PathCases[] = {
    {"FullSelectedFile", fnFull, esSelected, "A/F", {"A/F/x"}, {{"A/F/x", "x"}}},
    {"FullCurrentDir", fnFull, esCurrentDir, "A/F", {}, {{"A/F/x", "x"}, {"A/F/G/y", "y"}}},
    {"FullAll", fnFull, esAll, "A/F", {},
     {{"A/F/x", "x"}, {"A/F/G/y", "y"}, {"A/z", "z"}, {"top", "top"}}},
    {"FullSelectedFolder", fnFull, esSelected, "A/F", {"A/F/G"}, {{"A/F/G/y", "y"}}},
    {"FullSelectedAtRoot", fnFull, esSelected, "", {"top", "A"},
     {{"top", "top"}, {"A/F/x", "x"}, {"A/F/G/y", "y"}, {"A/z", "z"}}},
    {"NoneCurrentDir", fnNone, esCurrentDir, "A/F", {}, {{"x", "x"}, {"y", "y"}}},
    {"NoneSelectedFolder", fnNone, esSelected, "A", {"A/F"}, {{"x", "x"}, {"y", "y"}}},
    {"RelativeSelectedFolder", fnRelative, esSelected, "A/F", {"A/F/G"}, {{"G/y", "y"}}},
    {"RelativeCurrentDir", fnRelative, esCurrentDir, "A/F", {}, {{"F/x", "x"}, {"F/G/y", "y"}}},
    {"SelectedWithoutSelectionIsAll", fnFull, esSelected, "A/F", {},
     {{"A/F/x", "x"}, {"A/F/G/y", "y"}, {"A/z", "z"}, {"top", "top"}}},
    {"NamedRootFullSelected", fnFull, esSelected, "A/F", {"A/F/x"}, {{"data/A/F/x", "x"}}, "data"},
    {"NamedRootFullAll", fnFull, esAll, "A", {},
     {{"data/A/F/x", "x"}, {"data/A/F/G/y", "y"}, {"data/A/z", "z"}, {"data/top", "top"}},
     "data"},
    {"NamedRootRelativeSelected", fnRelative, esSelected, "A/F", {"A/F/x"}, {{"x", "x"}}, "data"},
};

INSTANTIATE_TEST_SUITE_P(Table, BasePath, testing::ValuesIn(PathCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ExtractRows, RowsWithIconIndexZeroAreNeverExtracted)
{
    TExtractScene scene(NestedPlan());
    TExtractSource source = scene.Source("", {"top", "A"});
    source.SelectedRows[1].IconIndex = 0;
    TScriptedClient client;
    ExtractOptions options{fnFull, opAsk, esSelected};

    scene.Extract(client, options, source);

    EXPECT_EQ(TreeContents(scene.Dest()), (TFiles{{"top", "top"}}));
}

TEST(ExtractRows, AnEmptyFileListWritesNothingForAnyScope)
{
    TVornPlan plan = NestedPlan();
    plan.Root.Dir("A/empty");
    TExtractScene scene(plan);
    for (TExtractScope scope : {esAll, esCurrentDir, esSelected}) {
        TScriptedClient client;
        ExtractOptions options{fnFull, opAsk, scope};
        scene.Extract(client, options, scene.Source("A/empty"));
        EXPECT_FALSE(QDir(scene.Dest()).exists()) << scope;
    }
}

TEST(ExtractRows, MissingDestinationIsCreatedWithItsParents)
{
    TExtractScene scene(NestedPlan());
    TScriptedClient client;
    ExtractOptions options{fnNone, opAsk, esSelected};
    const QString destination = scene.Dest() + "/new/deeper";

    scene.Extract(client, options, scene.Source("", {"top"}), destination);

    EXPECT_EQ(ReadText(destination + "/top"), "top");
}

// Folders of the archive are made even when they hold no files.
TEST(ExtractRows, EmptyFoldersAreCreated)
{
    TVornPlan plan;
    plan.Root.Dir("a/b");
    TExtractScene scene(plan);
    TScriptedClient client;
    ExtractOptions options{fnFull, opAsk, esAll};

    scene.Extract(client, options, scene.Source(""));

    EXPECT_TRUE(QDir(scene.Dest() + "/a/b").exists());
}

// Written files carry the stored wall-clock time as local time, odd seconds
// rounded down. The test runs in a zone away from UTC (see CMakeLists.txt).
TEST(ExtractTimes, StoredTimeBecomesTheLocalLastWriteTime)
{
    TVornPlan plan;
    plan.Root.AddFile("summer", "s").Time(FileTimeOf(2004, 7, 1, 13, 45, 31));
    plan.Root.AddFile("winter", "w").Time(FileTimeOf(1999, 12, 31, 23, 59, 58));
    plan.Root.AddFile("undated", "u").Time(FileTimeOf(1970, 1, 1, 0, 0, 0));
    TExtractScene scene(plan);
    TScriptedClient client;
    ExtractOptions options{fnFull, opAsk, esAll};
    const int64_t before = QDateTime::currentSecsSinceEpoch();

    scene.Extract(client, options, scene.Source(""));

    EXPECT_EQ(ModifiedSeconds(scene.Dest() + "/summer"), LocalSeconds(2004, 7, 1, 13, 45, 30));
    EXPECT_EQ(ModifiedSeconds(scene.Dest() + "/winter"), LocalSeconds(1999, 12, 31, 23, 59, 58));
    // Outside the DOS range the file keeps the time it was written at.
    EXPECT_GE(ModifiedSeconds(scene.Dest() + "/undated"), before);
}

TEST(ExtractReports, StatusTextAndProgressFollowTheRun)
{
    TVornPlan plan;
    plan.Root.Add("d/one", "1");
    plan.Root.Add("d/two", "22");
    plan.Root.AddFile("three", "333");
    TExtractScene scene(plan);
    TScriptedClient client;
    ExtractOptions options{fnFull, opAsk, esAll};

    scene.Extract(client, options, scene.Source(""));

    EXPECT_EQ(client.StatusTexts,
              (std::vector<QString>{"Extracting one", "Extracting two", "Extracting three"}));
    ASSERT_FALSE(client.Progress.empty());
    const TExtractProgress& last = client.Progress.back();
    EXPECT_EQ(last.EntriesTotal, 3u);
    EXPECT_EQ(last.BytesTotal, 6u);
    EXPECT_EQ(last.EntriesDone, 3u);
    EXPECT_EQ(last.BytesDone, 6u);
    EXPECT_EQ(client.Progress.front().EntriesDone, 0u);
    EXPECT_EQ(client.Progress.front().EntriesTotal, 3u);
}

TEST(ExtractReports, CancelStopsAfterTheCurrentEntry)
{
    TVornPlan plan;
    plan.Root.AddFile("a", "a");
    plan.Root.AddFile("b", "b");
    plan.Root.AddFile("c", "c");
    TExtractScene scene(plan);
    TScriptedClient client;
    client.CancelAfterFinished = 1;
    ExtractOptions options{fnFull, opAsk, esAll};

    const TExtractSummary summary = scene.Extract(client, options, scene.Source(""));

    EXPECT_TRUE(summary.Cancelled);
    EXPECT_EQ(TreeContents(scene.Dest()), (TFiles{{"a", "a"}}));
}

}  // namespace
