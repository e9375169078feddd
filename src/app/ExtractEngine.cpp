#include "ExtractEngine.h"

#include "ExtractFileSystem.h"
#include "ExtractNames.h"
#include "ExtractTime.h"
#include "NameDecoding.h"

#include "archive/TreeWalk.h"
#include "archive/VornError.h"
#include "archive/VornFile.h"

#include <new>

namespace {

// An entry whose stored time cannot be converted is never shown to be newer.
bool IsStrictlyOlder(int64_t existingSeconds, uint64_t entryFileTime)
{
    const std::optional<TDosDateTime> stored = FileTimeToDateTime(entryFileTime);
    return stored && LocalDosTimeOf(existingSeconds) < *stored;
}

}  // namespace

TExtractor::TExtractor(TVornFile& archive, IExtractionClient& client)
    : FArchive(archive), FClient(client)
{
}

TExtractor::~TExtractor() = default;

TDestinationTree& TExtractor::Tree(const QString& root)
{
    if (!FTree || FTreeRoot != root) {
        FTree = std::make_unique<TDestinationTree>(root);
        FTreeRoot = root;
    }
    return *FTree;
}

TExtractSummary TExtractor::ExtractEntries(const QString& destination, ExtractOptions& options,
                                           const TExtractSource& source)
{
    return Run(PlanExtraction(FArchive, destination, options, source), options);
}

void TExtractor::CountJobs(const TExtractPlan& plan)
{
    for (const TExtractJob& job : plan.Jobs) {
        const auto count = [&](uint32_t offset) {
            if (FArchive.IsDirectory(offset))
                return;
            ++FProgress.EntriesTotal;
            FProgress.BytesTotal += FArchive.GetSize(offset);
        };
        count(job.Entry);
        if (FArchive.IsDirectory(job.Entry))
            WalkTree(FArchive, job.Entry, [&](uint32_t offset, const std::vector<uint32_t>&) {
                count(offset);
                return true;
            });
    }
}

TExtractSummary TExtractor::Run(const TExtractPlan& plan, ExtractOptions& options)
{
    FSummary = TExtractSummary();
    FProgress = TExtractProgress();
    FTree.reset();
    for (const TExtractFailure& refused : plan.Refused) {
        ++FSummary.Failed;
        FClient.ReportError(refused);
    }
    // Walks the whole work first: a damaged tree ends the run before
    // anything is written, and the totals are known for the progress.
    CountJobs(plan);
    try {
        for (const TExtractJob& job : plan.Jobs)
            ExtractEntry(job.Destination, job.Entry, options);
    } catch (const TCancelled&) {
        FSummary.Cancelled = true;
    }
    FTree.reset();
    FClient.ReportProgress(FProgress);
    return FSummary;
}

void TExtractor::BeforeEntry()
{
    FClient.ReportProgress(FProgress);
    if (FClient.CancelRequested())
        throw TCancelled();
}

void TExtractor::Fail(const QString& targetPath, uint32_t entry, const QString& message)
{
    ++FSummary.Failed;
    FClient.ReportError({targetPath, ArchivePathOf(FArchive, entry), message});
}

bool TExtractor::EnterFolder(const TExtractLocation& parent, uint32_t directory,
                             const ExtractOptions& options, TExtractLocation& folder)
{
    folder = parent;
    if (options.FolderNames != fnNone) {
        const QString name = EntryName(FArchive, directory);
        if (const std::optional<QString> reason = name.isEmpty() ? std::nullopt
                                                                 : UnsafeNameReason(name)) {
            Fail(parent.PathOf(PrintableName(name)), directory, *reason);
            return false;
        }
        if (!name.isEmpty())
            folder.Folders << name;
    }
    try {
        Tree(folder.Root).OpenFolder(folder.Folders, true);
    } catch (const EExtractError&) {
        // Not reported here: each file below reports its own failure.
    }
    return true;
}

