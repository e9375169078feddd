// Command-line handling: help, bad usage and archives that cannot be opened.
#include "CliRunner.h"

#include <fstream>

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TEST_F(CliTest, HelpIsPrintedOnStandardOutput) {
    const std::string archive = SaveArchive(TVornPlan{});
    const TCliResult main = RunCli({"--help"});
    EXPECT_EQ(main.ExitStatus, 0);
    EXPECT_TRUE(main.Err.empty());
    for (const char* synopsis : {"info ARCHIVE", "list [--json] ARCHIVE", "cat ARCHIVE PATH",
                                 "test ARCHIVE"})
        EXPECT_NE(main.Out.find(synopsis), std::string::npos) << synopsis;

    struct Case { std::vector<std::string> args; std::string usage; };
    for (const Case& c : {
             Case{{"list", "--help"}, "Usage: pellory-cli list [--json] ARCHIVE\n"},
             Case{{"cat", "-h"}, "Usage: pellory-cli cat ARCHIVE PATH\n"},       // operands missing
             Case{{"test", archive, "--bogus", "--help"}, "Usage: pellory-cli test ARCHIVE\n"},
             Case{{"info", "--help", archive}, "Usage: pellory-cli info ARCHIVE\n"},
         }) {
        const TCliResult r = RunCli(c.args);
        EXPECT_EQ(r.ExitStatus, 0) << c.args[0];
        EXPECT_TRUE(StartsWith(r.Out, c.usage)) << r.Out;
        EXPECT_TRUE(r.Err.empty()) << r.Err;
    }
    EXPECT_NE(RunCli({"list", "--help"}).Out.find("--json"), std::string::npos);
}

TEST_F(CliTest, BadUsageExitsWithTwoAndAMessage) {
    const std::string archive = SaveArchive(TVornPlan{});
    struct Case { std::vector<std::string> args; std::string message; };
    for (const Case& c : {
             Case{{}, "no command given"},
             Case{{"unpack", archive}, "unknown command 'unpack'"},
             Case{{"--verbose"}, "unknown option '--verbose'"},
             Case{{"list"}, "list: expects ARCHIVE"},
             Case{{"cat", archive}, "cat: expects ARCHIVE PATH"},
             Case{{"info", archive, archive}, "info: too many arguments"},
             Case{{"list", "--bogus", archive}, "list: unknown option '--bogus'"},
             Case{{"list", "--json=yes", archive}, "list: option '--json' takes no value"},
             Case{{"test", "--", "--help"}, "Cannot open file --help"},  // "--" ends options
             Case{{"unknown\x1B[2J"}, "unknown command 'unknown\\x1B[2J'"},
         }) {
        const TCliResult r = RunCli(c.args);
        EXPECT_EQ(r.ExitStatus, 2) << c.message;
        EXPECT_TRUE(StartsWith(r.Err, "pellory-cli: ")) << r.Err;
        EXPECT_NE(r.Err.find(c.message), std::string::npos) << r.Err;
        EXPECT_TRUE(r.Out.empty()) << r.Out;
    }
}

TEST_F(CliTest, ArchiveThatCannotBeOpenedExitsWithTwo) {
    const std::string missing = PathOf("missing.kvres");
    const std::string shortFile = PathOf("short.kvres");
    std::ofstream(shortFile, std::ios::binary) << std::string(785, 'K');
    TBuiltVorn wrongMagic = BuildVorn(TVornPlan{});
    wrongMagic.Bytes[0] = 'k';
    const std::string wrong = SaveArchive(wrongMagic, "wrong.kvres");

    struct Case { std::vector<std::string> args; std::string err; };
    for (const Case& c : {
             Case{{"info", missing}, "pellory-cli: Cannot open file " + missing + "\n"},
             Case{{"list", missing}, "pellory-cli: Cannot open file " + missing + "\n"},
             Case{{"cat", missing, "a"}, "pellory-cli: Cannot open file " + missing + "\n"},
             Case{{"test", missing}, "pellory-cli: Cannot open file " + missing + "\n"},
             Case{{"list", "--json", shortFile},
                  "pellory-cli: Cannot open file: size < sizeof(TVornHeader)\n"},
             Case{{"test", wrong}, "pellory-cli: Unknown header!\n"},
         }) {
        const TCliResult r = RunCli(c.args);
        EXPECT_EQ(r.ExitStatus, 2) << c.args[0];
        EXPECT_EQ(r.Err, c.err);
        EXPECT_TRUE(r.Out.empty()) << r.Out;
    }
}
