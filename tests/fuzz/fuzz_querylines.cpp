// The rewriting of a query's lines: the line count stays, the returned text is the lines,
// and lines that are neither WHERE nor ORDER lines are untouched.
#include "fuzzdriver.h"

#include "core/querytext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zorva;
    const QString input = fuzz::text(data, size);
    // The first line is the condition, the rest the statement.
    const qsizetype cut = input.indexOf(QLatin1Char('\n'));
    const QString condition = cut < 0 ? input : input.left(cut);
    const QStringList original = cut < 0 ? QStringList{} : input.mid(cut + 1).split(QLatin1Char('\n'));
    const auto touched = [](const QString &line) {
        const QString upper = line.trimmed().toUpper();
        return upper.startsWith(QLatin1String("WHERE")) || upper.startsWith(QLatin1String("ORDER")) ||
               line.toUpper().startsWith(QLatin1String("WHERE")) ||
               line.toUpper().startsWith(QLatin1String("ORDER"));
    };
    for (int which = 0; which < 4; ++which) {
        QStringList lines = original;
        QString result;
        switch (which) {
            case 0:
                result = SetWhereLine(lines, condition, false);
                break;
            case 1:
                result = SetWhereLine(lines, condition, true);
                break;
            case 2:
                result = SetOrderLine(lines, condition);
                break;
            default:
                result = AppendWhereLine(lines, condition);
                break;
        }
        FUZZ_CHECK(lines.size() == original.size(), QStringLiteral("case %1: %2").arg(which).arg(input));
        FUZZ_CHECK(result == lines.join(QLatin1Char('\n')), QStringLiteral("case %1").arg(which));
        for (qsizetype i = 0; i < lines.size(); ++i)
            FUZZ_CHECK(touched(original[i]) || lines[i] == original[i],
                       QStringLiteral("case %1 line %2: %3").arg(which).arg(i).arg(original[i]));
    }
    BuildLikeFilter(condition, input, true);
    return 0;
}
