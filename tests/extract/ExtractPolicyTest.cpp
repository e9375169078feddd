// The overwrite policy: what each state and answer does to an existing file,
// and how the policy changes during a run.
#include "ExtractTestSupport.h"

#include <gtest/gtest.h>

namespace {

const uint64_t EntryTime = FileTimeOf(2004, 5, 26, 12, 0, 0);
const int64_t EntrySeconds = LocalSeconds(2004, 5, 26, 12, 0, 0);

TVornPlan OneFilePlan()
{
    TVornPlan plan;
    plan.Root.AddFile("a.txt", "new").Time(EntryTime);
    return plan;
}

enum TAge { Missing, Older, Same, Newer };

struct TPolicyCase {
    const char* Name;
    TOverwritePolicy Start;
    TAge Existing;
    int Answer;  // -1: no question expected
    bool Replaced;
    TOverwritePolicy End;
};

class OverwritePolicy : public testing::TestWithParam<TPolicyCase> {};

TEST_P(OverwritePolicy, DecidesTheExistingFileAndMovesTheState)
{
    const TPolicyCase& c = GetParam();
    TExtractScene scene(OneFilePlan());
    const QString target = scene.Dest() + "/a.txt";
    if (c.Existing != Missing) {
        WriteText(target, "old");
        const int64_t offset = c.Existing == Older ? -2 : c.Existing == Newer ? 2 : 1;
        // Same: one second later still falls in the entry's two-second step.
        SetModified(target, EntrySeconds + offset);
    }
    TScriptedClient client;
    if (c.Answer >= 0)
        client.Answers.push_back(c.Answer);
    ExtractOptions options{fnFull, c.Start, esAll};

    scene.Extract(client, options, scene.Source(""));

    EXPECT_EQ(ReadText(target), c.Replaced || c.Existing == Missing ? "new" : "old");
    EXPECT_EQ(client.Questions.size(), c.Answer >= 0 ? 1u : 0u);
    EXPECT_EQ(options.Overwrite, c.End);
    EXPECT_TRUE(client.Failures.empty());
}

const TPolicyCase PolicyCases[] = {
    {"AskYes", opAsk, Same, oaYes, true, opAsk},
    {"AskNo", opAsk, Older, oaNo, false, opAsk},
    {"AskYesToAll", opAsk, Newer, oaYesToAll, true, opYesToAll},
    {"AskNoToAll", opAsk, Older, oaNoToAll, false, opNoToAll},
    {"AskOnlyOlderWithOlderFile", opAsk, Older, oaOnlyOlder, true, opOnlyOlder},
    {"AskOnlyOlderWithSameTime", opAsk, Same, oaOnlyOlder, false, opOnlyOlder},
    {"AskOnlyOlderWithNewerFile", opAsk, Newer, oaOnlyOlder, false, opOnlyOlder},
    {"AskClosedDialogIsNo", opAsk, Older, 0, false, opAsk},
    {"AskUnknownResultIsNo", opAsk, Older, 8, false, opAsk},
    {"YesToAll", opYesToAll, Newer, -1, true, opYesToAll},
    {"NoToAll", opNoToAll, Older, -1, false, opNoToAll},
    {"OnlyOlderWithOlderFile", opOnlyOlder, Older, -1, true, opOnlyOlder},
    {"OnlyOlderWithSameTime", opOnlyOlder, Same, -1, false, opOnlyOlder},
    {"OnlyOlderWithNewerFile", opOnlyOlder, Newer, -1, false, opOnlyOlder},
    {"AskNewFile", opAsk, Missing, -1, true, opAsk},
    {"NoToAllNewFile", opNoToAll, Missing, -1, true, opNoToAll},
    {"OnlyOlderNewFile", opOnlyOlder, Missing, -1, true, opOnlyOlder},
};

INSTANTIATE_TEST_SUITE_P(Table, OverwritePolicy, testing::ValuesIn(PolicyCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// Three files, two of them on disk already: No to All on the first question
// keeps both existing files without a second question and still writes the
// new one.
TEST(OverwriteRun, NoToAllKeepsLaterFilesButWritesNewOnes)
{
    TVornPlan plan;
    plan.Root.AddFile("a", "new a");
    plan.Root.AddFile("b", "new b");
    plan.Root.AddFile("c", "new c");
    TExtractScene scene(plan);
    WriteText(scene.Dest() + "/a", "old a");
    WriteText(scene.Dest() + "/c", "old c");
    TScriptedClient client;
    client.Answers = {oaNoToAll};
    ExtractOptions options{fnFull, opAsk, esAll};

    const TExtractSummary summary = scene.Extract(client, options, scene.Source(""));

    EXPECT_EQ(client.Questions.size(), 1u);
    EXPECT_EQ(TreeContents(scene.Dest()),
              (std::map<std::string, std::string>{{"a", "old a"}, {"b", "new b"}, {"c", "old c"}}));
    EXPECT_EQ(summary.Written, 1u);
    EXPECT_EQ(summary.Skipped, 2u);
}

// Without folder names two files called x from different folders meet: the
// second one is asked about, and the answer Yes to All is kept for the run.
TEST(OverwriteRun, SameNameFromTwoFoldersIsAskedAboutWithoutFolderNames)
{
    TVornPlan plan;
    plan.Root.Add("one/x", "first");
    plan.Root.Add("two/x", "second");
    plan.Root.Add("two/y", "y");
    TExtractScene scene(plan);
    WriteText(scene.Dest() + "/y", "old y");
    TScriptedClient client;
    client.Answers = {oaYesToAll};
    ExtractOptions options{fnNone, opAsk, esAll};

    scene.Extract(client, options, scene.Source(""));

    ASSERT_EQ(client.Questions.size(), 1u);
    EXPECT_EQ(client.Questions[0].ExistingPath, scene.Dest() + "/x");
    EXPECT_EQ(TreeContents(scene.Dest()),
              (std::map<std::string, std::string>{{"x", "second"}, {"y", "y"}}));
}

// The question carries what the dialog shows of both files.
TEST(OverwriteRun, QuestionDescribesTheExistingFileAndTheEntry)
{
    TExtractScene scene(OneFilePlan());
    const QString target = scene.Dest() + "/a.txt";
    WriteText(target, "old text");
    SetModified(target, EntrySeconds - 3600);
    TScriptedClient client;
    ExtractOptions options{fnFull, opAsk, esAll};

    scene.Extract(client, options, scene.Source(""));

    ASSERT_EQ(client.Questions.size(), 1u);
    const TOverwriteQuestion& q = client.Questions[0];
    EXPECT_EQ(q.ExistingPath, target);
    EXPECT_EQ(q.ExistingSize, 8u);
    ASSERT_TRUE(q.ExistingTime.has_value());
    EXPECT_EQ(q.ExistingTime->toSecsSinceEpoch(), EntrySeconds - 3600);
    EXPECT_EQ(q.Entry, scene.Offset("a.txt"));
    EXPECT_EQ(q.EntrySize, 3u);
    EXPECT_EQ(q.EntryFileTime, EntryTime);
}

// A stored time outside the DOS range cannot prove the entry newer: Only
// Older keeps the file, while a new file is still written.
TEST(OverwriteRun, OnlyOlderKeepsFilesWhenTheEntryTimeCannotBeConverted)
{
    TVornPlan plan;
    plan.Root.AddFile("a", "new a").Time(0);
    plan.Root.AddFile("b", "new b").Time(0);
    TExtractScene scene(plan);
    WriteText(scene.Dest() + "/a", "old a");
    SetModified(scene.Dest() + "/a", 0);
    TScriptedClient client;
    ExtractOptions options{fnFull, opOnlyOlder, esAll};

    scene.Extract(client, options, scene.Source(""));

    EXPECT_EQ(TreeContents(scene.Dest()),
              (std::map<std::string, std::string>{{"a", "old a"}, {"b", "new b"}}));
}

}  // namespace
