// The period and date masks: a masked text gives a valid period or nothing, and a valid
// period's days lie in its month.
#include "fuzzdriver.h"

#include "core/datehelpers.h"
#include "core/ui/inputtext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zorva;
    const QString text = fuzz::text(data, size);
    const QString period = PeriodFromMaskText(text);
    FUZZ_CHECK(period.isEmpty() || IsValidPeriod(period), text + QStringLiteral(" -> ") + period);
    if (IsValidPeriod(text)) {
        FUZZ_CHECK(PeriodFromMaskText(PeriodToMaskText(text)) == text, text);
        const QDate first = PeriodFirstDay(text), last = PeriodLastDay(text);
        FUZZ_CHECK(first.isValid() && last.isValid() && first.day() == 1 && first.month() == last.month() &&
                       last.addDays(1).day() == 1 && PeriodOfDate(first) == text,
                   text);
    } else {
        FUZZ_CHECK(!PeriodFirstDay(text).isValid() && !PeriodLastDay(text).isValid(), text);
    }
    // The edit masks the program uses, with the typed text.
    for (const QString &mask : {PeriodMask(), QStringLiteral("9999.99.99;1;_"),
                                QStringLiteral("0000.00.00;0;_"), QStringLiteral("9999.99;1;_")}) {
        qtInputMask(mask);
        const QString value = maskedValue(mask, text);
        FUZZ_CHECK(value.size() <= text.size(), mask + QStringLiteral(": ") + text);
    }
    // A mask itself read from the text.
    qtInputMask(text);
    maskedValue(text, text);
    return 0;
}
