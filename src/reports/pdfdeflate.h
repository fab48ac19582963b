// How hard the PDF writer packs the pages it writes.
#pragma once

namespace zorva::report {

// While one lives, Qt's PDF writer deflates page contents at zlib's fastest
// level instead of its default one: a long report's pages are written about
// twice as fast for a file about a third larger.
class FastPdfDeflate {
public:
    FastPdfDeflate();
    ~FastPdfDeflate();
    FastPdfDeflate(const FastPdfDeflate &) = delete;
    FastPdfDeflate &operator=(const FastPdfDeflate &) = delete;
};

// The level a default-level deflate stream gets now (zlib's numbering).
int pdfDeflateLevel();

}  // namespace zorva::report
