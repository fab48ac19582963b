#include "sqlscript.h"

namespace zorva {

namespace {

// The blanks trimmed() drops (form feed and vertical tab too), so that a statement's text
// and the line it is said to begin on agree.
bool isBlank(QChar c)
{
    return c.isSpace();
}

// "-- " starts a comment only when a blank (or the end) follows the two dashes.
bool startsDashComment(const QString &s, qsizetype i)
{
    return s.mid(i, 2) == QLatin1String("--") && (i + 2 >= s.size() || isBlank(s.at(i + 2)));
}

// When the line that starts at `i` is a DELIMITER line, its new delimiter; else empty.
QString delimiterCommand(const QString &s, qsizetype i, qsizetype &lineEnd)
{
    lineEnd = s.indexOf(QLatin1Char('\n'), i);
    if (lineEnd < 0)
        lineEnd = s.size();
    const QString line = s.mid(i, lineEnd - i).trimmed();
    if (!line.startsWith(QLatin1String("delimiter"), Qt::CaseInsensitive) || line.size() < 10 ||
        !isBlank(line.at(9)))
        return QString();
    return line.mid(10).trimmed();
}

}  // namespace

QList<SqlStatement> splitSqlScript(const QString &s)
{
    QList<SqlStatement> result;
    QString delimiter = QStringLiteral(";");
    qsizetype start = -1;  // first significant character of the current statement
    int startLine = 0;
    int line = 1;
    bool atLineStart = true;

    auto finish = [&](qsizetype end) {
        if (start >= 0) {
            const QString text = s.mid(start, end - start).trimmed();
            if (!text.isEmpty())
                result.append({text, startLine});
        }
        start = -1;
    };
    auto mark = [&](qsizetype i) {
        if (start < 0) {
            start = i;
            startLine = line;
        }
    };

    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s.at(i);
        if (atLineStart && start < 0) {
            qsizetype lineEnd = 0;
            const QString newDelimiter = delimiterCommand(s, i, lineEnd);
            if (!newDelimiter.isEmpty()) {
                delimiter = newDelimiter;
                i = lineEnd;
                continue;
            }
        }
        atLineStart = false;
        if (c == QLatin1Char('\n')) {
            ++line;
            atLineStart = true;
            ++i;
            continue;
        }
        if (isBlank(c)) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('#') || startsDashComment(s, i)) {
            while (i < s.size() && s.at(i) != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (s.mid(i, 2) == QLatin1String("/*") && s.mid(i, 3) != QLatin1String("/*!")) {
            const qsizetype close = s.indexOf(QLatin1String("*/"), i + 2);
            const qsizetype end = close < 0 ? s.size() : close + 2;
            line += int(s.mid(i, end - i).count(QLatin1Char('\n')));
            i = end;
            continue;
        }
        if (s.mid(i, delimiter.size()) == delimiter) {
            finish(i);
            i += delimiter.size();
            continue;
        }
        mark(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            ++i;
            while (i < s.size()) {
                const QChar q = s.at(i);
                if (q == QLatin1Char('\n'))
                    ++line;
                if (q == QLatin1Char('\\') && c != QLatin1Char('`') && i + 1 < s.size()) {
                    if (s.at(i + 1) == QLatin1Char('\n'))
                        ++line;
                    i += 2;
                    continue;
                }
                ++i;
                if (q == c)
                    break;  // a doubled quote simply opens the next quoted part
            }
            continue;
        }
        ++i;
    }
    finish(s.size());
    return result;
}

}  // namespace zorva
