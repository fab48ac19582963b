// Painting laid-out pages: onto a printer, into a PDF file, or into a picture.
#pragma once

#include "reportlayout.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace zorva::report {

// Paints one page; the painter's origin is the paper's top-left corner and
// `dotsPerMm` its resolution.
void paintPage(QPainter &painter, const LaidPage &page, double dotsPerMm);

// Sets the paper, orientation, no margins of its own (the report keeps 10 mm),
// the job name and one copy.
void preparePrinter(QPrinter &printer, const ReportLayout &layout);

// Paints every page on the printer (prepared or not); false with *error when the
// printer cannot be started.
bool printLayout(const ReportLayout &layout, QPrinter &printer, QString *error = nullptr);

// Writes the pages as a PDF file; false with *error when it cannot be written.
bool writePdf(const ReportLayout &layout, const QString &fileName, QString *error = nullptr);

// One page as a picture at `dpi`, white paper.
QImage renderPageImage(const ReportLayout &layout, int pageIndex, int dpi);

}  // namespace zorva::report
