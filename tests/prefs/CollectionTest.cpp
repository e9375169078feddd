// Collection files: the written text, the read rules, nesting and cycles.
#include "PrefsTestUtil.h"

#include "app/Collection.h"
#include "app/History.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace {

// Plays the open routine of the main window: collections are read through
// the reader, anything else is "opened" (recorded; names ending in
// "bad.kvres" fail); both go into the history afterwards.
struct TOpenRecorder {
    TCollectionReader Reader;
    QStringList Opened;
    THistory History;

    void OpenFile(const QString& path) {
        if (IsCollectionFile(path)) {
            if (Reader.Read(path, [this](const QString& p) { OpenFile(p); })) History.Add(path);
            return;
        }
        if (path.endsWith("bad.kvres")) throw std::runtime_error("damaged");
        Opened << path;
        History.Add(path);
    }
};

QString Touch(const QString& fileName) {
    WriteBytes(fileName, "x");
    return fileName;
}

}  // namespace

TEST(CollectionWrite, EveryLineEndsInCrLfAndNothingElseIsWritten) {
    EXPECT_EQ(CollectionText({}), QByteArray());
    EXPECT_EQ(CollectionText({"/g/a.kvres", "/g/b c.kvmap"}), QByteArray("/g/a.kvres\r\n/g/b c.kvmap\r\n"));
}

TEST(CollectionWrite, ReplacesAnExistingFile) {
    const QString file = MakeTempFolder() + "/set.plc";
    WriteBytes(file, "old contents that are longer\r\n");
    WriteCollection(file, {"/g/a.kvres"});
    EXPECT_EQ(ReadBytes(file), QByteArray("/g/a.kvres\r\n"));
    WriteCollection(file, {});
    EXPECT_EQ(ReadBytes(file), QByteArray());
}

TEST(CollectionWrite, FailureRaisesAndKeepsTheOldFile) {
    const QString folder = MakeTempFolder();
    EXPECT_THROW(WriteCollection(folder + "/missing/set.plc", {"/g/a.kvres"}), std::runtime_error);
    // A folder in the way of the file: nothing may be replaced.
    QDir(folder).mkdir("taken.plc");
    EXPECT_THROW(WriteCollection(folder + "/taken.plc", {"/g/a.kvres"}), std::runtime_error);
    EXPECT_TRUE(QFileInfo(folder + "/taken.plc").isDir());
}

TEST(CollectionLines, LineEndsAndLoneCarriageReturns) {
    const struct {
        QByteArray text;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r\n", {"ab"}},
        {"a\r\r\n", {"a"}},
        {"\r\n\n", {"", ""}},
        {"/a dir/f.kvres\n", {"/a dir/f.kvres"}},
    };
    for (const auto& c : cases) EXPECT_EQ(CollectionLines(c.text), c.lines) << c.text.toStdString();
    const QByteArray longLine(100000, 'p');
    EXPECT_EQ(CollectionLines(longLine + "\r\n"), QStringList{QString(longLine)});
}

TEST(CollectionExtension, PlcInAnyLetterCase) {
    EXPECT_TRUE(IsCollectionFile("/x/set.plc"));
    EXPECT_TRUE(IsCollectionFile("/x/SET.PLC"));
    EXPECT_TRUE(IsCollectionFile("/x/set.Plc"));
    EXPECT_FALSE(IsCollectionFile("/x/set.plc.kvres"));
    EXPECT_FALSE(IsCollectionFile("/x/plc"));
}

TEST(CollectionRead, OpensExistingPathsAndSkipsTheRestSilently) {
    const QString folder = MakeTempFolder();
    const QString a = Touch(folder + "/a.kvres");
    const QString b = Touch(folder + "/b.kvres");
    const QString bad = Touch(folder + "/bad.kvres");
    QDir(folder).mkdir("sub.kvres");
    const QString set = folder + "/SET.PLC";
    // LF only, a missing file, an empty line, a folder, a failing archive.
    WriteBytes(set, (folder + "/gone.kvres\n" + a + "\n\n" + folder + "/sub.kvres\n" + bad + "\n" + b).toUtf8());

    TOpenRecorder recorder;
    recorder.OpenFile(set);
    EXPECT_EQ(recorder.Opened, QStringList({a, b}));
    ASSERT_EQ(recorder.History.Count(), 3);
    EXPECT_EQ(recorder.History.GetItem(0), set);  // the collection is the newest item
}

TEST(CollectionRead, EmptyCollectionOpensNothingButTopsTheHistory) {
    const QString folder = MakeTempFolder();
    const QString a = Touch(folder + "/a.kvres");
    const QString set = folder + "/empty.plc";
    WriteBytes(set, "");
    TOpenRecorder recorder;
    recorder.OpenFile(a);
    recorder.OpenFile(set);
    EXPECT_EQ(recorder.Opened, QStringList({a}));
    EXPECT_EQ(recorder.History.GetItem(0), set);
}

TEST(CollectionRead, NestedCollectionOpensTheArchivesOfBoth) {
    const QString folder = MakeTempFolder();
    const QString a = Touch(folder + "/a.kvres");
    const QString b = Touch(folder + "/b.kvres");
    const QString inner = folder + "/inner.plc";
    const QString outer = folder + "/outer.plc";
    WriteBytes(inner, CollectionText({b}));
    WriteBytes(outer, CollectionText({a, inner}));
    TOpenRecorder recorder;
    recorder.OpenFile(outer);
    EXPECT_EQ(recorder.Opened, QStringList({a, b}));
    EXPECT_EQ(recorder.History.GetItem(0), outer);
    EXPECT_EQ(recorder.History.GetItem(1), inner);
}

TEST(CollectionRead, CollectionsListingThemselvesAreReadOnce) {
    const QString folder = MakeTempFolder();
    const QString a = Touch(folder + "/a.kvres");
    const QString b = Touch(folder + "/b.kvres");
    const QString self = folder + "/self.plc";
    const QString first = folder + "/first.plc";
    const QString second = folder + "/second.plc";
    // Directly, and through another collection under another spelling of the path.
    WriteBytes(self, CollectionText({self, a, folder + "/./self.plc"}));
    WriteBytes(first, CollectionText({second, a}));
    WriteBytes(second, CollectionText({folder + "/../" + QFileInfo(folder).fileName() + "/first.plc", b}));

    TOpenRecorder direct;
    direct.OpenFile(self);
    EXPECT_EQ(direct.Opened, QStringList({a}));
    EXPECT_FALSE(direct.Reader.IsReading(self));

    TOpenRecorder cycle;
    cycle.OpenFile(first);
    EXPECT_EQ(cycle.Opened, QStringList({b, a}));
    EXPECT_EQ(cycle.History.GetItem(0), first);
    // Read again later, it opens again: the guard only covers one read.
    cycle.OpenFile(first);
    EXPECT_EQ(cycle.Opened.size(), 4);
}

TEST(CollectionRead, MissingCollectionRaises) {
    const QString folder = MakeTempFolder();
    TOpenRecorder recorder;
    EXPECT_THROW(recorder.OpenFile(folder + "/missing.plc"), std::runtime_error);
    EXPECT_FALSE(recorder.Reader.IsReading(folder + "/missing.plc"));
    EXPECT_EQ(recorder.History.Count(), 0);
}
