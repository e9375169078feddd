// pellory-cli extract run as a process: what it writes, its overwrite modes
// and answers, its messages and exit statuses.
#include "ExtractTestSupport.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

using TFiles = std::map<std::string, std::string>;

struct TRun {
    int ExitStatus = -1;
    std::string Out;
    std::string Err;
};

TRun RunExtract(const QStringList& args, const QByteArray& input = {})
{
    QProcess process;
    process.start(PELLORY_CLI_BINARY, QStringList{"extract"} + args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    TRun run;
    if (process.exitStatus() == QProcess::NormalExit)
        run.ExitStatus = process.exitCode();
    run.Out = process.readAllStandardOutput().toStdString();
    run.Err = process.readAllStandardError().toStdString();
    return run;
}

class CliExtract : public testing::Test {
protected:
    void Make(const TVornPlan& plan) { FScene = std::make_unique<TExtractScene>(plan); }
    QString Archive() const { return FScene->Scratch() + "/test.kvres"; }
    QString Dest() const { return FScene->Dest(); }

    std::unique_ptr<TExtractScene> FScene;
};

TVornPlan TreePlan()
{
    TVornPlan plan;
    plan.Root.Name = "rootname";  // left out of the paths, as 'list' leaves it out
    plan.Root.Add("A/F/x", "x");
    plan.Root.Add("A/F/G/y", "y");
    plan.Root.Add("A/z", "z");
    plan.Root.AddFile("top", "top").Time(FileTimeOf(2003, 3, 3, 3, 3, 4));
    return plan;
}

TEST_F(CliExtract, WholeArchiveGoesBelowDestAtItsArchivePaths)
{
    Make(TreePlan());
    const TRun run = RunExtract({Archive(), Dest()});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(TreeContents(Dest()),
              (TFiles{{"A/F/x", "x"}, {"A/F/G/y", "y"}, {"A/z", "z"}, {"top", "top"}}));
    EXPECT_EQ(ModifiedSeconds(Dest() + "/top"), LocalSeconds(2003, 3, 3, 3, 3, 4));
}

TEST_F(CliExtract, NamedPathsBringEverythingBelowThem)
{
    Make(TreePlan());
    const TRun run = RunExtract({"-v", Archive(), Dest(), "A/F", "top", "A/F/x", "A/F"});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(TreeContents(Dest()), (TFiles{{"A/F/x", "x"}, {"A/F/G/y", "y"}, {"top", "top"}}));
    const std::string dest = Dest().toStdString();
    EXPECT_EQ(run.Out, "extracted " + dest + "/A/F/x\nextracted " + dest + "/A/F/G/y\nextracted "
                           + dest + "/top\n");
}

TEST_F(CliExtract, FlatWritesEveryFileIntoDest)
{
    Make(TreePlan());
    const TRun run = RunExtract({"--flat", Archive(), Dest(), "A"});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(TreeContents(Dest()), (TFiles{{"x", "x"}, {"y", "y"}, {"z", "z"}}));
}

TEST_F(CliExtract, FailuresArePrintedPerEntryAndGiveStatusOne)
{
    TVornPlan plan;
    plan.Root.Add("d/bad", "damaged").Zlib().ForceCrc = 1;
    plan.Root.AddFile("..", "evil");
    plan.Root.AddFile("good", "good");
    Make(plan);
    const TRun run = RunExtract({Archive(), Dest()});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err, "d/bad: CRC-32 differs from header\n"
                       "..: Unsafe name: \"..\" names the parent folder\n");
    EXPECT_EQ(TreeContents(Dest()), (TFiles{{"good", "good"}}));
}

TEST_F(CliExtract, UsageAndOpeningErrorsGiveStatusTwo)
{
    Make(TreePlan());
    const std::vector<QStringList> cases = {
        {Archive()},                                  // no DEST
        {Archive(), Dest(), "A/nothing"},             // no such entry
        {"--overwrite=sometimes", Archive(), Dest()}, // unknown mode
        {FScene->Scratch() + "/missing.kvres", Dest()},
    };
    for (const QStringList& args : cases) {
        const TRun run = RunExtract(args);
        EXPECT_EQ(run.ExitStatus, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(run.Err.empty());
    }
    EXPECT_TRUE(TreeContents(Dest()).empty());
}

// Existing files: "old" is older than its entry, "newer" is newer; "fresh"
// is not on disk yet.
struct TModeCase {
    const char* Name;
    QStringList Options;
    QByteArray Input;
    TFiles Expected;
    int Questions;
};

class CliOverwrite : public testing::TestWithParam<TModeCase> {};

TEST_P(CliOverwrite, DecidesExistingFilesAsTheModeSays)
{
    const TModeCase& c = GetParam();
    const uint64_t stored = FileTimeOf(2004, 5, 26, 12, 0, 0);
    TVornPlan plan;
    plan.Root.AddFile("old", "new old").Time(stored);
    plan.Root.AddFile("newer", "new newer").Time(stored);
    plan.Root.AddFile("fresh", "new fresh").Time(stored);
    TExtractScene scene(plan);
    WriteText(scene.Dest() + "/old", "kept old");
    SetModified(scene.Dest() + "/old", LocalSeconds(2004, 5, 26, 11, 0, 0));
    WriteText(scene.Dest() + "/newer", "kept newer");
    SetModified(scene.Dest() + "/newer", LocalSeconds(2004, 5, 26, 13, 0, 0));

    const TRun run = RunExtract(c.Options + QStringList{scene.Scratch() + "/test.kvres", scene.Dest()},
                                c.Input);

    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(TreeContents(scene.Dest()), c.Expected);
    size_t questions = 0;
    for (size_t at = run.Err.find("already exists"); at != std::string::npos;
         at = run.Err.find("already exists", at + 1))
        ++questions;
    EXPECT_EQ(questions, size_t(c.Questions)) << run.Err;
}

const TFiles AllKept{{"old", "kept old"}, {"newer", "kept newer"}, {"fresh", "new fresh"}};
const TFiles AllReplaced{{"old", "new old"}, {"newer", "new newer"}, {"fresh", "new fresh"}};
const TFiles OlderReplaced{{"old", "new old"}, {"newer", "kept newer"}, {"fresh", "new fresh"}};
const TFiles SecondReplaced{{"old", "kept old"}, {"newer", "new newer"}, {"fresh", "new fresh"}};

const TModeCase ModeCases[] = {
    {"DefaultWithoutTerminalIsNone", {}, {}, AllKept, 0},
    {"None", {"--overwrite=none"}, {}, AllKept, 0},
    {"All", {"--overwrite=all"}, {}, AllReplaced, 0},
    {"Older", {"--overwrite=older"}, {}, OlderReplaced, 0},
    {"AskYesYes", {"--overwrite=ask"}, "y\ny\n", AllReplaced, 2},
    {"AskNoYes", {"--overwrite", "ask"}, "n\ny\n", SecondReplaced, 2},
    {"AskYesToAll", {"--overwrite=ask"}, "a\n", AllReplaced, 1},
    {"AskNoToAll", {"--overwrite=ask"}, "t\n", AllKept, 1},
    {"AskOnlyOlder", {"--overwrite=ask"}, "o\n", OlderReplaced, 1},
    {"AskRepeatsAfterAnUnknownAnswer", {"--overwrite=ask"}, "maybe\nt\n", AllKept, 2},
    {"AskEndOfInputIsNo", {"--overwrite=ask"}, {}, AllKept, 2},
};

INSTANTIATE_TEST_SUITE_P(Table, CliOverwrite, testing::ValuesIn(ModeCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
