// The game folder from a Wine prefix's system.reg.
#include "PrefsTestUtil.h"

#include "app/GamePath.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const char* const RegHeader = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";

// A prefix with drive c: (a link to drive_c, as Wine makes it) holding
// Games/Karvold and Games/Kärvold.
class WinePrefix : public ::testing::Test {
protected:
    void SetUp() override {
        prefix = MakeTempFolder();
        QDir(prefix).mkpath("drive_c/Games/Karvold");
        QDir(prefix).mkpath(QString::fromUtf8("drive_c/Games/K\xC3\xA4rvold"));
        QDir(prefix).mkpath("dosdevices");
        ASSERT_TRUE(QFile::link("../drive_c", prefix + "/dosdevices/c:"));
        driveC = QFileInfo(prefix + "/drive_c").canonicalFilePath();
    }
    QString GameFolderWith(const QByteArray& registry) {
        WriteBytes(prefix + "/system.reg", RegHeader + registry);
        return ReadGamePathFromWineRegistry(prefix);
    }
    QString prefix;
    QString driveC;
};

}  // namespace

TEST_F(WinePrefix, FindsTheValueUnderEitherKeyInAnyLetterCase) {
    const struct {
        const char* registry;
        const char* expected;  // below drive_c
    } cases[] = {
        {"[Software\\\\Ostren\\\\Karvold\\\\1.0] 1700000000\n#time=1da\n\"EXE Path\"=\"C:\\\\Games\\\\Karvold\\\\\"\n",
         "/Games/Karvold/"},
        {"[Software\\\\Wow6432Node\\\\Ostren\\\\Karvold\\\\1.0] 1700000000\n\"EXE Path\"=\"C:\\\\Games\\\\Karvold\"\n",
         "/Games/Karvold"},
        {"[SOFTWARE\\\\ostren\\\\KARVOLD\\\\1.0] 1\n\"exe path\"=\"c:\\\\games\\\\KARVOLD\\\\\"\n", "/Games/Karvold/"},
        // Other values and keys around it, a hex value continued over lines.
        {"[Software\\\\Ostren] 1\n\"EXE Path\"=\"C:\\\\wrong\"\n"
         "[Software\\\\Ostren\\\\Karvold\\\\1.0] 1\n\"Data\"=hex:00,01,\\\n  02,03\n@=\"default\"\n"
         "\"Version\"=dword:00000001\n\"EXE Path\"=\"C:\\\\Games\\\\Karvold\"\n"
         "[Software\\\\Ostren\\\\Karvold\\\\1.0\\\\Sub] 1\n\"EXE Path\"=\"C:\\\\wrong\"\n",
         "/Games/Karvold"},
        // Non-ASCII characters are written as \x escapes.
        {"[Software\\\\Ostren\\\\Karvold\\\\1.0] 1\n\"EXE Path\"=\"C:\\\\Games\\\\K\\xe4rvold\\\\\"\n",
         "/Games/K\xC3\xA4rvold/"},
        // A folder that is not there (yet) is still handed on, as written.
        {"[Software\\\\Ostren\\\\Karvold\\\\1.0] 1\n\"EXE Path\"=\"C:\\\\Games\\\\New Game\"\n",
         "/Games/New Game"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GameFolderWith(c.registry), driveC + QString::fromUtf8(c.expected)) << c.registry;
}

TEST_F(WinePrefix, EmptyWhenAnythingIsMissing) {
    EXPECT_EQ(ReadGamePathFromWineRegistry(prefix), "");  // no system.reg
    const char* const cases[] = {
        "",
        "[Software\\\\Ostren\\\\Karvold\\\\2.0] 1\n\"EXE Path\"=\"C:\\\\Games\\\\Karvold\"\n",
        "[Software\\\\Ostren\\\\Karvold\\\\1.0] 1\n\"EXE Dir\"=\"C:\\\\Games\\\\Karvold\"\n",
        "[Software\\\\Ostren\\\\Karvold\\\\1.0] 1\n\"EXE Path\"=\"\"\n",
        "[Software\\\\Ostren\\\\Karvold\\\\1.0] 1\n\"EXE Path\"=\"D:\\\\Games\\\\Karvold\"\n",  // no drive d:
        "[Software\\\\Ostren\\\\Karvold\\\\1.0] 1\n\"EXE Path\"=\"\\\\\\\\server\\\\share\"\n",
        "[Software\\\\Ostren\\\\Karvold\\\\1.0] 1\n\"EXE Path\"=dword:00000001\n",
        "[Software\\\\Ostren\\\\Karvold\\\\1.0] 1\n\"EXE Path\"=\"C:\\\\unterminated\n",
    };
    for (const char* registry : cases) EXPECT_EQ(GameFolderWith(registry), "") << registry;
}

TEST(WineRegString, EscapesAreUndone) {
    const struct {
        const char* escaped;
        QString text;
    } cases[] = {
        {"plain", "plain"},
        {"C:\\\\Games\\\\", "C:\\Games\\"},
        {"say \\\"hi\\\"", "say \"hi\""},
        {"\\x41\\xe4", QString("A") + QChar(0xE4)},
        {"\\x00e4x", QString(QChar(0xE4)) + "x"},  // four hex digits at most
        {"\\x20ac1", QString(QChar(0x20AC)) + "1"},
        {"\\101\\0", QString("A") + QChar(0)},      // octal
        {"a\\nb\\tc", "a\nb\tc"},
        {"\\[key\\]", "[key]"},
        {"trailing\\", "trailing\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(UnescapeWineRegString(c.escaped), c.text) << c.escaped;
}

TEST(WinePrefixFolder, WinePrefixVariableOrHomeWine) {
    const QByteArray saved = qgetenv("WINEPREFIX");
    qputenv("WINEPREFIX", "/srv/prefix");
    EXPECT_EQ(DefaultWinePrefix(), "/srv/prefix");
    qunsetenv("WINEPREFIX");
    EXPECT_EQ(DefaultWinePrefix(), QDir::homePath() + "/.wine");
    if (!saved.isEmpty()) qputenv("WINEPREFIX", saved);
}
