// Registration of the game's archive types and of collection files with the
// desktop, per user, the freedesktop way: a shared-mime-info package naming
// the seven extensions, a .desktop file that opens them with this program
// (and is made their default application), then the two update tools.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

struct TFileTypeInfo {
    QString Extension;    // ".kvres"
    QString TypeKey;      // "vorn_res"
    QString Description;  // "Karvold Resource"
    // The MIME type standing for the type key: "application/x-vorn-res".
    QString MimeType() const;
};

// The seven registered types, in registration order.
const std::vector<TFileTypeInfo>& FileTypeTable();

// Name of the package, the .desktop file and the icon.
extern const char* const RegistrationName;  // "pellory2"

// The shared-mime-info package: one type per row, its description and glob.
QByteArray MimePackageXml();
// The .desktop entry: `programPath` quoted for the Exec key, then %F.
QByteArray DesktopEntryText(const QString& programPath);
// `argument` as one argument of a .desktop Exec key (quoting and escapes).
QString DesktopExecArgument(const QString& argument);
// `mimeapps` with this program made the default for every registered type;
// all other lines are kept as they are.
QByteArray MimeAppsWithDefaults(const QByteArray& mimeapps);

// Where the registration goes and what it runs.
struct TRegistrationPlaces {
    QString DataHome;             // $XDG_DATA_HOME, usually ~/.local/share
    QString ConfigHome;           // $XDG_CONFIG_HOME, for mimeapps.list
    QStringList ToolSearchPaths;  // folders for the update tools; empty: $PATH
};
TRegistrationPlaces DefaultRegistrationPlaces();

struct TRegistrationResult {
    QStringList WrittenFiles;
    QStringList MissingTools;  // update tools not found; the rest was done
};

// Writes the package, the .desktop file, the icon (when `iconSvg` is not
// empty) and the default-application entries, then runs update-mime-database
// and update-desktop-database when they are found. Raises std::runtime_error
// with a message naming the file or tool on any failure; files written
// before the failure stay.
TRegistrationResult RegisterFileTypes(const TRegistrationPlaces& places, const QString& programPath,
                                      const QByteArray& iconSvg);

// The text shown after a registration: "Done!", and a note for missing tools.
QString RegistrationReport(const TRegistrationResult& result);
