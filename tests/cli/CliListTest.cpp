// list: every entry below the root, depth-first in stored order, as text
// columns or as JSON.
#include "CliRunner.h"

#include "archive/Crc32.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <sstream>

namespace {

TBytes Pattern(size_t size) {
    TBytes out(size);
    for (size_t i = 0; i < size; ++i) out[i] = static_cast<uint8_t>("abcabdxyz"[(i / 5) % 9]);
    return out;
}

std::string CrcText(const TBytes& bytes) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", Crc32Of(bytes.data(), bytes.size()));
    return text;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// A tree with every kind of list row: stored, zlib, chunked LZO, empty,
// no CRC, unknown format, struck through, an empty folder, a size just
// below 4 GiB, stored order that is not sorted.
struct TListFixture {
    TBytes Zeta = TBytes(1025, 'z');
    TBytes Map = Pattern(3000);
    TBytes Texture = Pattern(9000);
    TVornPlan Plan;

    TListFixture() {
        Plan.Root.AddFile("zeta.txt", Zeta).Time(FileTimeOf(2004, 5, 24, 9, 15, 30));
        TEntryPlan& maps = Plan.Root.AddDir("maps");
        maps.Time(FileTimeOf(2004, 5, 25, 22, 10, 0));
        maps.AddFile("b.map", Map).Zlib(9).Time(FileTimeOf(2004, 5, 25, 22, 9, 37));  // odd second
        maps.AddFile("a.raw", Texture).Lzo().Chunked(4096).Time(FileTimeOf(2004, 3, 2, 9, 45, 0));
        maps.AddFile("empty.bin", TBytes{}).Zlib().Time(FileTimeOf(2004, 1, 1));
        maps.AddDir("sub").Time(FileTimeOf(2003, 12, 31, 23, 59, 58))
            .AddFile("deep.bmp", "BM..").NoCrc().Time(FileTimeOf(2004, 2, 2, 2, 2, 2));
        Plan.Root.AddDir("empty").Time(FileTimeOf(2004, 4, 4, 4, 4, 4));
        TEntryPlan& odd = Plan.Root.AddFile("odd.dat", "odd").Time(0).WithFlags(0x8000);
        odd.ForceFormat = 7;
        Plan.Root.AddFile("huge.bin", "h").Time(FileTimeOf(2004, 6, 1, 12, 0, 0)).ForceSize =
            0xFFFFFFFFu;
    }
};

}  // namespace

TEST_F(CliTest, ListTextShowsFileListColumnsDepthFirst) {
    TListFixture f;
    const TBuiltVorn vorn = BuildVorn(f.Plan);
    const auto compressed = [&](const char* path) {
        return ReadU32(vorn.Bytes, vorn.At(path).CompressionHeaderPos);
    };
    const auto ratio = [&](const char* path, size_t size) {
        const double saved = 100.0 - double(compressed(path)) / double(size) * 100.0;
        return std::to_string(static_cast<long>(std::nearbyint(saved))) + "%";
    };

    const TCliResult r = RunCli({"list", SaveArchive(vorn, "list.kvres")});
    ASSERT_EQ(r.ExitStatus, 0) << r.Err;
    EXPECT_TRUE(r.Err.empty());
    const std::vector<std::string> lines = SplitLines(r.Out);
    const std::vector<std::vector<std::string>> expected = {
        {"Type", "Size", "Ratio", "Format", "CRC", "Last", "Modified", "Path"},
        {"TXT", "File", "2", "kB", "Raw", CrcText(f.Zeta), "2004-05-24", "09:15:30", "zeta.txt"},
        {"Folder", "2004-05-25", "22:10:00", "maps"},
        {"MAP", "File", "3", "kB", ratio("maps/b.map", 3000), "Zlib", CrcText(f.Map),
         "2004-05-25", "22:09:36", "maps/b.map"},
        {"Texture", "9", "kB", ratio("maps/a.raw", 9000), "Lzo", CrcText(f.Texture),
         "2004-03-02", "09:45:00", "maps/a.raw"},
        {"BIN", "File", "0", "kB", "Zlib", "-", "2004-01-01", "00:00:00", "maps/empty.bin"},
        {"Folder", "2003-12-31", "23:59:58", "maps/sub"},
        {"Bitmap", "1", "kB", "Raw", "-", "2004-02-02", "02:02:02", "maps/sub/deep.bmp"},
        {"Folder", "2004-04-04", "04:04:04", "empty"},
        {"DAT", "File", "1", "kB", ratio("odd.dat", 3), "Unkn", CrcText(BytesOf("odd")), "odd.dat"},
        {"BIN", "File", "4194304", "kB", "Raw", CrcText(BytesOf("h")), "2004-06-01", "12:00:00",
         "huge.bin"},
    };
    ASSERT_EQ(lines.size(), expected.size()) << r.Out;
    const size_t pathColumn = lines[0].find("Path");
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(Words(lines[i]), expected[i]) << lines[i];
        EXPECT_EQ(lines[i].find(expected[i].back(), pathColumn), pathColumn) << lines[i];
    }
}

