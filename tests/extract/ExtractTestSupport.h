// Shared pieces of the extraction tests: a scratch folder, an archive built
// by the test writer and opened with the reader, and a scripted client that
// answers the overwrite question from a list and records what it is told.
#pragma once

#include "VornWriter.h"
#include "app/ExtractClient.h"
#include "app/ExtractEngine.h"
#include "archive/VornFile.h"

#include <QString>
#include <QTemporaryDir>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TScriptedClient : public IExtractionClient {
public:
    std::deque<int> Answers;  // popped per question; empty: 7 (No)
    std::vector<TOverwriteQuestion> Questions;
    std::vector<TExtractFailure> Failures;
    std::vector<QString> StatusTexts;
    std::vector<TExtractProgress> Progress;
    std::vector<std::pair<QString, TEntryOutcome>> Finished;
    int CancelAfterFinished = -1;  // cancel once this many entries are finished

    int AskOverwrite(const TOverwriteQuestion& question) override;
    void ReportError(const TExtractFailure& failure) override { Failures.push_back(failure); }
    void SetStatusText(const QString& text) override { StatusTexts.push_back(text); }
    void ReportProgress(const TExtractProgress& progress) override { Progress.push_back(progress); }
    void EntryFinished(const QString& targetPath, TEntryOutcome outcome) override
    {
        Finished.emplace_back(targetPath, outcome);
    }
    bool CancelRequested() override
    {
        return CancelAfterFinished >= 0 && Finished.size() >= size_t(CancelAfterFinished);
    }

    // Every failure as "Can't extract: ..." text.
    std::vector<std::string> FailureTexts() const;
};

// A scratch folder with an archive in it and a destination below it.
class TExtractScene {
public:
    explicit TExtractScene(const TVornPlan& plan);

    TVornFile& Archive() { return *FArchive; }
    const TBuiltVorn& Built() const { return FBuilt; }
    uint32_t Offset(const std::string& path) const { return FBuilt.OffsetOf(path); }
    // The scratch folder (holding the archive and "dest").
    QString Scratch() const { return FDir.path(); }
    QString Dest() const { return FDir.path() + "/dest"; }

    // One ExtractEntries run with `client`.
    TExtractSummary Extract(TScriptedClient& client, ExtractOptions& options,
                            const TExtractSource& source, const QString& destination = {});
    // The source of a file list showing `folder` (archive path, "" the root)
    // with the children at `selected` (paths) selected.
    TExtractSource Source(const std::string& folder,
                          const std::vector<std::string>& selected = {}) const;

private:
    QTemporaryDir FDir;
    TBuiltVorn FBuilt;
    std::unique_ptr<TVornFile> FArchive;
};

// Files below `root`: relative path -> contents. Symbolic links appear with
// the contents "-> target".
std::map<std::string, std::string> TreeContents(const QString& root);

std::string ReadText(const QString& path);
void WriteText(const QString& path, const std::string& text);
// Sets a file's last-write time (seconds since the epoch).
void SetModified(const QString& path, int64_t seconds);
int64_t ModifiedSeconds(const QString& path);
// Seconds since the epoch of a local wall-clock time.
int64_t LocalSeconds(int year, int month, int day, int hour, int minute, int second);
