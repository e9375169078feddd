// Program folder, temporary folder, long paths, file sizes and versions.
#include "AppTestUtil.h"

#include "app/GenFunctions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(PathFunctions, FoldersEndWithASlash) {
    EXPECT_TRUE(GetAppFolder().endsWith('/'));
    EXPECT_EQ(GetAppFolder(), QCoreApplication::applicationDirPath() + '/');
    EXPECT_TRUE(GetTempFolder().endsWith('/'));
    EXPECT_FALSE(GetTempFolder().endsWith("//"));
}

TEST(ExpandLongPath, KeepsPathsWithWildcardsOrDoubleBackslashesUnchanged) {
    for (const char* path : {"rel/*.kvres", "a?b", "x\\\\y", "/nowhere/at/all/*"})
        EXPECT_EQ(ExpandLongPath(path), QString(path)) << path;
}

TEST(ExpandLongPath, MakesExistingPathsAbsoluteAndDropsATrailingSlash) {
    TTempFolder temp;
    QDir(temp.Path()).mkpath("Games/Karvold");
    QFile file(temp.Path("Games/Karvold/data.kvres"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    EXPECT_EQ(ExpandLongPath(temp.Path("Games/Karvold/")), temp.Path("Games/Karvold"));
    EXPECT_EQ(ExpandLongPath(temp.Path("Games/./Karvold/../Karvold/data.kvres")),
              temp.Path("Games/Karvold/data.kvres"));
    EXPECT_EQ(ExpandLongPath("/"), "/");

    const QString saved = QDir::currentPath();
    QDir::setCurrent(temp.Path("Games"));
    EXPECT_EQ(ExpandLongPath("Karvold/data.kvres"), temp.Path("Games/Karvold/data.kvres"));
    QDir::setCurrent(saved);
}

TEST(ExpandLongPath, MissingComponentGivesEmptyTextButShortLeadingPartIsNotLookedUp) {
    TTempFolder temp;
    EXPECT_EQ(ExpandLongPath(temp.Path("missing/data.kvres")), QString());
    // Ten characters or fewer are returned as written, without a lookup.
    EXPECT_EQ(ExpandLongPath("/nowhere12"), "/nowhere12");
    EXPECT_EQ(ExpandLongPath("/nowhere123"), QString());
}

TEST(GetFileSizeByName, GivesTheLow32BitsAndRaisesForAMissingFile) {
    TTempFolder temp;
    QFile file(temp.Path("big.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize((qint64{1} << 32) + 5));  // sparse: no real 4 GiB written
    file.close();
    EXPECT_EQ(GetFileSizeByName(temp.Path("big.bin")), 5);
    EXPECT_THROW(GetFileSizeByName(temp.Path("none.bin")), std::runtime_error);
}

TEST(GetFileVersion, GivesTheProgramsOwnVersionAndRaisesForOtherFiles) {
    const TFileVersion expected = ParseVersion(PELLORY_VERSION);
    const TFileVersion own = GetFileVersion(QCoreApplication::applicationFilePath());
    EXPECT_EQ(own.Major, expected.Major);
    EXPECT_EQ(own.Minor, expected.Minor);
    EXPECT_EQ(own.Release, expected.Release);
    EXPECT_EQ(own.Build, expected.Build);
    EXPECT_EQ(own.Major, 2);

    TTempFolder temp;
    const QString other = temp.Path("plain.txt");
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    try {
        GetFileVersion(other);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(QString(error.what()), "Can't get file version information for " + other);
    }
}

TEST(ParseVersion, ReadsFourNumbers) {
    const TFileVersion v = ParseVersion("2.0.0.5");
    EXPECT_EQ(v.Major, 2);
    EXPECT_EQ(v.Minor, 0);
    EXPECT_EQ(v.Release, 0);
    EXPECT_EQ(v.Build, 5);
}
