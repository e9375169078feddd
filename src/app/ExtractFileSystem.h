// The file-system side of extraction (POSIX). The destination folder itself
// is taken as the user gave it; every folder and file below it is reached
// through open folder handles without following symbolic links, so nothing
// an archive names can lead outside the destination. Files are written to
// an unnamed or temporary file first and only published under their name
// once complete and timed, so an existing file is never lost half-way.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <stdexcept>

// A failure of one file-system step; the message is shown to the user.
class EExtractError : public std::runtime_error {
public:
    explicit EExtractError(const QString& message)
        : std::runtime_error(message.toStdString()) {}
};

// What lies at a name inside a folder, without following a symbolic link.
struct TExistingEntry {
    enum TKind { None, File, Directory, SymbolicLink };
    TKind Kind = None;
    int64_t ModifiedSeconds = 0;  // last-write time, seconds since the epoch
};

// A destination folder and the folders below it. Keeps the folder opened
// last, since files of one folder are extracted one after another.
class TDestinationTree {
public:
    explicit TDestinationTree(const QString& root);
    ~TDestinationTree();
    TDestinationTree(const TDestinationTree&) = delete;
    TDestinationTree& operator=(const TDestinationTree&) = delete;

    // The handle of the folder `folders` below the root (valid until the next
    // call). With `create`, missing folders are made, the root with all its
    // parents; without it, -1 tells that a folder is missing. Raises
    // EExtractError for a symbolic link or anything but a folder on the way.
    int OpenFolder(const QStringList& folders, bool create);

private:
    int OpenRoot(bool create);
    void CloseCached();

    QString FRoot;
    int FRootFd = -1;
    int FCachedFd = -1;
    QStringList FCachedFolders;
};

QByteArray FileSystemName(const QString& name);

TExistingEntry StatEntry(int folderFd, const QByteArray& name);

// The length of an existing file, found by opening it for reading.
uint64_t ExistingFileSize(int folderFd, const QByteArray& name);

// Writes `size` bytes as the file `name` in the folder, stamped with
// `modifiedSeconds` as last-write time when given (the last-access time is
// left alone). With `replace` an existing file is replaced in one step; on
// any failure it stays as it was and no partial file is left behind.
void PublishFile(int folderFd, const QByteArray& name, const uint8_t* data, size_t size,
                 std::optional<int64_t> modifiedSeconds, bool replace);

// The text of an errno value.
QString SystemErrorText(int error);
