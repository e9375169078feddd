// Per-user registration of the file types in a temporary data home.
#include "PrefsTestUtil.h"

#include "app/FileTypes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <map>

namespace {

struct TExpectedType {
    QString Glob, MimeType, Comment;
};
// Extension, type key (as the MIME type) and description of each type.
const std::vector<TExpectedType> ExpectedTypes = {
    {"*.kvres", "application/x-vorn-res", "Karvold Resource"},
    {"*.kvmap", "application/x-vorn-map", "Karvold Map"},
    {"*.kvsave", "application/x-vorn-save", "Karvold Save"},
    {"*.kvasave", "application/x-vorn-asave", "Karvold Autosave"},
    {"*.kvqsave", "application/x-vorn-qsave", "Karvold Quicksave"},
    {"*.kvparty", "application/x-vorn-party", "Karvold Party"},
    {"*.plc", "application/x-vorn-plc", "Pellory Collection"},
};

std::vector<TExpectedType> TypesInPackage(const QByteArray& xml) {
    std::vector<TExpectedType> types;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) continue;
        if (reader.name() == u"mime-type") types.push_back({{}, reader.attributes().value("type").toString(), {}});
        else if (reader.name() == u"glob") types.back().Glob = reader.attributes().value("pattern").toString();
        else if (reader.name() == u"comment") types.back().Comment = reader.readElementText();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return types;
}

QString LineStartingWith(const QByteArray& text, const QByteArray& start) {
    for (const QByteArray& line : text.split('\n'))
        if (line.startsWith(start)) return QString::fromUtf8(line);
    return {};
}

// A folder holding the two update tools as scripts that print `output` and
// exit with `code`.
QString FakeTools(int code, const QString& output) {
    const QString folder = MakeTempFolder();
    for (const char* tool : {"update-mime-database", "update-desktop-database"}) {
        const QString file = folder + '/' + tool;
        WriteBytes(file, QStringLiteral("#!/bin/sh\necho '%1'\nexit %2\n").arg(output).arg(code).toUtf8());
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return folder;
}

TRegistrationPlaces TempPlaces(const QStringList& toolPaths) {
    const QString home = MakeTempFolder();
    return {home + "/data", home + "/config", toolPaths};
}

bool HaveTools() {
    return !QStandardPaths::findExecutable("update-mime-database").isEmpty() &&
           !QStandardPaths::findExecutable("update-desktop-database").isEmpty();
}

}  // namespace

TEST(FileTypes, PackageNamesTheSevenTypesInOrder) {
    const std::vector<TExpectedType> types = TypesInPackage(MimePackageXml());
    ASSERT_EQ(types.size(), ExpectedTypes.size());
    for (size_t i = 0; i < types.size(); ++i) {
        EXPECT_EQ(types[i].MimeType, ExpectedTypes[i].MimeType);
        EXPECT_EQ(types[i].Glob, ExpectedTypes[i].Glob);
        EXPECT_EQ(types[i].Comment, ExpectedTypes[i].Comment);
    }
}

TEST(FileTypes, ExecArgumentQuoting) {
    const std::map<QString, QString> cases = {
        {"/usr/bin/pellory2", R"("/usr/bin/pellory2")"},
        {"/opt/My Apps/pellory2", R"("/opt/My Apps/pellory2")"},
        {"/x/100%/p", R"("/x/100%%/p")"},
        {"/x/$HOME/`p`", R"("/x/\\$HOME/\\`p\\`")"},
        {R"(/x/"q"/p)", R"("/x/\\"q\\"/p")"},
        {R"(/x/back\slash)", R"("/x/back\\\\slash")"},
    };
    for (const auto& [path, exec] : cases) EXPECT_EQ(DesktopExecArgument(path), exec) << path.toStdString();
}

TEST(FileTypes, DefaultsAreSetAndOtherLinesKept) {
    const QByteArray before =
        "[Added Associations]\ntext/plain=editor.desktop;\n\n"
        "[Default Applications]\napplication/x-vorn-res=other.desktop;\ntext/html=browser.desktop;\n\n"
        "[Removed Associations]\nimage/png=viewer.desktop;\n";
    const QByteArray after = MimeAppsWithDefaults(before);
    EXPECT_EQ(LineStartingWith(after, "application/x-vorn-res="), "application/x-vorn-res=pellory2.desktop;");
    EXPECT_EQ(after.count("application/x-vorn-res="), 1);
    for (const QByteArray kept : {"text/plain=editor.desktop;", "text/html=browser.desktop;",
                                  "image/png=viewer.desktop;", "[Removed Associations]"})
        EXPECT_TRUE(after.contains(kept)) << kept.toStdString();
    // Ours land inside the defaults section, before the next section.
    EXPECT_LT(after.indexOf("application/x-vorn-plc="), after.indexOf("[Removed Associations]"));
    EXPECT_GT(after.indexOf("application/x-vorn-plc="), after.indexOf("[Default Applications]"));
    // Applying it twice changes nothing more.
    EXPECT_EQ(MimeAppsWithDefaults(after), after);

    const QByteArray fresh = MimeAppsWithDefaults({});
    EXPECT_TRUE(fresh.startsWith("[Default Applications]\n"));
    EXPECT_EQ(fresh.count('\n'), 8);
}

