// Collection files (".plc"): plain text, one archive path per line, every
// line ending in CR LF. Reading accepts LF or CR LF line ends, drops lone
// CRs, skips empty lines and paths where no file exists, and hands every
// other path to the caller's open routine, which may itself read further
// collections.
#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// True when the extension is ".plc", in any letter case.
bool IsCollectionFile(const QString& path);

// The paths as the file holds them: each followed by CR LF.
QByteArray CollectionText(const QStringList& paths);
// Writes the collection, replacing `fileName` only once the whole text is
// on disk. Raises std::runtime_error with the system's reason on failure.
void WriteCollection(const QString& fileName, const QStringList& paths);

// The lines of a collection's text, with the read rules applied; empty
// lines are kept here (the reader skips them).
QStringList CollectionLines(const QByteArray& text);

// Reads collections for the open routine. A collection that is already
// being read (one listing itself, directly or through others) is skipped,
// so each is read at most once per outermost read.
class TCollectionReader {
public:
    using TOpenOne = std::function<void(const QString& path)>;

    // Opens every listed path that names an existing file with `openOne`;
    // anything `openOne` raises is swallowed and reading goes on. Raises
    // std::runtime_error when the collection itself cannot be read. Returns
    // false, doing nothing, for a collection already being read.
    bool Read(const QString& fileName, const TOpenOne& openOne);

    bool IsReading(const QString& fileName) const;

private:
    QSet<QString> FReading;  // canonical paths of the collections being read
};
