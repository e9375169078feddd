// test: every file entry decoded and checked; failures as "PATH: message",
// one summary line, exit status 0 or 1.
#include "CliRunner.h"

TEST_F(CliTest, TestPassesASoundArchive) {
    TVornPlan plan;
    plan.Root.Add("a.txt", "alpha");
    plan.Root.Add("maps/b.map", std::string(70000, 'b')).Zlib().Chunked(65536);
    plan.Root.Add("maps/c.map", std::string(5000, 'c')).Lzo();
    plan.Root.Add("maps/d.map", "struck").WithFlags(0x8000);
    plan.Root.AddDir("empty");
    const TCliResult r = RunCli({"test", SaveArchive(plan)});
    EXPECT_EQ(r.ExitStatus, 0) << r.Err;
    EXPECT_EQ(r.Out, "4 entries tested, 0 failed\n");
    EXPECT_TRUE(r.Err.empty());
}

TEST_F(CliTest, TestReportsEachDamagedEntryAndGoesOn) {
    TVornPlan plan;
    plan.Root.Add("a.txt", "alpha");
    plan.Root.Add("data/crc.bin", std::string(3000, 'x')).Zlib().ForceCrc = 0xDEADBEEF;
    plan.Root.Add("data/format.bin", "f").ForceFormat = 9;
    plan.Root.Add("data/esc\x1B.bin", "e").ForceCrc = 1;
    plan.Root.Add("z.txt", "zulu");
    TBuiltVorn vorn = BuildVorn(plan);
    // A stored entry that reaches past the end of the file.
    PatchU32(vorn.Bytes, vorn.At("z.txt").RecordPos + VornRecord::FileSize, 1u << 20);

    const TCliResult r = RunCli({"test", SaveArchive(vorn, "damaged.kvres")});
    EXPECT_EQ(r.ExitStatus, 1);
    EXPECT_EQ(r.Out,
              "data/crc.bin: CRC-32 differs from header\n"
              "data/format.bin: Format Unknown (9) is not supported\n"
              "data/esc\\x1B.bin: CRC-32 differs from header\n"
              "z.txt: vorn too small\n"
              "5 entries tested, 4 failed\n");
    EXPECT_TRUE(r.Err.empty()) << r.Err;
}

TEST_F(CliTest, TestCountsALoopInTheTreeAsAFailure) {
    TVornPlan plan;
    plan.Root.Add("a/first.txt", "1");
    plan.Root.Dir("a").AddDir("b").ForceChildPaths = std::vector<std::string>{"a"};
    const TCliResult r = RunCli({"test", SaveArchive(plan)});
    EXPECT_EQ(r.ExitStatus, 1);
    EXPECT_EQ(r.Err.rfind("pellory-cli: Error in directory structure! (Loop at ", 0), 0u) << r.Err;
    EXPECT_EQ(r.Out, "1 entry tested, 1 failed\n");
}

TEST_F(CliTest, EntryOutsideTheIndexIsReportedNotRead) {
    TVornPlan plan;
    plan.Root.Add("a.txt", "alpha");
    plan.Root.AddDir("d").ForceChildOffsets = std::vector<uint32_t>{0x7FFFFF00};
    plan.Root.Add("z.txt", "zulu");
    const std::string archive = SaveArchive(plan);

    const TCliResult test = RunCli({"test", archive});
    EXPECT_EQ(test.ExitStatus, 1);
    EXPECT_EQ(test.Out.rfind("<entry at offset 2147483392>: ", 0), 0u) << test.Out;
    EXPECT_NE(test.Out.find("\n3 entries tested, 1 failed\n"), std::string::npos) << test.Out;

    const TCliResult list = RunCli({"list", archive});
    EXPECT_EQ(list.ExitStatus, 1);
    EXPECT_EQ(list.Err.rfind("pellory-cli: ", 0), 0u) << list.Err;
    EXPECT_EQ(list.Out.find("z.txt"), std::string::npos) << list.Out;
}