TEST_F(CliTest, ListJsonHasOneObjectPerEntry) {
    TListFixture f;
    const TBuiltVorn vorn = BuildVorn(f.Plan);
    const TCliResult r = RunCli({"list", "--json", SaveArchive(vorn, "list.kvres")});
    ASSERT_EQ(r.ExitStatus, 0) << r.Err;

    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.Out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    ASSERT_TRUE(doc.isArray());
    const QJsonArray entries = doc.array();

    const QStringList paths = {"zeta.txt", "maps", "maps/b.map", "maps/a.raw", "maps/empty.bin",
                               "maps/sub", "maps/sub/deep.bmp", "empty", "odd.dat", "huge.bin"};
    ASSERT_EQ(entries.size(), paths.size());
    for (int i = 0; i < entries.size(); ++i) {
        const QJsonObject e = entries[i].toObject();
        EXPECT_EQ(e["path"].toString(), paths[i]);
        EXPECT_EQ(e["name"].toString(), paths[i].section('/', -1));
        const bool isDir = e["type"].toString() == "dir";
        EXPECT_TRUE(isDir || e["type"].toString() == "file");
        EXPECT_EQ(e.keys().size(), isDir ? 4 : 9) << paths[i].toStdString();
        if (isDir) continue;
        const TEntryLayout& layout = vorn.At(paths[i].toStdString());
        EXPECT_EQ(e["size"].toInteger(), ReadU32(vorn.Bytes, layout.RecordPos + VornRecord::FileSize));
        EXPECT_EQ(e["compressed_size"].toInteger(), ReadU32(vorn.Bytes, layout.CompressionHeaderPos));
        EXPECT_TRUE(e["crc"].toString().contains(QRegularExpression("^[0-9A-F]{8}$")));
    }

    const QJsonObject zeta = entries[0].toObject();
    EXPECT_EQ(zeta["mtime"].toString(), "2004-05-24T09:15:30");
    EXPECT_EQ(zeta["format"].toString(), "Raw");
    EXPECT_EQ(zeta["crc"].toString().toStdString(), CrcText(f.Zeta));
    EXPECT_EQ(zeta["flags"].toInteger(), 0);
    EXPECT_EQ(entries[1].toObject()["mtime"].toString(), "2004-05-25T22:10:00");
    EXPECT_EQ(entries[2].toObject()["mtime"].toString(), "2004-05-25T22:09:36");
    EXPECT_EQ(entries[2].toObject()["format"].toString(), "Zlib");
    EXPECT_EQ(entries[3].toObject()["format"].toString(), "Lzo");
    EXPECT_EQ(entries[6].toObject()["crc"].toString(), "00000000");
    const QJsonObject odd = entries[8].toObject();
    EXPECT_TRUE(odd["mtime"].isNull());
    EXPECT_EQ(odd["format"].toString(), "Unknown");
    EXPECT_EQ(odd["flags"].toInteger(), 0x8000);
}

TEST_F(CliTest, ListOfAnEmptyRoot) {
    const std::string archive = SaveArchive(TVornPlan{});
    EXPECT_EQ(RunCli({"list", "--json", archive}).Out, "[]\n");
    EXPECT_EQ(SplitLines(RunCli({"list", archive}).Out).size(), 1u);  // the heading only
}