void TExtractor::ExtractEntry(const TExtractLocation& destination, uint32_t entry,
                              ExtractOptions& options)
{
    BeforeEntry();
    if (!FArchive.IsDirectory(entry)) {
        ExtractFile(destination, entry, options);
        return;
    }
    // Folders by depth below `entry`: [0] is the entry's own folder.
    std::vector<TExtractLocation> folders(1);
    if (!EnterFolder(destination, entry, options, folders[0]))
        return;
    WalkTree(FArchive, entry, [&](uint32_t offset, const std::vector<uint32_t>& ancestors) {
        BeforeEntry();
        const size_t depth = ancestors.size();
        folders.resize(depth);
        if (!FArchive.IsDirectory(offset)) {
            ExtractFile(folders[depth - 1], offset, options);
            return false;
        }
        TExtractLocation folder;
        if (!EnterFolder(folders[depth - 1], offset, options, folder))
            return false;
        folders.push_back(std::move(folder));
        return true;
    });
}

TOverwriteAnswer TExtractor::AskOverwrite(int folderFd, const QString& existingPath,
                                          const QByteArray& name, uint32_t entry)
{
    TOverwriteQuestion question;
    question.ExistingPath = existingPath;
    question.ExistingSize = ExistingFileSize(folderFd, name);
    const TExistingEntry existing = StatEntry(folderFd, name);
    if (existing.Kind == TExistingEntry::File)
        question.ExistingTime = QDateTime::fromSecsSinceEpoch(existing.ModifiedSeconds,
                                                              Qt::LocalTime);
    question.Entry = entry;
    question.EntrySize = FArchive.GetSize(entry);
    question.EntryFileTime = FArchive.GetFileTime(entry);
    return ToOverwriteAnswer(FClient.AskOverwrite(question));
}

void TExtractor::ExtractFile(const TExtractLocation& folder, uint32_t entry,
                             ExtractOptions& options)
{
    QString target = folder.PathOf(QStringLiteral("<entry at offset %1>").arg(entry));
    TEntryOutcome outcome = TEntryOutcome::Failed;
    uint32_t size = 0;
    try {
        size = FArchive.GetSize(entry);
        const QString name = EntryName(FArchive, entry);
        target = folder.PathOf(PrintableName(name));
        if (const std::optional<QString> reason = UnsafeNameReason(name))
            throw EExtractError(*reason);
        const QByteArray fileName = FileSystemName(name);
        TDestinationTree& tree = Tree(folder.Root);

        int folderFd = tree.OpenFolder(folder.Folders, false);
        const TExistingEntry existing =
            folderFd >= 0 ? StatEntry(folderFd, fileName) : TExistingEntry();
        if (existing.Kind == TExistingEntry::SymbolicLink)
            throw EExtractError(QStringLiteral("The file is a symbolic link; it is not replaced"));
        if (existing.Kind == TExistingEntry::Directory)
            throw EExtractError(SystemErrorText(EISDIR));
        const bool exists = existing.Kind == TExistingEntry::File;

        bool write = true;
        if (exists && options.Overwrite != opYesToAll) {
            bool ageTest = options.Overwrite == opOnlyOlder;
            if (options.Overwrite == opNoToAll)
                write = false;
            if (options.Overwrite == opAsk) {
                switch (AskOverwrite(folderFd, target, fileName, entry)) {
                case oaYes:
                    break;
                case oaNo:
                    write = false;
                    break;
                case oaYesToAll:
                    options.Overwrite = opYesToAll;
                    break;
                case oaNoToAll:
                    options.Overwrite = opNoToAll;
                    write = false;
                    break;
                case oaOnlyOlder:
                    options.Overwrite = opOnlyOlder;
                    ageTest = true;
                    break;
                }
            }
            if (write && ageTest)
                write = IsStrictlyOlder(existing.ModifiedSeconds, FArchive.GetFileTime(entry));
        }

        if (write) {
            folderFd = tree.OpenFolder(folder.Folders, true);
            FClient.SetStatusText(QStringLiteral("Extracting ") + name);
            TDataBuffer data;
            FArchive.ReadFileData(entry, data);
            PublishFile(folderFd, fileName, data.Data.get(), data.Size,
                        StoredTimeToEpoch(FArchive.GetFileTime(entry)), exists);
            outcome = TEntryOutcome::Written;
            ++FSummary.Written;
        } else {
            outcome = TEntryOutcome::Skipped;
            ++FSummary.Skipped;
        }
    } catch (const std::bad_alloc&) {
        Fail(target, entry, QStringLiteral("Out of memory"));
    } catch (const std::exception& error) {
        Fail(target, entry, DecodeArchiveText(error.what()));
    }
    ++FProgress.EntriesDone;
    FProgress.BytesDone += size;
    FClient.EntryFinished(target, outcome);
}
