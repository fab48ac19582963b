// UnscrambleConStr of any text, and the round trip of the scrambled form.
#include "fuzzdriver.h"

#include "core/scramble.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace zorva;
    const QString input = fuzz::text(data, size);
    const QString plain = UnscrambleConStr(input);
    FUZZ_CHECK(plain.size() <= qMax<qsizetype>(0, (input.size() - 2) / 2), input);
    // A text of the code page comes back from its scrambled form unchanged.
    const QString scrambled = ScrambleConStr(plain);
    bool inCodePage = true;
    for (QChar c : plain)
        inCodePage = inCodePage && c.unicode() < 255;
    if (inCodePage)
        FUZZ_CHECK(UnscrambleConStr(scrambled) == plain, plain);
    return 0;
}
