#include "ExtractNames.h"

std::optional<QString> UnsafeNameReason(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("Unsafe name: the name is empty");
    if (name == QLatin1String("."))
        return QStringLiteral("Unsafe name: \".\" names the folder itself");
    if (name == QLatin1String(".."))
        return QStringLiteral("Unsafe name: \"..\" names the parent folder");
    for (QChar c : name) {
        if (c == QLatin1Char('/'))
            return QStringLiteral("Unsafe name: it contains a slash");
        if (c == QLatin1Char('\\'))
            return QStringLiteral("Unsafe name: it contains a backslash");
        if (c == QLatin1Char(':'))
            return QStringLiteral("Unsafe name: it contains a colon");
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("Unsafe name: it contains a control character");
    }
    return std::nullopt;
}

QString PrintableName(const QString& name)
{
    QString result;
    result.reserve(name.size());
    for (QChar c : name) {
        if (c.category() == QChar::Other_Control)
            result += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            result += c;
    }
    return result;
}
