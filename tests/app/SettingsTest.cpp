// The settings file: place, defaults, booleans, long values, write failures,
// and the folder preferences kept in it.
#include "AppTestUtil.h"

#include "app/FolderOptions.h"
#include "app/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

namespace {
void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}
QByteArray ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

TEST(SettingsPlace, BesideTheProgramWhenWritableOrPresentElseConfigFolder) {
    TTempFolder temp;
    QDir(temp.Path()).mkpath("app");
    EXPECT_EQ(ChooseSettingsFilePath(temp.Path("app"), temp.Path("config")), temp.Path("app/Pellory2.ini"));
    // A folder that cannot hold the file (a path through a regular file).
    WriteText(temp.Path("file"), "x");
    EXPECT_EQ(ChooseSettingsFilePath(temp.Path("file/app"), temp.Path("config")),
              temp.Path("config/Pellory2.ini"));
}

TEST(SettingsFile, MissingFileAndKeysGiveDefaults) {
    TTempFolder temp;
    const TSettingsFile settings(temp.Path("none.ini"));
    EXPECT_EQ(settings.ReadString("Folders", "Open", "/default/"), "/default/");
    EXPECT_TRUE(settings.ReadBool("Folders", "OpenLast", true));
    EXPECT_FALSE(settings.ReadBool("Folders", "OpenLast", false));
}

TEST(SettingsFile, BooleansAreNonZeroIntegersAndOtherValuesGiveTheDefault) {
    TTempFolder temp;
    WriteText(temp.Path("s.ini"), "[Flags]\none=1\nzero=0\nminus=-3\nword=yes\nempty=\nspaced= 7 \n");
    const TSettingsFile settings(temp.Path("s.ini"));
    struct {
        const char* key;
        bool defaultValue;
        bool expected;
    } cases[] = {{"one", false, true},    {"zero", true, false},  {"minus", false, true},
                 {"word", false, false},  {"word", true, true},   {"empty", true, true},
                 {"spaced", false, true}, {"missing", true, true}};
    for (const auto& c : cases)
        EXPECT_EQ(settings.ReadBool("Flags", c.key, c.defaultValue), c.expected) << c.key;
}

TEST(SettingsFile, LongValuesAreCutAndValuesWithCommasSurvive) {
    TTempFolder temp;
    const QString path = temp.Path("s.ini");
    WriteText(path, "[Folders]\nOpen=" + QByteArray(3000, 'x') + "\nExtract=/a,b/c\n");
    const TSettingsFile settings(path);
    EXPECT_EQ(settings.ReadString("Folders", "Open", {}).size(), 2047);
    EXPECT_EQ(settings.ReadString("Folders", "Extract", {}), "/a,b/c");
}

TEST(SettingsFile, WritesRoundTripAndAFailedWriteNamesTheFile) {
    TTempFolder temp;
    {
        TSettingsFile settings(temp.Path("sub/s.ini"));
        settings.WriteString("Folders", "Open", "/x, y/");
        settings.WriteBool("Folders", "OpenLast", false);
    }
    const TSettingsFile reread(temp.Path("sub/s.ini"));
    EXPECT_EQ(reread.ReadString("Folders", "Open", {}), "/x, y/");
    EXPECT_FALSE(reread.ReadBool("Folders", "OpenLast", true));

    WriteText(temp.Path("file"), "x");
    const QString impossible = temp.Path("file/s.ini");
    TSettingsFile broken(impossible);
    try {
        broken.WriteString("Folders", "Open", "/");
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(QString(error.what()), "Unable to write to " + impossible);
    }
    EXPECT_THROW(broken.EraseSection("history"), std::runtime_error);
}

TEST(FolderOptions, DefaultToTheProgramFolderAndFollowTheLastFolderWhenAsked) {
    TTempFolder temp;
    const QString path = temp.Path("Pellory2.ini");
    TFolderOptions options;
    options.Load(TSettingsFile(path), "/app/");
    EXPECT_EQ(options.GetOpenFolder(), "/app/");
    EXPECT_EQ(options.GetExtractFolder(), "/app/");
    EXPECT_TRUE(options.OpenLast);
    EXPECT_TRUE(options.ExtractLast);

    options.RememberOpenFolder("/games/");
    EXPECT_EQ(options.GetOpenFolder(), "/games/");
    options.OpenLast = false;
    options.RememberOpenFolder("/elsewhere/");
    EXPECT_EQ(options.GetOpenFolder(), "/games/");

    TSettingsFile settings(path);
    options.Save(settings);
    const QByteArray text = ReadText(path);
    EXPECT_TRUE(text.contains("[Folders]"));
    EXPECT_TRUE(text.contains("OpenLast=0"));
    EXPECT_TRUE(text.contains("ExtractLast=1"));
    EXPECT_FALSE(text.contains("[history]"));
    QSettings check(path, QSettings::IniFormat);
    check.beginGroup("Folders");
    EXPECT_EQ(check.childKeys().size(), 4);
}
