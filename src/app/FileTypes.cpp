#include "app/FileTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <stdexcept>

const char* const RegistrationName = "pellory2";

namespace {

const char* const MimeTool = "update-mime-database";
const char* const DesktopTool = "update-desktop-database";
const char* const DefaultsSection = "[Default Applications]";
// Above the default of 50, so these globs win over another package that
// claims the same extensions, as the registration overwrites existing ones.
const int GlobWeight = 60;
const int ToolTimeoutMs = 120000;

std::runtime_error Failure(const QString& message) { return std::runtime_error(message.toStdString()); }

QString XmlEscaped(const QString& text) { return text.toHtmlEscaped(); }

QString DesktopFileName() { return QString::fromLatin1(RegistrationName) + ".desktop"; }

void WriteFileReplacing(const QString& fileName, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(fileName).absolutePath()))
        throw Failure(QStringLiteral("Can't create the folder %1.").arg(QFileInfo(fileName).absolutePath()));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Failure(QStringLiteral("Can't write %1: %2").arg(fileName, file.errorString()));
}

QByteArray ReadFileIfAny(const QString& fileName) {
    QFile file(fileName);
    if (!file.exists()) return {};
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("Can't read %1: %2").arg(fileName, file.errorString()));
    return file.readAll();
}

// Runs `tool` on `folder`; false when the tool is not installed.
bool RunUpdateTool(const QString& tool, const QString& folder, const QStringList& searchPaths) {
    const QString program = QStandardPaths::findExecutable(tool, searchPaths);
    if (program.isEmpty()) return false;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, {folder});
    if (!process.waitForStarted())
        throw Failure(QStringLiteral("Can't run %1: %2").arg(tool, process.errorString()));
    if (!process.waitForFinished(ToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        throw Failure(QStringLiteral("%1 did not finish.").arg(tool));
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
        throw Failure(QStringLiteral("%1 failed on %2 (exit code %3)%4")
                          .arg(tool, folder)
                          .arg(process.exitCode())
                          .arg(output.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + output));
    }
    return true;
}

}  // namespace

QString TFileTypeInfo::MimeType() const {
    QString name = TypeKey;
    return "application/x-" + name.replace('_', '-');
}

const std::vector<TFileTypeInfo>& FileTypeTable() {
    static const std::vector<TFileTypeInfo> table = {
        {".kvres", "vorn_res", "Karvold Resource"},
        {".kvmap", "vorn_map", "Karvold Map"},
        {".kvsave", "vorn_save", "Karvold Save"},
        {".kvasave", "vorn_asave", "Karvold Autosave"},
        {".kvqsave", "vorn_qsave", "Karvold Quicksave"},
        {".kvparty", "vorn_party", "Karvold Party"},
        {".plc", "vorn_plc", "Pellory Collection"},
    };
    return table;
}

QByteArray MimePackageXml() {
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
    for (const TFileTypeInfo& type : FileTypeTable()) {
        xml += QStringLiteral("  <mime-type type=\"%1\">\n").arg(XmlEscaped(type.MimeType()));
        xml += QStringLiteral("    <comment>%1</comment>\n").arg(XmlEscaped(type.Description));
        xml += QStringLiteral("    <icon name=\"%1\"/>\n").arg(QLatin1String(RegistrationName));
        xml += QStringLiteral("    <glob pattern=\"*%1\" weight=\"%2\"/>\n")
                   .arg(XmlEscaped(type.Extension))
                   .arg(GlobWeight);
        xml += QStringLiteral("  </mime-type>\n");
    }
    xml += QStringLiteral("</mime-info>\n");
    return xml.toUtf8();
}

