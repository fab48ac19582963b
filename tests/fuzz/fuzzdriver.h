// The input driver of the fuzz targets.  Each target defines the libFuzzer entry point
//   extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
// and checks its parser's promises with FUZZ_CHECK.  The driver (fuzzdriver.cpp) runs
// every file of the target's corpus, then mutated copies of them for a bounded time;
// an input that crashes or breaks a check is written to "crash-<target>-<n>" in the
// working folder and the run fails.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Ends the run with the message and the input that caused it.
[[noreturn]] void fail(const char *condition, const char *file, int line, const QString &detail);

// The bytes as a text the way outside input reaches the parsers: UTF-8 (invalid
// sequences become U+FFFD), or Windows-1250 when the first byte is odd, so that every
// character of the code page occurs.
QString text(const uint8_t *data, size_t size);

}  // namespace fuzz

#define FUZZ_CHECK(condition, detail)                               \
    do {                                                            \
        if (!(condition))                                           \
            ::fuzz::fail(#condition, __FILE__, __LINE__, (detail)); \
    } while (false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
