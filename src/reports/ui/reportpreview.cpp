#include "reportpreview.h"

#include "printers.h"
#include "reportpaint.h"
#include "slotguard.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QToolBar>
#include <QVBoxLayout>

#include <optional>

namespace zorva {

ReportPreviewDialog::ReportPreviewDialog(report::ReportLayout layout, const QString &printerName,
                                         QWidget *parent)
    : QDialog(parent), m_layout(std::move(layout)), m_printerName(printerName)
{
    setObjectName(QStringLiteral("frm_Nyomtatasikep"));
    setWindowTitle(m_layout.title);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setModal(true);

    // The preview paints on a printer object; without an installed printer Qt
    // gives a PDF printer, which previews the same pages.
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    m_printer = info.isNull() ? std::make_unique<QPrinter>(QPrinter::HighResolution)
                              : std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    report::preparePrinter(*m_printer, m_layout);

    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    makeAction(QStringLiteral("aElsoOldal"), QStringLiteral("Első"), QKeySequence(Qt::CTRL | Qt::Key_Home),
               &ReportPreviewDialog::firstPage);
    makeAction(QStringLiteral("aElozoOldal"), QStringLiteral("Előző"), QKeySequence(Qt::Key_PageUp),
               &ReportPreviewDialog::previousPage);
    m_pageLabel = new QLabel(m_toolBar);
    m_pageLabel->setObjectName(QStringLiteral("lblOldal"));
    m_pageLabel->setMargin(6);
    m_toolBar->addWidget(m_pageLabel);
    makeAction(QStringLiteral("aKovetkezoOldal"), QStringLiteral("Következő"), QKeySequence(Qt::Key_PageDown),
               &ReportPreviewDialog::nextPage);
    makeAction(QStringLiteral("aUtolsoOldal"), QStringLiteral("Utolsó"), QKeySequence(Qt::CTRL | Qt::Key_End),
               &ReportPreviewDialog::lastPage);
    m_toolBar->addSeparator();
    makeAction(QStringLiteral("aNagyit"), QStringLiteral("Nagyítás"), QKeySequence(Qt::Key_Plus),
               &ReportPreviewDialog::zoomIn);
    makeAction(QStringLiteral("aKicsinyit"), QStringLiteral("Kicsinyítés"), QKeySequence(Qt::Key_Minus),
               &ReportPreviewDialog::zoomOut);
    makeAction(QStringLiteral("aTeljesOldal"), QStringLiteral("Teljes oldal"), QKeySequence(),
               &ReportPreviewDialog::fitPage);
    makeAction(QStringLiteral("aOldalszelesseg"), QStringLiteral("Oldalszélesség"), QKeySequence(),
               &ReportPreviewDialog::fitWidth);
    m_toolBar->addSeparator();
    makeAction(QStringLiteral("aNyomtat"), QStringLiteral("Nyomtatás"), QKeySequence(Qt::CTRL | Qt::Key_P),
               &ReportPreviewDialog::print);
    makeAction(QStringLiteral("aPdf"), QStringLiteral("PDF mentés"), QKeySequence(Qt::CTRL | Qt::Key_S),
               &ReportPreviewDialog::savePdf);
    m_toolBar->addSeparator();
    makeAction(QStringLiteral("aBezar"), QStringLiteral("Bezár"), QKeySequence(), &QDialog::reject);

    m_view = new QPrintPreviewWidget(m_printer.get(), this);
    m_view->setObjectName(QStringLiteral("Preview"));
    m_view->setViewMode(QPrintPreviewWidget::SinglePageView);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this,
            guarded(this, &ReportPreviewDialog::paintPages));
    connect(m_view, &QPrintPreviewWidget::previewChanged, this,
            guarded(this, &ReportPreviewDialog::updatePageLabel));

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(m_toolBar);
    box->addWidget(m_view, 1);
    resize(1000, 780);
    m_view->updatePreview();
    m_view->fitToWidth();
    updatePageLabel();
}

