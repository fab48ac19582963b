#include "printers.h"

#include "core/folders.h"
#include "core/texthelpers.h"
#include "core/ui/filedialog.h"
#include "core/ui/messagebox.h"
#include "core/ui/windowplace.h"
#include "reports/reportpaint.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <optional>

namespace zorva {

namespace {

struct Seam {
    std::optional<QStringList> printers;
    QString defaultName;
    QString folder;
};

Seam &seam()
{
    static Seam s;
    return s;
}

QString chosenPrinter(const QString &requested)
{
    const QStringList all = installedPrinters();
    if (!requested.isEmpty() && all.contains(requested))
        return requested;
    const QString def = defaultPrinterName();
    if (!def.isEmpty())
        return def;
    return all.value(0);
}

bool offerPdf(const report::ReportLayout &layout, QWidget *parent, const QString &why)
{
    if (!AskYesNo(why + QStringLiteral("\nElmenti a nyomtatványt PDF fájlba?"), QStringLiteral("Nyomtatás"),
                  parent))
        return false;
    return saveLayoutAsPdf(layout, parent);
}

}  // namespace

QStringList installedPrinters()
{
    if (seam().printers)
        return *seam().printers;
    return QPrinterInfo::availablePrinterNames();
}

QString defaultPrinterName()
{
    if (seam().printers)
        return seam().defaultName;
    return CurrentPrinterName();
}

bool saveLayoutAsPdf(const report::ReportLayout &layout, QWidget *parent)
{
    QString name = SafeFileName(layout.title.isEmpty() ? QStringLiteral("nyomtatvany") : layout.title);
    QString folder = DocumentsFolder();
    if (folder.isEmpty())
        folder = QDir::homePath();
    const QString file = FileDialog::getSaveFileName(
        parent, QStringLiteral("Mentés PDF fájlba"), QDir(folder).filePath(name + QStringLiteral(".pdf")),
        QStringLiteral("PDF dokumentum (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    if (file.isEmpty())
        return false;
    QString error;
    if (!report::writePdf(layout, file, &error)) {
        ShowError(error, parent);
        return false;
    }
    return true;
}

bool printLayoutNow(const report::ReportLayout &layout, const QString &printerName, QWidget *parent)
{
    const QString target = chosenPrinter(printerName);
    if (target.isEmpty())
        return offerPdf(layout, parent,
                        QStringLiteral("Ezen a gépen nincs telepített nyomtató, ezért a nyomtatvány nem "
                                       "nyomtatható ki."));

    QString error;
    if (seam().printers) {
        const QString file = QDir(seam().folder).filePath(target + QStringLiteral(".pdf"));
        if (report::writePdf(layout, file, &error))
            return true;
    } else {
        QPrinter printer(QPrinterInfo::printerInfo(target), QPrinter::HighResolution);
        if (printer.isValid()) {
            report::preparePrinter(printer, layout);
            if (report::printLayout(layout, printer, &error))
                return true;
        }
    }
    return offerPdf(layout, parent,
                    QStringLiteral("A nyomtatás nem indítható el a(z) „%1” nyomtatón.").arg(target));
}

namespace {

// Draws the page on a printer that is set up already; false when it cannot start.
bool drawOn(QPrinter &printer, const QString &title, QPageLayout::Orientation orientation,
            const PageDrawing &draw)
{
    printer.setDocName(title);
    printer.setCopyCount(1);
    printer.setPageOrientation(orientation);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The painter's origin is the top-left corner of the printable area.
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    draw(painter, QRectF(0, 0, area.width(), area.height()));
    return painter.end();
}

bool drawingAsPdf(const QString &file, const QString &title, QPageLayout::Orientation orientation,
                  const PageDrawing &draw)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    return drawOn(printer, title, orientation, draw);
}

bool offerDrawingPdf(const QString &title, QPageLayout::Orientation orientation, const PageDrawing &draw,
                     QWidget *parent, const QString &why)
{
    if (!AskYesNo(why + QStringLiteral("\nElmenti a nyomtatványt PDF fájlba?"), QStringLiteral("Nyomtatás"),
                  parent))
        return false;
    QString folder = DocumentsFolder();
    if (folder.isEmpty())
        folder = QDir::homePath();
    const QString name = SafeFileName(title.isEmpty() ? QStringLiteral("nyomtatvany") : title);
    const QString file = FileDialog::getSaveFileName(
        parent, QStringLiteral("Mentés PDF fájlba"), QDir(folder).filePath(name + QStringLiteral(".pdf")),
        QStringLiteral("PDF dokumentum (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    if (file.isEmpty())
        return false;
    if (!drawingAsPdf(file, title, orientation, draw)) {
        ShowError(QStringLiteral("A PDF fájl nem írható: %1").arg(file), parent);
        return false;
    }
    return true;
}

}  // namespace

bool printDrawingNow(const QString &title, QPageLayout::Orientation orientation, const PageDrawing &draw,
                     QWidget *parent)
{
    const QString target = chosenPrinter(QString());
    if (target.isEmpty())
        return offerDrawingPdf(title, orientation, draw, parent,
                               QStringLiteral("Ezen a gépen nincs telepített nyomtató, ezért a nyomtatvány "
                                              "nem nyomtatható ki."));
    if (seam().printers) {
        if (drawingAsPdf(QDir(seam().folder).filePath(target + QStringLiteral(".pdf")), title, orientation,
                         draw))
            return true;
    } else {
        // A printer of its own: the orientation set here does not stay on the system's printer.
        QPrinter printer(QPrinterInfo::printerInfo(target), QPrinter::HighResolution);
        if (printer.isValid() && drawOn(printer, title, orientation, draw))
            return true;
    }
    return offerDrawingPdf(title, orientation, draw, parent,
                           QStringLiteral("A nyomtatás nem indítható el a(z) „%1” nyomtatón.").arg(target));
}

namespace printerseam {

void setPrinters(const QStringList &names, const QString &defaultName)
{
    seam().printers = names;
    seam().defaultName = defaultName;
}

void setOutputFolder(const QString &folder)
{
    seam().folder = folder;
}

void reset()
{
    seam() = Seam();
}

}  // namespace printerseam

}  // namespace zorva
