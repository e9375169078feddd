#include "PrefsTestUtil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <stdexcept>
#include <vector>

QString MakeTempFolder() {
    static std::vector<std::unique_ptr<QTemporaryDir>> folders;
    folders.push_back(std::make_unique<QTemporaryDir>(QDir::tempPath() + "/pellory-prefs-XXXXXX"));
    if (!folders.back()->isValid()) throw std::runtime_error("no temporary folder");
    return folders.back()->path();
}

void WriteBytes(const QString& fileName, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + fileName.toStdString());
}

QByteArray ReadBytes(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + fileName.toStdString());
    return file.readAll();
}

TVornPlan KnownArchivePlan() {
    TVornPlan plan;
    plan.Header.HeaderVersion = 0x00010002;
    plan.Header.Title = u"Karvold Resources";
    plan.Header.Copyright = u"(c) Ostren";
    plan.Header.Author = u"Build Team";
    plan.Header.BuildInfo = u"nightly 42";
    plan.Header.Description = u"Line one\r\nLine two";
    plan.Header.Priority = 1;
    plan.Header.Guid = {0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
    plan.Header.IndexCRC32 = 0xDEADBEEF;
    plan.Root.AddDir("docs").AddFile("readme.txt", "hello, world").ForceCompressedSize = 1234;
    plan.Root.AddFile("big.dat", std::string(1000, 'a')).Zlib(9);
    plan.Root.AddFile("empty.bin", std::string()).Zlib();
    return plan;
}
