#include "app/OpenDialogFilter.h"

const char* const OpenDialogFilter =
    "Karvold Files (*.kv*;*.plc)|*.kv*;*.plc|Karvold Maps|*.kv2m*|Karvold Resources|*.kv2r*|"
    "Karvold Savegames|*.kv2par*;*.kv2rad*;*.kv2bak*;*.kv2bm*|Pellory Collection|*.plc|All Files|*.*";

QStringList ToDialogFilters(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString patterns = parts[i + 1];
        QString qtPatterns = patterns;
        qtPatterns.replace(';', ' ');
        if (qtPatterns == QLatin1String("*.*")) qtPatterns = QStringLiteral("*");
        // A description that already shows its patterns gets them in Qt's form.
        const QString shown = " (" + patterns + ")";
        if (description.endsWith(shown)) description.chop(shown.size());
        result << description + " (" + qtPatterns + ")";
    }
    return result;
}