ReportPreviewDialog::~ReportPreviewDialog() = default;

QAction *ReportPreviewDialog::makeAction(const QString &name, const QString &caption, const QKeySequence &key,
                                         void (ReportPreviewDialog::*slot)())
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    a->setToolTip(caption);
    if (!key.isEmpty())
        a->setShortcut(key);
    connect(a, &QAction::triggered, this, slot);
    m_toolBar->addAction(a);
    QWidget::addAction(a);
    return a;
}

void ReportPreviewDialog::paintPages(QPrinter *printer)
{
    QPainter p(printer);
    const double dotsPerMm = printer->logicalDpiX() / 25.4;
    for (int i = 0; i < m_layout.pageCount(); ++i) {
        if (i > 0)
            printer->newPage();
        report::paintPage(p, m_layout.pages[size_t(i)], dotsPerMm);
    }
}

int ReportPreviewDialog::currentPage() const
{
    return m_view->currentPage();
}

int ReportPreviewDialog::pageCount() const
{
    return m_view->pageCount();
}

void ReportPreviewDialog::updatePageLabel()
{
    m_pageLabel->setText(QStringLiteral("%1 / %2").arg(currentPage()).arg(pageCount()));
}

void ReportPreviewDialog::firstPage()
{
    m_view->setCurrentPage(1);
    updatePageLabel();
}

void ReportPreviewDialog::previousPage()
{
    m_view->setCurrentPage(std::max(1, currentPage() - 1));
    updatePageLabel();
}

void ReportPreviewDialog::nextPage()
{
    m_view->setCurrentPage(std::min(pageCount(), currentPage() + 1));
    updatePageLabel();
}

void ReportPreviewDialog::lastPage()
{
    m_view->setCurrentPage(pageCount());
    updatePageLabel();
}

void ReportPreviewDialog::zoomIn()
{
    m_view->zoomIn(1.25);
}

void ReportPreviewDialog::zoomOut()
{
    m_view->zoomOut(1.25);
}

void ReportPreviewDialog::fitPage()
{
    m_view->fitInView();
}

void ReportPreviewDialog::fitWidth()
{
    m_view->fitToWidth();
}

void ReportPreviewDialog::print()
{
    printLayoutNow(m_layout, m_printerName, this);
}

void ReportPreviewDialog::savePdf()
{
    saveLayoutAsPdf(m_layout, this);
}

namespace {

// Rows from which the layout shows its progress and may be stopped.
constexpr int kProgressRows = 2000;

// Lays the report out; a long one shows a progress window with "Megállít" and
// lets the user interface run between steps.  nullopt when the user stopped it.
std::optional<report::ReportLayout> layoutWithProgress(report::Report &report, QWidget *parent)
{
    const int rows = report.data && report.data->isActive() ? report.data->recordCount() : 0;
    if (rows < kProgressRows)
        return report::layoutReport(report);
    QProgressDialog progress(QStringLiteral("Oldalak készítése: %1").arg(report.title),
                             QStringLiteral("Megállít"), 0, rows, parent);
    progress.setObjectName(QStringLiteral("frm_OldalKeszites"));
    progress.setWindowTitle(report.title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    bool stopped = false;
    report::ReportLayout layout = report::layoutReport(
        report,
        [&progress](int done, int) {
            progress.setValue(done);
            QApplication::processEvents();
            return !progress.wasCanceled();
        },
        &stopped);
    if (stopped)
        return std::nullopt;
    return layout;
}

}  // namespace

void showReportPreview(report::Report &report, QWidget *parent)
{
    std::optional<report::ReportLayout> layout = layoutWithProgress(report, parent);
    if (!layout)
        return;
    ReportPreviewDialog dlg(std::move(*layout), report.printerName, parent);
    dlg.exec();
}

bool printReportNow(report::Report &report, QWidget *parent)
{
    std::optional<report::ReportLayout> layout = layoutWithProgress(report, parent);
    return layout && printLayoutNow(*layout, report.printerName, parent);
}

}  // namespace zorva
