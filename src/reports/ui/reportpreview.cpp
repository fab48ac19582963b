#include "reportpreview.h"

#include "printers.h"
#include "reportpageview.h"
#include "core/ui/slotguard.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace zorva {

namespace {

// Reports with fewer rows are laid out whole before the preview opens.
constexpr int kBackgroundRows = 2000;
// One background slice lays out rows for about this long before the window runs again.
constexpr qint64 kSliceMs = 40;
constexpr int kRowsPerStep = 100;

// Finishes the builder's layout under a progress window with "Megállít";
// false when the user stopped it.
bool finishWithProgress(report::LayoutBuilder &builder, const QString &title, QWidget *parent)
{
    if (builder.finished())
        return true;
    QProgressDialog progress(QStringLiteral("Oldalak készítése: %1").arg(title), QStringLiteral("Megállít"),
                             0, builder.rowsTotal(), parent);
    progress.setObjectName(QStringLiteral("frm_OldalKeszites"));
    progress.setWindowTitle(title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    progress.setValue(builder.rowsDone());
    while (builder.step(250)) {
        progress.setValue(builder.rowsDone());
        QApplication::processEvents();
        if (progress.wasCanceled())
            return false;
    }
    return true;
}

}  // namespace

ReportPreviewDialog::ReportPreviewDialog(report::ReportLayout layout, const QString &printerName,
                                         QWidget *parent)
    : QDialog(parent), m_layout(std::move(layout)), m_printerName(printerName)
{
    setUp();
}

ReportPreviewDialog::ReportPreviewDialog(report::Report &report, QWidget *parent)
    : QDialog(parent),
      m_builder(std::make_unique<report::LayoutBuilder>(report)),
      m_printerName(report.printerName)
{
    // A short report is laid out whole; a long one only up to its first page here.
    if (m_builder->rowsTotal() < kBackgroundRows) {
        while (m_builder->step(500)) {
        }
    } else {
        while (m_builder->completePages() < 1 && m_builder->step(kRowsPerStep)) {
        }
    }
    setUp();
    if (!m_builder->finished())
        m_buildTimer->start();
}

ReportPreviewDialog::~ReportPreviewDialog() = default;

void ReportPreviewDialog::setUp()
{
    setObjectName(QStringLiteral("frm_Nyomtatasikep"));
    setWindowTitle(layout().title);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setModal(true);

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
    m_stopAction = makeAction(QStringLiteral("aMegallit"), QStringLiteral("Megállít"), QKeySequence(),
                              &ReportPreviewDialog::stopBuilding);
    m_stopAction->setToolTip(QStringLiteral("A további oldalak készítésének megállítása"));
    m_stopAction->setVisible(building());
    m_toolBar->addSeparator();
    makeAction(QStringLiteral("aBezar"), QStringLiteral("Bezár"), QKeySequence(), &QDialog::reject);

    m_view = new ReportPageView(this);
    m_view->setObjectName(QStringLiteral("Preview"));
    m_view->setReportLayout(&layout(), m_builder ? m_builder->completePages() : m_layout.pageCount());
    connect(m_view, &ReportPageView::pageChanged, this, guarded(this, &ReportPreviewDialog::updatePageLabel));

    m_buildTimer = new QTimer(this);
    m_buildTimer->setInterval(0);
    connect(m_buildTimer, &QTimer::timeout, this, guarded(this, &ReportPreviewDialog::buildSlice));

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(m_toolBar);
    box->addWidget(m_view, 1);
    resize(1000, 780);
    m_view->fitToWidth();
    updatePageLabel();
}

const report::ReportLayout &ReportPreviewDialog::layout() const
{
    return m_builder ? m_builder->layout() : m_layout;
}

bool ReportPreviewDialog::building() const
{
    return m_builder && !m_builder->finished() && !m_stopped;
}

QAction *ReportPreviewDialog::makeAction(const QString &name, const QString &caption, const QKeySequence &key,
                                         void (ReportPreviewDialog::*slot)())
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    a->setToolTip(caption);
    if (!key.isEmpty())
        a->setShortcut(key);
    connect(a, &QAction::triggered, this, guarded(this, slot));
    m_toolBar->addAction(a);
    QWidget::addAction(a);
    return a;
}

void ReportPreviewDialog::buildSlice()
{
    if (!building()) {
        m_buildTimer->stop();
        return;
    }
    QElapsedTimer slice;
    slice.start();
    while (slice.elapsed() < kSliceMs && m_builder->step(kRowsPerStep)) {
    }
    m_view->setReadyPages(m_builder->completePages());
    if (m_builder->finished()) {
        m_buildTimer->stop();
        m_stopAction->setVisible(false);
    }
    updatePageLabel();
}

// The whole report, for printing, saving and the last page.
bool ReportPreviewDialog::completeLayout()
{
    if (!m_builder || m_builder->finished())
        return true;
    m_buildTimer->stop();
    const bool done = finishWithProgress(*m_builder, layout().title, this);
    m_view->setReadyPages(m_builder->completePages());
    if (done) {
        m_stopped = false;
        m_stopAction->setVisible(false);
    } else if (!m_stopped) {
        m_buildTimer->start();
    }
    updatePageLabel();
    return done;
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
    QString text = QStringLiteral("%1 / %2").arg(currentPage()).arg(pageCount());
    if (building())
        text += QStringLiteral(" …");
    else if (m_builder && !m_builder->finished())
        text += QStringLiteral(" (megállítva)");
    m_pageLabel->setText(text);
}

void ReportPreviewDialog::firstPage()
{
    m_view->setCurrentPage(1);
}

void ReportPreviewDialog::previousPage()
{
    m_view->setCurrentPage(currentPage() - 1);
}

void ReportPreviewDialog::nextPage()
{
    m_view->setCurrentPage(currentPage() + 1);
}

void ReportPreviewDialog::lastPage()
{
    if (completeLayout())
        m_view->setCurrentPage(pageCount());
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

void ReportPreviewDialog::stopBuilding()
{
    if (!building())
        return;
    m_stopped = true;
    m_buildTimer->stop();
    m_stopAction->setVisible(false);
    updatePageLabel();
}

void ReportPreviewDialog::print()
{
    if (completeLayout())
        printLayoutNow(layout(), m_printerName, this);
}

void ReportPreviewDialog::savePdf()
{
    if (completeLayout())
        saveLayoutAsPdf(layout(), this);
}

void showReportPreview(report::Report &report, QWidget *parent)
{
    ReportPreviewDialog dlg(report, parent);
    dlg.exec();
}

bool printReportNow(report::Report &report, QWidget *parent)
{
    report::LayoutBuilder builder(report);
    if (builder.rowsTotal() < kBackgroundRows) {
        while (builder.step(500)) {
        }
    } else if (!finishWithProgress(builder, report.title, parent)) {
        return false;
    }
    return printLayoutNow(builder.layout(), report.printerName, parent);
}

}  // namespace zorva
