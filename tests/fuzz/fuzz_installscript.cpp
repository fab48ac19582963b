// The installer's statement splitter (with DELIMITER lines): every statement is a piece
// of the script, in order, with the line it begins on.
#include "fuzzdriver.h"

#include "admin/dbinstall/sqlscript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zorva;
    const QString script = fuzz::text(data, size);
    const int lines = int(script.count(QLatin1Char('\n'))) + 1;
    int lastLine = 1;
    qsizetype from = 0;
    for (const SqlStatement &s : splitSqlScript(script)) {
        FUZZ_CHECK(!s.text.trimmed().isEmpty(), QStringLiteral("an empty statement at line %1").arg(s.line));
        FUZZ_CHECK(s.line >= lastLine && s.line <= lines,
                   QStringLiteral("line %1 of %2").arg(s.line).arg(lines));
        // The text stands in the script from its line on (a statement may begin behind
        // another one on the same line).
        qsizetype lineStart = 0;
        for (int l = 1; l < s.line; ++l)
            lineStart = script.indexOf(QLatin1Char('\n'), lineStart) + 1;
        const qsizetype at = script.indexOf(s.text, qMax(from, lineStart));
        FUZZ_CHECK(at >= 0, s.text);
        FUZZ_CHECK(script.left(at).count(QLatin1Char('\n')) + 1 == s.line,
                   QStringLiteral("statement of line %1 found on line %2")
                       .arg(s.line)
                       .arg(script.left(at).count(QLatin1Char('\n')) + 1));
        from = at + s.text.size();
        lastLine = s.line;
    }
    return 0;
}
