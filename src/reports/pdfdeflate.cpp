#include "pdfdeflate.h"

#include <zlib.h>

#include <atomic>

namespace zorva::report {

namespace {

std::atomic<int> g_fastWriters{0};

}  // namespace

FastPdfDeflate::FastPdfDeflate()
{
    ++g_fastWriters;
}

FastPdfDeflate::~FastPdfDeflate()
{
    --g_fastWriters;
}

int pdfDeflateLevel()
{
    return g_fastWriters > 0 ? Z_BEST_SPEED : Z_DEFAULT_COMPRESSION;
}

}  // namespace zorva::report

// Qt's PDF engine starts every stream with deflateInit at the default level and
// offers no setting for it; zlib's packing of the page contents is then the
// largest part of writing a long report.  This definition in the program takes
// the place of zlib's own for every library of the process: it is zlib's
// deflateInit_ to the letter (same window, memory level and strategy), only a
// default level asked for while a FastPdfDeflate lives becomes the fastest one.
// Callers that choose a level, or use deflateInit2 (libzip, PNG), are untouched.
extern "C" int deflateInit_(z_streamp strm, int level, const char *version, int stream_size)
{
    if (level == Z_DEFAULT_COMPRESSION)
        level = zorva::report::pdfDeflateLevel();
    return deflateInit2_(strm, level, Z_DEFLATED, MAX_WBITS, 8, Z_DEFAULT_STRATEGY, version, stream_size);
}
