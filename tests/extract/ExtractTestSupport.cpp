#include "ExtractTestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

int TScriptedClient::AskOverwrite(const TOverwriteQuestion& question)
{
    Questions.push_back(question);
    if (Answers.empty())
        return oaNo;
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
}

std::vector<std::string> TScriptedClient::FailureTexts() const
{
    std::vector<std::string> texts;
    for (const TExtractFailure& failure : Failures)
        texts.push_back(CantExtractText(failure).toStdString());
    return texts;
}

TExtractScene::TExtractScene(const TVornPlan& plan) : FBuilt(BuildVorn(plan))
{
    const std::string path = (FDir.path() + "/test.kvres").toStdString();
    FBuilt.Save(path);
    FArchive = TVornFile::Open(path);
}

TExtractSummary TExtractScene::Extract(TScriptedClient& client, ExtractOptions& options,
                                       const TExtractSource& source, const QString& destination)
{
    TExtractor extractor(*FArchive, client);
    return extractor.ExtractEntries(destination.isNull() ? Dest() : destination, options, source);
}

TExtractSource TExtractScene::Source(const std::string& folder,
                                     const std::vector<std::string>& selected) const
{
    TExtractSource source;
    source.CurrentFolder = FBuilt.OffsetOf(folder);
    source.RowCount = FArchive->GetChildCount(source.CurrentFolder);
    for (const std::string& path : selected) {
        const uint32_t offset = FBuilt.OffsetOf(path);
        const uint16_t icon = FArchive->IsDirectory(offset) ? 1 : 4;
        source.SelectedRows.push_back({offset, icon, QString::fromStdString(path)});
    }
    return source;
}

std::map<std::string, std::string> TreeContents(const QString& root)
{
    std::map<std::string, std::string> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        const std::string relative = QDir(root).relativeFilePath(path).toStdString();
        if (info.isSymLink())
            files[relative] = "-> " + info.symLinkTarget().toStdString();
        else if (info.isFile())
            files[relative] = ReadText(path);
    }
    return files;
}

std::string ReadText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll().toStdString();
}

void WriteText(const QString& path, const std::string& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(text.data(), qint64(text.size()));
}

void SetModified(const QString& path, int64_t seconds)
{
    struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(seconds), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times,
                          AT_SYMLINK_NOFOLLOW), 0);
}

int64_t ModifiedSeconds(const QString& path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return st.st_mtim.tv_sec;
}

int64_t LocalSeconds(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::LocalTime)
        .toSecsSinceEpoch();
}
