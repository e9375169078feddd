#include "app/Collection.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

namespace {

std::runtime_error FileError(const char* what, const QString& fileName, const QString& reason) {
    return std::runtime_error(
        QStringLiteral("%1 \"%2\". %3").arg(QLatin1String(what), fileName, reason).toStdString());
}

// The same file however its path is written; the text itself when it does
// not resolve.
QString FileKey(const QString& fileName) {
    const QString canonical = QFileInfo(fileName).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(fileName).absoluteFilePath() : canonical;
}

// Removes the key again however the read ends.
class TReadingMark {
public:
    TReadingMark(QSet<QString>& set, const QString& key) : FSet(set), FKey(key) { FSet.insert(FKey); }
    ~TReadingMark() { FSet.remove(FKey); }
    TReadingMark(const TReadingMark&) = delete;
    TReadingMark& operator=(const TReadingMark&) = delete;

private:
    QSet<QString>& FSet;
    QString FKey;
};

}  // namespace

bool IsCollectionFile(const QString& path) {
    return path.endsWith(QLatin1String(".plc"), Qt::CaseInsensitive);
}

QByteArray CollectionText(const QStringList& paths) {
    QByteArray text;
    for (const QString& path : paths) text += QFile::encodeName(path) + "\r\n";
    return text;
}

void WriteCollection(const QString& fileName, const QStringList& paths) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) throw FileError("Cannot create file", fileName, file.errorString());
    const QByteArray text = CollectionText(paths);
    if (file.write(text) != text.size() || !file.commit())
        throw FileError("Cannot write file", fileName, file.errorString());
}

QStringList CollectionLines(const QByteArray& text) {
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) end = text.size();
        // A CR before the LF ends the line; any other CR is dropped as well.
        QByteArray line = text.mid(start, end - start);
        line.replace('\r', QByteArray());
        lines << QFile::decodeName(line);
        start = end + 1;
    }
    return lines;
}

bool TCollectionReader::IsReading(const QString& fileName) const {
    return FReading.contains(FileKey(fileName));
}

bool TCollectionReader::Read(const QString& fileName, const TOpenOne& openOne) {
    const QString key = FileKey(fileName);
    if (FReading.contains(key)) return false;
    TReadingMark mark(FReading, key);

    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) throw FileError("Cannot open file", fileName, file.errorString());
    const QByteArray text = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError("Cannot read file", fileName, file.errorString());
    file.close();

    for (const QString& line : CollectionLines(text)) {
        if (line.isEmpty() || !QFileInfo(line).isFile()) continue;
        try {
            openOne(line);
        } catch (...) {
            // A line that fails is skipped without a message.
        }
    }
    return true;
}