TEST(FileTypes, RegistrationIsVisibleToTheDesktopTools) {
    if (!HaveTools()) GTEST_SKIP() << "update-mime-database or update-desktop-database not installed";
    const TRegistrationPlaces places = TempPlaces({});
    const TRegistrationResult result = RegisterFileTypes(places, "/opt/My Apps/pellory2", "<svg/>");
    EXPECT_TRUE(result.MissingTools.isEmpty());
    EXPECT_EQ(RegistrationReport(result), "Done!");

    // The MIME cache maps each extension to its type.
    const QByteArray globs = ReadBytes(places.DataHome + "/mime/globs2");
    for (const TExpectedType& type : ExpectedTypes)
        EXPECT_TRUE(globs.contains((type.MimeType + ':' + type.Glob).toUtf8())) << type.Glob.toStdString();
    // The application cache names this program for each type.
    const QByteArray cache = ReadBytes(places.DataHome + "/applications/mimeinfo.cache");
    for (const TExpectedType& type : ExpectedTypes)
        EXPECT_TRUE(cache.contains((type.MimeType + "=pellory2.desktop;").toUtf8())) << type.MimeType.toStdString();

    const QString desktop = places.DataHome + "/applications/pellory2.desktop";
    EXPECT_EQ(LineStartingWith(ReadBytes(desktop), "Exec="), R"(Exec="/opt/My Apps/pellory2" %F)");
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (!validator.isEmpty()) {
        QProcess validate;
        validate.start(validator, {desktop});
        ASSERT_TRUE(validate.waitForFinished());
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString();
    }
    EXPECT_EQ(ReadBytes(places.DataHome + "/icons/hicolor/scalable/apps/pellory2.svg"), "<svg/>");
    EXPECT_EQ(LineStartingWith(ReadBytes(places.ConfigHome + "/mimeapps.list"), "application/x-vorn-plc="),
              "application/x-vorn-plc=pellory2.desktop;");
}

TEST(FileTypes, MissingToolsAreReportedAndTheFilesStillWritten) {
    const TRegistrationPlaces places = TempPlaces({MakeTempFolder()});
    const TRegistrationResult result = RegisterFileTypes(places, "/usr/bin/pellory2", {});
    EXPECT_EQ(result.MissingTools, QStringList({"update-mime-database", "update-desktop-database"}));
    EXPECT_TRUE(QFile::exists(places.DataHome + "/mime/packages/pellory2.xml"));
    EXPECT_TRUE(QFile::exists(places.DataHome + "/applications/pellory2.desktop"));
    EXPECT_FALSE(QFile::exists(places.DataHome + "/icons/hicolor/scalable/apps/pellory2.svg"));
    const QString report = RegistrationReport(result);
    EXPECT_TRUE(report.startsWith("Done!"));
    EXPECT_TRUE(report.contains("update-mime-database, update-desktop-database"));
}

TEST(FileTypes, FailuresRaiseClearMessages) {
    // A tool that fails names itself and passes its output on.
    const TRegistrationPlaces failing = TempPlaces({FakeTools(3, "cache is broken")});
    try {
        RegisterFileTypes(failing, "/usr/bin/pellory2", {});
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        const QString message = error.what();
        EXPECT_TRUE(message.startsWith("update-mime-database failed")) << error.what();
        EXPECT_TRUE(message.contains("cache is broken")) << error.what();
    }
    // A data home that is a file cannot take the package.
    TRegistrationPlaces blocked = TempPlaces({FakeTools(0, "")});
    WriteBytes(blocked.DataHome, "not a folder");
    try {
        RegisterFileTypes(blocked, "/usr/bin/pellory2", {});
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_TRUE(QString(error.what()).contains(blocked.DataHome + "/mime/packages")) << error.what();
    }
}

// The installed copies are the same texts the per-user registration writes.
TEST(FileTypes, InstalledFilesMatchTheRegistration) {
    EXPECT_EQ(ReadBytes(PELLORY_SOURCE_DIR "/resources/pellory2-mime.xml"), MimePackageXml());
    QByteArray desktop = ReadBytes(PELLORY_SOURCE_DIR "/resources/pellory2.desktop.in");
    desktop.replace("@PELLORY_DESKTOP_EXEC@", DesktopExecArgument("/usr/bin/pellory2").toUtf8());
    EXPECT_EQ(desktop, DesktopEntryText("/usr/bin/pellory2"));
}
