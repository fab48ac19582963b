#include "querytext.h"

#include "sqltext.h"

namespace zorva {

namespace {

bool beginsWith(const QString &line, const char *word)
{
    return line.startsWith(QLatin1String(word), Qt::CaseInsensitive);
}

}  // namespace

QString SetWhereLine(QStringList &lines, const QString &condition, bool firstOnly)
{
    for (QString &line : lines) {
        if (beginsWith(line, "WHERE")) {
            line = QStringLiteral("WHERE ") + condition;
            if (firstOnly)
                break;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QString SetOrderLine(QStringList &lines, const QString &field)
{
    for (QString &line : lines) {
        if (beginsWith(line, "ORDER")) {
            line = QStringLiteral("ORDER BY ") + field + QLatin1Char(';');
            break;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QString AppendWhereLine(QStringList &lines, const QString &condition)
{
    for (QString &line : lines) {
        if (beginsWith(line.trimmed(), "WHERE")) {
            const qsizetype semicolon = line.indexOf(QLatin1Char(';'));
            if (semicolon >= 0) {
                line.remove(semicolon, 1);
                line += condition + QLatin1Char(';');
            } else {
                line += condition;
            }
            break;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QString BuildLikeFilter(const QString &columns, const QString &text, bool withAnd)
{
    if (text.isEmpty())
        return QString();
    const QString pattern = SqlText(QStringLiteral("%") + text + QStringLiteral("%"));
    QStringList parts;
    const QStringList names = columns.split(QLatin1Char(';'));
    for (int i = 0; i < names.size() && i < 15; ++i) {
        if (names.at(i).trimmed().isEmpty())
            continue;
        parts << QStringLiteral("(") + names.at(i) + QStringLiteral(" LIKE ") + pattern + QStringLiteral(")");
    }
    if (parts.isEmpty())
        return QString();
    // The parts are joined here rather than by replacing ")(" in the joined text, so a
    // ")(" inside the search text or a column expression stays as it is.
    const QString filter = QStringLiteral("(") + parts.join(QStringLiteral(" OR ")) + QStringLiteral(")");
    return withAnd ? QStringLiteral(" AND ") + filter : filter;
}

}  // namespace zorva