QString DesktopExecArgument(const QString& argument) {
    // Quoting rule of Exec arguments, then "%%" for a literal percent sign,
    // then the escapes of a string value, which readers undo first.
    QString quoted;
    for (const QChar c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted = '"' + quoted + '"';
    quoted.replace('%', QLatin1String("%%"));
    QString value;
    for (const QChar c : quoted) {
        if (c == '\\') value += QLatin1String("\\\\");
        else if (c == '\n') value += QLatin1String("\\n");
        else if (c == '\t') value += QLatin1String("\\t");
        else if (c == '\r') value += QLatin1String("\\r");
        else value += c;
    }
    return value;
}

QByteArray DesktopEntryText(const QString& programPath) {
    QString mimeTypes;
    for (const TFileTypeInfo& type : FileTypeTable()) mimeTypes += type.MimeType() + ';';
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Pellory 2\n"
               "GenericName=Archive Browser\n"
               "Comment=Browse and unpack Karvold archives\n"
               "Exec=%1 %F\n"
               "Icon=%2\n"
               "Terminal=false\n"
               "Categories=Utility;Archiving;\n"
               "MimeType=%3\n")
        .arg(DesktopExecArgument(programPath), QLatin1String(RegistrationName), mimeTypes)
        .toUtf8();
}

QByteArray MimeAppsWithDefaults(const QByteArray& mimeapps) {
    QList<QByteArray> lines = mimeapps.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();

    QList<QByteArray> wanted;
    QList<QByteArray> ours;
    for (const TFileTypeInfo& type : FileTypeTable()) {
        ours << type.MimeType().toUtf8() + '=';
        wanted << ours.last() + DesktopFileName().toUtf8() + ';';
    }

    // Drop our types' old lines from the defaults section, then put ours at
    // its end (appending the section when there is none).
    QList<QByteArray> out;
    qsizetype insertAt = -1;
    bool inDefaults = false;
    for (const QByteArray& line : lines) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[')) {
            if (inDefaults) insertAt = out.size();
            inDefaults = trimmed == DefaultsSection;
        } else if (inDefaults) {
            bool isOurs = false;
            for (const QByteArray& prefix : ours) isOurs = isOurs || trimmed.startsWith(prefix);
            if (isOurs) continue;
        }
        out << line;
    }
    if (inDefaults) insertAt = out.size();
    if (insertAt < 0) {
        if (!out.isEmpty() && !out.last().trimmed().isEmpty()) out << QByteArray();
        out << DefaultsSection;
        insertAt = out.size();
    } else {
        // Keep a blank line that separates the section from the next one.
        while (insertAt > 0 && out[insertAt - 1].trimmed().isEmpty()) --insertAt;
    }
    for (qsizetype i = 0; i < wanted.size(); ++i) out.insert(insertAt + i, wanted[i]);
    return out.join('\n') + '\n';
}

TRegistrationPlaces DefaultRegistrationPlaces() {
    return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
            {}};
}

TRegistrationResult RegisterFileTypes(const TRegistrationPlaces& places, const QString& programPath,
                                      const QByteArray& iconSvg) {
    if (places.DataHome.isEmpty() || places.ConfigHome.isEmpty())
        throw Failure(QStringLiteral("Can't find the folders for desktop settings."));
    const QDir data(places.DataHome);
    const QString name = QString::fromLatin1(RegistrationName);
    TRegistrationResult result;
    auto write = [&result](const QString& fileName, const QByteArray& bytes) {
        WriteFileReplacing(fileName, bytes);
        result.WrittenFiles << fileName;
    };

    write(data.filePath("mime/packages/" + name + ".xml"), MimePackageXml());
    write(data.filePath("applications/" + DesktopFileName()), DesktopEntryText(programPath));
    if (!iconSvg.isEmpty()) write(data.filePath("icons/hicolor/scalable/apps/" + name + ".svg"), iconSvg);
    const QString mimeapps = QDir(places.ConfigHome).filePath("mimeapps.list");
    write(mimeapps, MimeAppsWithDefaults(ReadFileIfAny(mimeapps)));

    // The desktop reads the new types only from the caches these tools build.
    if (!RunUpdateTool(MimeTool, data.filePath("mime"), places.ToolSearchPaths))
        result.MissingTools << MimeTool;
    if (!RunUpdateTool(DesktopTool, data.filePath("applications"), places.ToolSearchPaths))
        result.MissingTools << DesktopTool;
    return result;
}

QString RegistrationReport(const TRegistrationResult& result) {
    if (result.MissingTools.isEmpty()) return QStringLiteral("Done!");
    return QStringLiteral(
               "Done!\n\nNot found: %1. The file types are written but take effect only after "
               "these tools (packages shared-mime-info and desktop-file-utils) have been run.")
        .arg(result.MissingTools.join(QLatin1String(", ")));
}
