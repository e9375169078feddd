// The extraction engine: writes entries of one archive below a destination
// folder with the overwrite policy and the stored modification times. It has
// no windows; it asks and reports through an IExtractionClient.
#pragma once

#include "ExtractClient.h"
#include "ExtractOptions.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class TVornFile;
class TDestinationTree;

// A selected row of the file list, as the engine needs it.
struct TExtractRow {
    uint32_t Offset = 0;
    uint16_t IconIndex = 0;  // rows with 0 are never extracted
    QString Name;
};

// What the main window shows when a run starts, taken once so that
// navigating during the run cannot change what is extracted.
struct TExtractSource {
    uint32_t CurrentFolder = 0;            // the listed directory's entry offset
    size_t RowCount = 0;                   // rows in the file list
    std::vector<TExtractRow> SelectedRows; // in display order
};

// A folder on disk: the destination as the user gave it, and folder names
// below it taken from the archive (each already checked as a safe name).
struct TExtractLocation {
    QString Root;
    QStringList Folders;

    // Root and folders joined by single separators.
    QString Path() const;
    // The path of `name` inside this folder.
    QString PathOf(const QString& name) const;
};

// One call of ExtractEntry: an entry and the folder it goes into.
struct TExtractJob {
    TExtractLocation Destination;
    uint32_t Entry = 0;
};

// A base folder that cannot be made from the archive's names.
struct TExtractPlan {
    std::vector<TExtractJob> Jobs;
    std::vector<TExtractFailure> Refused;
};

struct TExtractSummary {
    uint64_t Written = 0;
    uint64_t Skipped = 0;
    uint64_t Failed = 0;
    bool Cancelled = false;
};

// The jobs of one run: the base folder from the folder-name option and the
// scope, and which entries go there.
TExtractPlan PlanExtraction(const TVornFile& archive, const QString& destination,
                            const ExtractOptions& options, const TExtractSource& source);

// The base folder for entries of `folder` with `options`: the destination,
// then with fnFull the folder's archive path, then with esSelected (and not
// fnRelative) the folder's own name. Raises EExtractError naming an unsafe
// folder name.
TExtractLocation BaseLocation(const TVornFile& archive, const QString& destination,
                              uint32_t folder, const ExtractOptions& options);

// The destination followed by the archive path of `folder` down to its own
// name; the root directory's name only `withRoot`. Empty names add nothing.
// Raises EExtractError naming an unsafe folder name.
TExtractLocation ArchiveFolderLocation(const TVornFile& archive, const QString& destination,
                                       uint32_t folder, bool withRoot);

class TExtractor {
public:
    TExtractor(TVornFile& archive, IExtractionClient& client);
    ~TExtractor();

    // One run from the main window's state. Errors of single entries are
    // reported to the client; an error while walking the tree (a damaged
    // index, a directory loop) ends the run and passes to the caller.
    TExtractSummary ExtractEntries(const QString& destination, ExtractOptions& options,
                                   const TExtractSource& source);

    // Runs planned jobs as one run (shared overwrite policy and progress).
    TExtractSummary Run(const TExtractPlan& plan, ExtractOptions& options);

    // Extracts one entry into `destination`; a directory with everything
    // below it.
    void ExtractEntry(const TExtractLocation& destination, uint32_t entry,
                      ExtractOptions& options);

    // Asks about the existing file `name` in the folder `folderFd`; returns
    // one of the five answer codes.
    TOverwriteAnswer AskOverwrite(int folderFd, const QString& existingPath,
                                  const QByteArray& name, uint32_t entry);

private:
    struct TCancelled {};

    void BeforeEntry();
    void ExtractFile(const TExtractLocation& folder, uint32_t entry, ExtractOptions& options);
    // The folder a directory entry's contents go into; false when its name is refused.
    bool EnterFolder(const TExtractLocation& parent, uint32_t directory,
                     const ExtractOptions& options, TExtractLocation& folder);
    void CountJobs(const TExtractPlan& plan);
    void Fail(const QString& targetPath, uint32_t entry, const QString& message);
    TDestinationTree& Tree(const QString& root);

    TVornFile& FArchive;
    IExtractionClient& FClient;
    TExtractProgress FProgress;
    TExtractSummary FSummary;
    std::unique_ptr<TDestinationTree> FTree;
    QString FTreeRoot;
};

// The entry's path below the root, "/"-separated (names not escaped).
QString ArchivePathOf(const TVornFile& archive, uint32_t entry);

// An entry name as text (valid UTF-8 as such, else Windows-1252).
QString EntryName(const TVornFile& archive, uint32_t entry);
