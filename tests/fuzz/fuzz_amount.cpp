// ParseAmount and the checks of the amount fields: any text gives a finite number or the
// default, never a fault, on both decimal separators.
#include "fuzzdriver.h"

#include "core/texthelpers.h"
#include "entries/dialogs/inpszamszoveg.h"

#include <QLocale>

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zorva;
    const QString input = fuzz::text(data, size);
    for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
        const double v = ParseAmount(input, -12345, separator);
        FUZZ_CHECK(!std::isnan(v), input);
    }
    const QString numeric = NumericText(input);
    FUZZ_CHECK(numeric.count(QLatin1Char('-')) <= 1 && (numeric.indexOf(QLatin1Char('-')) <= 0), numeric);
    ParseInteger(input);
    // An amount field accepts what isLocaleNumber accepts and stores what ParseAmount
    // reads: the two must agree on the number.
    if (isLocaleNumber(input)) {
        const QString compact = RemoveSpaces(input).remove(QChar(0x00A0));
        const double v = ParseAmount(compact, -12345, QLocale().decimalPoint().at(0));
        FUZZ_CHECK(QLocale().toDouble(compact) == v, input + QStringLiteral(" -> ") + QString::number(v));
    }
    for (QChar c : input)
        isAmountChar(c);
    return 0;
}
