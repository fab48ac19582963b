// Reading printed pages back: the text of a PDF file through pdftotext.
#pragma once

#include <QString>
#include <QStringList>

namespace reporttest {

// The text of every page (pdftotext -layout -enc UTF-8); fails the test when the
// tool is missing or refuses the file.
QStringList pdfPages(const QString &pdfFile);

// Lines of a page with runs of spaces squeezed to one, trimmed.
QStringList squeezedLines(const QString &page);

}  // namespace reporttest
