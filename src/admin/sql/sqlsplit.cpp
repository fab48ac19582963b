#include "sqlsplit.h"

namespace zorva {

namespace {

enum class State { Normal, Single, Double, Backtick, LineComment, BlockComment };

// Walks `text` and calls `atEnd(pos)` at every ";" that ends a statement; `meaningful`
// is told of every character outside comments and blanks.
template <class End, class Meaning>
void walk(const QString &text, End atEnd, Meaning meaningful)
{
    State state = State::Normal;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < n ? text.at(i + 1) : QChar();
        switch (state) {
            case State::Normal:
                if (c == u'\'') {
                    state = State::Single;
                } else if (c == u'"') {
                    state = State::Double;
                } else if (c == u'`') {
                    state = State::Backtick;
                } else if (c == u'#') {
                    state = State::LineComment;
                    continue;
                } else if (c == u'-' && next == u'-' &&
                           (i + 2 >= n || text.at(i + 2).isSpace() ||
                            text.at(i + 2).category() == QChar::Other_Control)) {
                    state = State::LineComment;
                    continue;
                } else if (c == u'/' && next == u'*') {
                    state = State::BlockComment;
                    ++i;
                    continue;
                } else if (c == u';') {
                    atEnd(i);
                    continue;
                }
                if (!c.isSpace())
                    meaningful();
                break;
            case State::Single:
            case State::Double:
                if (c == u'\\')
                    ++i;
                else if ((state == State::Single && c == u'\'') || (state == State::Double && c == u'"'))
                    state = State::Normal;  // a doubled quote reopens at once
                break;
            case State::Backtick:
                if (c == u'`')
                    state = State::Normal;
                break;
            case State::LineComment:
                if (c == u'\n')
                    state = State::Normal;
                break;
            case State::BlockComment:
                if (c == u'*' && next == u'/') {
                    state = State::Normal;
                    ++i;
                }
                break;
        }
    }
}

}  // namespace

ScriptParts SplitScript(const QString &text)
{
    ScriptParts parts;
    qsizetype start = 0;
    walk(
        text,
        [&](qsizetype end) {
            parts.statements << text.mid(start, end - start + 1);
            start = end + 1;
        },
        [] {});
    parts.rest = text.mid(start);
    return parts;
}

bool IsEmptyStatement(const QString &statement)
{
    bool meaningful = false;
    walk(
        statement, [](qsizetype) {}, [&] { meaningful = true; });
    return !meaningful;
}

}  // namespace zorva
