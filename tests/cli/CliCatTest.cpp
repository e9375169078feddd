// cat: one entry's decoded bytes, unchanged, on standard output.
#include "CliRunner.h"

namespace {

// Bytes a text-mode stream or a terminal would mangle.
TBytes BinaryBytes(size_t size) {
    TBytes out(size);
    for (size_t i = 0; i < size; ++i) out[i] = static_cast<uint8_t>((i * 7 + i / 300) & 0xFF);
    const std::string awkward = std::string("\r\n\0\x1A\n\r", 6);
    std::copy(awkward.begin(), awkward.end(), out.begin());
    return out;
}

std::string AsString(const TBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

TEST_F(CliTest, CatWritesTheDecodedBytesOfEveryFormat) {
    const TBytes blob = BinaryBytes(10000);
    TVornPlan plan;
    plan.Root.Add("data/raw.bin", blob);
    plan.Root.Add("data/zlib.bin", blob).Zlib();
    plan.Root.Add("data/chunked.bin", blob).Zlib().Chunked(4096).Chunk(1).Extra = 4;
    plan.Root.Add("data/lzo.bin", blob).Lzo().Chunked(3000);
    plan.Root.Add("data/empty.bin", TBytes{}).Lzo();
    const std::string archive = SaveArchive(plan);

    for (const char* path : {"data/raw.bin", "data/zlib.bin", "data/chunked.bin", "data/lzo.bin"}) {
        const TCliResult r = RunCli({"cat", archive, path});
        EXPECT_EQ(r.ExitStatus, 0) << path << ": " << r.Err;
        EXPECT_TRUE(r.Out == AsString(blob)) << path << ": " << r.Out.size() << " bytes";
        EXPECT_TRUE(r.Err.empty());
    }
    const TCliResult empty = RunCli({"cat", archive, "data/empty.bin"});
    EXPECT_EQ(empty.ExitStatus, 0);
    EXPECT_TRUE(empty.Out.empty());
}

TEST_F(CliTest, CatFindsNamesAsListPrintsThem) {
    TVornPlan plan;
    plan.Root.Add("dir\x1B/esc\x1B.txt", "escaped");
    plan.Root.Add("caf\xE9.txt", "cp1252");
    plan.Root.Add("same", "first");
    plan.Root.Add("same", "second");
    const std::string archive = SaveArchive(plan);

    struct Case { std::string path; std::string contents; };
    for (const Case& c : {
             Case{"dir\\x1B/esc\\x1B.txt", "escaped"},   // as list prints it
             Case{"dir\x1B/esc\x1B.txt", "escaped"},     // the characters themselves
             Case{"caf\xC3\xA9.txt", "cp1252"},
             Case{"same", "first"},                      // the first in stored order
         }) {
        const TCliResult r = RunCli({"cat", archive, c.path});
        EXPECT_EQ(r.ExitStatus, 0) << c.path << ": " << r.Err;
        EXPECT_EQ(r.Out, c.contents);
    }
}

TEST_F(CliTest, CatReportsMissingFoldersAndDamagedEntries) {
    TVornPlan plan;
    plan.Root.Add("data/good.txt", "good");
    plan.Root.Add("data/bad.txt", "damaged").ForceCrc = 0x12345678;
    const std::string archive = SaveArchive(plan);

    struct Case { std::string path; int status; std::string err; };
    for (const Case& c : {
             Case{"data/none.txt", 2, "pellory-cli: data/none.txt: no such entry\n"},
             Case{"/data/good.txt", 2, "pellory-cli: /data/good.txt: no such entry\n"},
             Case{"data", 2, "pellory-cli: data: is a folder, not a file entry\n"},
             Case{"data/bad.txt", 1, "pellory-cli: data/bad.txt: CRC-32 differs from header\n"},
         }) {
        const TCliResult r = RunCli({"cat", archive, c.path});
        EXPECT_EQ(r.ExitStatus, c.status) << c.path;
        EXPECT_EQ(r.Err, c.err);
        EXPECT_TRUE(r.Out.empty()) << c.path;
    }
}
