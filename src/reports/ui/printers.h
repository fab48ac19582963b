// The installed printers, and printing a laid-out report at once, without a
// print dialog.  When the machine has no printer (a fresh Linux desktop without
// a print server) the user is told so and may save the report as PDF instead.
#pragma once

#include "reports/reportlayout.h"

#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;
class QWidget;

namespace zorva {

// In the system's order; empty without a print server.
QStringList installedPrinters();
// Empty when there is no printer or none is the default.
QString defaultPrinterName();

// Prints every page on `printerName` (or the default printer when that is not
// an installed printer), one copy.  True when the pages went to a printer or
// were saved as PDF; false when nothing was produced (the user has been told why).
bool printLayoutNow(const report::ReportLayout &layout, const QString &printerName,
                    QWidget *parent = nullptr);

// Asks for a file name (proposing the title in the documents folder) and saves
// the pages as PDF; false when cancelled or failed (the failure is shown).
bool saveLayoutAsPdf(const report::ReportLayout &layout, QWidget *parent = nullptr);

// One page drawn by `draw` (the painter and the printable rectangle in device pixels),
// printed at once in `orientation` on the default printer, without a print dialog.
// Without a printer, or when the printer cannot be started, the user is told so and
// may save the page as PDF instead (as with printLayoutNow).
using PageDrawing = std::function<void(QPainter &painter, const QRectF &pageRect)>;
bool printDrawingNow(const QString &title, QPageLayout::Orientation orientation, const PageDrawing &draw,
                     QWidget *parent = nullptr);

namespace printerseam {
// Tests pretend these printers are installed; printing on one of them writes
// "<folder>/<printer name>.pdf" (the folder set below) instead of printing.
void setPrinters(const QStringList &names, const QString &defaultName);
void setOutputFolder(const QString &folder);
void reset();
}  // namespace printerseam

}  // namespace zorva
