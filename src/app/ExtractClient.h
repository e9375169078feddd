// What the extraction engine needs from whoever runs it: the main window
// answers with dialogs and the status bar, the command-line tool with its
// options and the terminal, tests with a script.
#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

// An existing file met by a file entry, as the overwrite question shows it.
struct TOverwriteQuestion {
    QString ExistingPath;                    // full path of the file on disk
    uint64_t ExistingSize = 0;               // its length in bytes
    std::optional<QDateTime> ExistingTime;   // its last-write time (local); none when unreadable
    uint32_t Entry = 0;                      // the file entry's offset
    uint32_t EntrySize = 0;                  // GetSize of the entry
    uint64_t EntryFileTime = 0;              // GetFileTime of the entry (FILETIME)
};

// One entry that could not be extracted. The run goes on after it.
struct TExtractFailure {
    QString TargetPath;   // the path on disk the entry was meant for
    QString ArchivePath;  // the entry's path below the root, "/"-separated, not escaped
    QString Message;      // the error's own text
};

// "Can't extract: " + path + CR LF + "Error: " + message.
QString CantExtractText(const TExtractFailure& failure);

// What happened to one file entry.
enum class TEntryOutcome { Written, Skipped, Failed };

// Counts for a progress display. Totals are fixed when the run starts.
struct TExtractProgress {
    uint64_t EntriesDone = 0;
    uint64_t EntriesTotal = 0;
    uint64_t BytesDone = 0;
    uint64_t BytesTotal = 0;
};

class IExtractionClient {
public:
    virtual ~IExtractionClient() = default;

    // The overwrite question; returns the answer code (5, 6, 7, 9 or 10;
    // anything else counts as 7).
    virtual int AskOverwrite(const TOverwriteQuestion& question) = 0;

    // One failing entry; the run goes on.
    virtual void ReportError(const TExtractFailure& failure) = 0;

    // "Extracting " + name, set before an entry's data is decoded.
    virtual void SetStatusText(const QString& text) { (void)text; }

    // Called before every entry and once at the end of the run. The window
    // processes its pending events here.
    virtual void ReportProgress(const TExtractProgress& progress) { (void)progress; }

    // One file entry is finished; `targetPath` is where it went (or would have).
    virtual void EntryFinished(const QString& targetPath, TEntryOutcome outcome)
    {
        (void)targetPath;
        (void)outcome;
    }

    // Polled before every entry: true stops the run after the current entry.
    virtual bool CancelRequested() { return false; }
};
