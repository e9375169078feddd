// Shared fixtures of the preferences tests: a temporary folder and an
// archive with a known header and a few entries of each kind.
#pragma once

#include "VornWriter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>
#include <string>

// Readable failure messages for Qt texts in GoogleTest.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// A fresh folder under the system's temporary folder, removed at exit.
QString MakeTempFolder();
void WriteBytes(const QString& fileName, const QByteArray& bytes);
QByteArray ReadBytes(const QString& fileName);

// Header: version 1.2, no creator, no flags, texts set. Entries: "docs" (a directory), "docs/readme.txt"
// (stored, compression header value 1234), "big.dat" (zlib, compresses
// well), "empty.bin" (zlib, no bytes).
TVornPlan KnownArchivePlan();
