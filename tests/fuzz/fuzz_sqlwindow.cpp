// The statement splitter of the SQL window: the statements and the rest together are
// the text, each statement ends with its ";".
#include "fuzzdriver.h"

#include "admin/sql/sqlsplit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zorva;
    const QString text = fuzz::text(data, size);
    const ScriptParts parts = SplitScript(text);
    FUZZ_CHECK(parts.statements.join(QString()) + parts.rest == text, text);
    for (const QString &s : parts.statements) {
        FUZZ_CHECK(s.endsWith(QLatin1Char(';')), s);
        // A statement split again is itself.
        const ScriptParts again = SplitScript(s);
        FUZZ_CHECK(again.statements == QStringList{s} && again.rest.isEmpty(), s);
        IsEmptyStatement(s);
    }
    IsEmptyStatement(parts.rest);
    return 0;
}