TEST_F(CliTest, ListEscapesControlCharactersAndDecodesWindows1252) {
    TVornPlan plan;
    TEntryPlan& dir = plan.Root.AddDir("d\x1B]0;title\x07");
    for (const char* name : {"esc\x1B[31m.txt", "c1\xC2\x9B.txt", "cp\x81\xE9.txt",
                             "back\\slash", "tab\there", "quote\"", "del\x7F"})
        dir.AddFile(name, "x");
    const std::string archive = SaveArchive(plan);

    const TCliResult text = RunCli({"list", archive});
    ASSERT_EQ(text.ExitStatus, 0) << text.Err;
    const std::vector<std::string> lines = SplitLines(text.Out);
    const char* const expectedPaths[] = {
        "d\\x1B]0;title\\x07",
        "d\\x1B]0;title\\x07/esc\\x1B[31m.txt",
        "d\\x1B]0;title\\x07/c1\\x9B.txt",
        "d\\x1B]0;title\\x07/cp\\x81\xC3\xA9.txt",
        "d\\x1B]0;title\\x07/back\\\\slash",
        "d\\x1B]0;title\\x07/tab\\x09here",
        "d\\x1B]0;title\\x07/quote\"",
        "d\\x1B]0;title\\x07/del\\x7F",
    };
    ASSERT_EQ(lines.size(), 1 + std::size(expectedPaths)) << text.Out;
    const size_t pathColumn = lines[0].find("Path");
    for (size_t i = 0; i < std::size(expectedPaths); ++i)
        EXPECT_EQ(lines[i + 1].substr(pathColumn), expectedPaths[i]);
    for (size_t i = 0; i < text.Out.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text.Out[i]);
        EXPECT_TRUE(byte >= 0x20 || byte == '\n') << "raw control at " << i;
        EXPECT_NE(byte, 0x7F);
        if (byte == 0xC2 && i + 1 < text.Out.size()) {
            EXPECT_FALSE(static_cast<unsigned char>(text.Out[i + 1]) < 0xA0) << "raw C1 at " << i;
        }
    }

    const TCliResult json = RunCli({"list", "--json", archive});
    ASSERT_EQ(json.ExitStatus, 0) << json.Err;
    for (const char raw : json.Out) EXPECT_TRUE(static_cast<unsigned char>(raw) >= 0x20 || raw == '\n');
    EXPECT_NE(json.Out.find("\"name\":\"esc\\u001B[31m.txt\""), std::string::npos) << json.Out;
    EXPECT_NE(json.Out.find("\"name\":\"c1\\u009B.txt\""), std::string::npos) << json.Out;
    const QJsonArray entries = QJsonDocument::fromJson(QByteArray::fromStdString(json.Out)).array();
    ASSERT_EQ(entries.size(), 8);
    const QString dirName = QString::fromUtf8("d\x1B]0;title\x07");
    const QStringList names = {dirName,
                               QString::fromUtf8("esc\x1B[31m.txt"),
                               QString::fromUtf8("c1\xC2\x9B.txt"),
                               QString::fromUtf8("cp\xC2\x81\xC3\xA9.txt"),
                               "back\\slash", "tab\there", "quote\"", "del\x7F"};
    for (int i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].toObject()["name"].toString(), names[i]);
        EXPECT_EQ(entries[i].toObject()["path"].toString(),
                  i == 0 ? dirName : dirName + "/" + names[i]);
    }
}

TEST_F(CliTest, ListStopsAtALoopInTheTree) {
    TVornPlan plan;
    plan.Root.Add("a/first.txt", "1");
    plan.Root.Dir("a").AddDir("b").ForceChildPaths = std::vector<std::string>{"a"};
    plan.Root.AddFile("z.txt", "z");
    const std::string archive = SaveArchive(plan);
    for (const bool json : {false, true}) {
        const TCliResult r = json ? RunCli({"list", "--json", archive}) : RunCli({"list", archive});
        EXPECT_EQ(r.ExitStatus, 1);
        EXPECT_EQ(r.Err.rfind("pellory-cli: Error in directory structure! (Loop at ", 0), 0u) << r.Err;
        EXPECT_NE(r.Out.find("a/first.txt"), std::string::npos);  // listed before the loop
        EXPECT_EQ(r.Out.find("z.txt"), std::string::npos);
    }
}
