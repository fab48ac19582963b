#include "sqlparams.h"

namespace sqlparams {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Walks the text; calls onParam(start, length-with-colon, name) for every parameter.
template <typename F>
void scan(const QString &sql, F onParam)
{
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"' || c == u'`') {
            // Quoted text; a doubled quote simply ends and starts again.  Backslash escapes
            // apply inside strings, not inside backticks.
            const bool escapes = c != u'`';
            ++i;
            while (i < n && sql[i] != c) {
                if (escapes && sql[i] == u'\\')
                    ++i;
                ++i;
            }
            ++i;
        } else if (c == u'#' || (c == u'-' && i + 1 < n && sql[i + 1] == u'-' &&
                                 (i + 2 >= n || sql[i + 2].isSpace() || sql[i + 2].unicode() < 32))) {
            while (i < n && sql[i] != u'\n')
                ++i;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else if (c == u':') {
            if (i + 1 < n && (sql[i + 1] == u':' || sql[i + 1] == u'=')) {
                i += 2;
            } else if (i + 1 < n && isNameStart(sql[i + 1])) {
                qsizetype j = i + 1;
                while (j < n && isNameChar(sql[j]))
                    ++j;
                onParam(i, j - i, sql.mid(i + 1, j - i - 1));
                i = j;
            } else {
                ++i;
            }
        } else {
            ++i;
        }
    }
}

}  // namespace

QStringList names(const QString &sql)
{
    QStringList out;
    scan(sql, [&out](qsizetype, qsizetype, const QString &name) {
        if (!out.contains(name, Qt::CaseInsensitive))
            out << name;
    });
    return out;
}

QString substitute(const QString &sql, const std::function<QString(const QString &name)> &literalOf)
{
    QString out;
    out.reserve(sql.size() + 16);
    qsizetype copied = 0;
    scan(sql, [&](qsizetype start, qsizetype length, const QString &name) {
        out += QStringView(sql).mid(copied, start - copied);
        out += literalOf(name);
        copied = start + length;
    });
    out += QStringView(sql).mid(copied);
    return out;
}

}  // namespace sqlparams
