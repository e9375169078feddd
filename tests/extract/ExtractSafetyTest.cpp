// Extraction never writes outside its destination, never loses an existing
// file, and survives damaged archives.
#include "ExtractTestSupport.h"

#include "archive/VornError.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>

namespace {

using TFiles = std::map<std::string, std::string>;

// Everything in the scratch folder except the archive.
TFiles ScratchContents(TExtractScene& scene)
{
    TFiles files = TreeContents(scene.Scratch());
    files.erase("test.kvres");
    return files;
}

struct TNameCase {
    const char* Label;
    std::string Name;
    const char* Shown;   // the name as the message shows it
    const char* Reason;
};

class UnsafeFileName : public testing::TestWithParam<TNameCase> {};

TEST_P(UnsafeFileName, IsRefusedAndTheRunGoesOn)
{
    const TNameCase& c = GetParam();
    TVornPlan plan;
    plan.Root.AddFile(c.Name, "evil");
    plan.Root.AddFile("ok", "fine");
    TExtractScene scene(plan);
    WriteText(scene.Scratch() + "/sentinel", "keep");
    TScriptedClient client;
    ExtractOptions options{fnFull, opYesToAll, esAll};

    scene.Extract(client, options, scene.Source(""));

    const std::string expected = "Can't extract: " + scene.Dest().toStdString() + "/" + c.Shown
                                 + "\r\nError: Unsafe name: " + c.Reason;
    EXPECT_EQ(client.FailureTexts(), std::vector<std::string>{expected});
    EXPECT_EQ(ScratchContents(scene), (TFiles{{"dest/ok", "fine"}, {"sentinel", "keep"}}));
}

const TNameCase NameCases[] = {
    {"Empty", "", "", "the name is empty"},
    {"Dot", ".", ".", "\".\" names the folder itself"},
    {"DotDot", "..", "..", "\"..\" names the parent folder"},
    {"ParentPath", "../sentinel", "../sentinel", "it contains a slash"},
    {"AbsolutePath", "/tmp/evil", "/tmp/evil", "it contains a slash"},
    {"Backslash", "..\\sentinel", "..\\sentinel", "it contains a backslash"},
    {"DriveLetter", "c:evil", "c:evil", "it contains a colon"},
    {"ControlCharacter", "bell\x07", "bell\\x07", "it contains a control character"},
    {"Delete", "del\x7f", "del\\x7f", "it contains a control character"},
    {"C1Control", "next\xc2\x85line", "next\\x85line", "it contains a control character"},
};

INSTANTIATE_TEST_SUITE_P(Table, UnsafeFileName, testing::ValuesIn(NameCases),
                         [](const auto& info) { return std::string(info.param.Label); });

// A refused folder is skipped with everything below it; the rest goes on.
TEST(UnsafeFolderName, IsSkippedWithEverythingBelowIt)
{
    TVornPlan plan;
    plan.Root.Add("../x", "evil");
    plan.Root.Add("../deeper/y", "evil");
    plan.Root.Add("good/z", "z");
    TExtractScene scene(plan);
    TScriptedClient client;
    ExtractOptions options{fnFull, opYesToAll, esAll};

    scene.Extract(client, options, scene.Source(""));

    EXPECT_EQ(client.FailureTexts(),
              std::vector<std::string>{"Can't extract: " + scene.Dest().toStdString()
                                       + "/..\r\nError: Unsafe name: \"..\" names the parent folder"});
    EXPECT_EQ(ScratchContents(scene), (TFiles{{"dest/good/z", "z"}}));
}

// Folder names that are not used for paths cannot do harm; an empty folder
// name adds nothing.
TEST(UnsafeFolderName, UnusedOrEmptyFolderNamesAreHarmless)
{
    TVornPlan plan;
    plan.Root.Add("../x", "x");
    TEntryPlan& unnamed = plan.Root.AddDir("");
    unnamed.AddFile("y", "y");
    TExtractScene scene(plan);

    TScriptedClient flatClient;
    ExtractOptions flat{fnNone, opYesToAll, esAll};
    scene.Extract(flatClient, flat, scene.Source(""));
    EXPECT_TRUE(flatClient.Failures.empty());
    EXPECT_EQ(ScratchContents(scene), (TFiles{{"dest/x", "x"}, {"dest/y", "y"}}));
}

TEST(UnsafeFolderName, UnsafeFolderAboveTheExtractedItemsRefusesTheRun)
{
    TVornPlan plan;
    plan.Root.Add("a:b/F/x", "x");
    TExtractScene scene(plan);
    TScriptedClient client;
    ExtractOptions options{fnFull, opYesToAll, esCurrentDir};

    scene.Extract(client, options, scene.Source("a:b/F"));

    ASSERT_EQ(client.Failures.size(), 1u);
    EXPECT_EQ(client.Failures[0].Message, "Unsafe name: it contains a colon");
    EXPECT_TRUE(ScratchContents(scene).empty());
}

TEST(SymbolicLinks, FolderLinkInsideTheDestinationIsNotFollowed)
{
    TVornPlan plan;
    plan.Root.Add("A/x", "evil");
    plan.Root.Add("B/y", "y");
    TExtractScene scene(plan);
    WriteText(scene.Scratch() + "/outside/keep", "keep");
    QDir().mkpath(scene.Dest());
    ASSERT_TRUE(QFile::link(scene.Scratch() + "/outside", scene.Dest() + "/A"));
    TScriptedClient client;
    ExtractOptions options{fnFull, opYesToAll, esAll};

    scene.Extract(client, options, scene.Source(""));

    ASSERT_EQ(client.Failures.size(), 1u);
    EXPECT_EQ(client.Failures[0].TargetPath, scene.Dest() + "/A/x");
    EXPECT_EQ(client.Failures[0].Message, "The folder \"A\" is a symbolic link; it is not followed");
    EXPECT_EQ(TreeContents(scene.Scratch() + "/outside"), (TFiles{{"keep", "keep"}}));
    EXPECT_EQ(ReadText(scene.Dest() + "/B/y"), "y");
}

TEST(SymbolicLinks, FileLinkIsNeitherFollowedNorReplaced)
{
    TVornPlan plan;
    plan.Root.AddFile("x", "evil");
    TExtractScene scene(plan);
    WriteText(scene.Scratch() + "/secret", "keep");
    QDir().mkpath(scene.Dest());
    ASSERT_TRUE(QFile::link(scene.Scratch() + "/secret", scene.Dest() + "/x"));
    for (TOverwritePolicy policy : {opYesToAll, opAsk}) {
        TScriptedClient client;
        client.Answers = {oaYes};
        ExtractOptions options{fnFull, policy, esAll};

        scene.Extract(client, options, scene.Source(""));

        EXPECT_TRUE(client.Questions.empty());
        ASSERT_EQ(client.Failures.size(), 1u);
        EXPECT_EQ(client.Failures[0].Message, "The file is a symbolic link; it is not replaced");
        EXPECT_EQ(ReadText(scene.Scratch() + "/secret"), "keep");
        EXPECT_TRUE(QFileInfo(scene.Dest() + "/x").isSymLink());
    }
}

// A CRC failure writes nothing: the existing file stays, no temporary file
// is left, and the next entry is written.
TEST(ExistingFiles, DecodingErrorLeavesTheExistingFileUntouched)
{
    TVornPlan plan;
    plan.Root.AddFile("bad", "damaged contents").Zlib().ForceCrc = 0x12345678;
    plan.Root.AddFile("new", "fresh").Zlib();
    TExtractScene scene(plan);
    WriteText(scene.Dest() + "/bad", "old");
    SetModified(scene.Dest() + "/bad", 1000000000);
    TScriptedClient client;
    ExtractOptions options{fnFull, opYesToAll, esAll};

    scene.Extract(client, options, scene.Source(""));

    EXPECT_EQ(client.FailureTexts(),
              std::vector<std::string>{"Can't extract: " + scene.Dest().toStdString()
                                       + "/bad\r\nError: CRC-32 differs from header"});
    EXPECT_EQ(TreeContents(scene.Dest()), (TFiles{{"bad", "old"}, {"new", "fresh"}}));
    EXPECT_EQ(ModifiedSeconds(scene.Dest() + "/bad"), 1000000000);
}

// A write that fails half-way (here: the file size limit, as a full disk
// would) keeps the old file and leaves no partial file.
TEST(ExistingFiles, FailedWriteKeepsTheOldFileAndLeavesNothingBehind)
{
    TVornPlan plan;
    plan.Root.AddFile("big", std::string(256 * 1024, 'n'));
    plan.Root.AddFile("fresh", std::string(256 * 1024, 'f'));
    TExtractScene scene(plan);
    WriteText(scene.Dest() + "/big", "old");
    TScriptedClient client;
    ExtractOptions options{fnFull, opYesToAll, esAll};

    struct rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    scene.Extract(client, options, scene.Source(""));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_EQ(client.Failures.size(), 2u);
    EXPECT_EQ(client.Failures[0].Message, "File too large");
    EXPECT_EQ(TreeContents(scene.Dest()), (TFiles{{"big", "old"}}));
}

TEST(ExistingFiles, FolderOrFileInTheWayFailsOnlyThatEntry)
{
    TVornPlan plan;
    plan.Root.AddFile("x", "x");
    plan.Root.Add("f/y", "y");
    plan.Root.AddFile("z", "z");
    TExtractScene scene(plan);
    QDir().mkpath(scene.Dest() + "/x");
    WriteText(scene.Dest() + "/f", "a file");
    TScriptedClient client;
    ExtractOptions options{fnFull, opAsk, esAll};

    scene.Extract(client, options, scene.Source(""));

    EXPECT_TRUE(client.Questions.empty());
    ASSERT_EQ(client.Failures.size(), 2u);
    EXPECT_EQ(client.Failures[0].TargetPath, scene.Dest() + "/x");
    EXPECT_EQ(client.Failures[0].Message, "Is a directory");
    EXPECT_EQ(client.Failures[1].TargetPath, scene.Dest() + "/f/y");
    EXPECT_EQ(client.Failures[1].Message, "Not a directory");
    EXPECT_EQ(ReadText(scene.Dest() + "/z"), "z");
}

// A child list that leads back to an ancestor ends the run with the loop
// error before anything is written.
TEST(DamagedTree, DirectoryLoopEndsTheRunWithAnError)
{
    TVornPlan plan;
    plan.Root.Add("a/first", "1");
    plan.Root.Dir("a/b").ForceChildPaths = std::vector<std::string>{"a"};
    TExtractScene scene(plan);
    TScriptedClient client;
    ExtractOptions options{fnFull, opAsk, esAll};

    try {
        scene.Extract(client, options, scene.Source(""));
        FAIL() << "no error";
    } catch (const EVornError& error) {
        EXPECT_NE(std::string(error.what()).find("Loop at"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(QDir(scene.Dest()).exists());
}

}  // namespace
