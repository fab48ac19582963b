// The modal preview of a report: paging, zoom, printing on the report's
// printer, saving as PDF, closing.  A long report shows its first page at once
// and lays out the rest in the background; "Megállít" stops that, and printing
// or saving finishes it first under a progress window.
#pragma once

#include "reports/reportlayout.h"

#include <QDialog>
#include <QElapsedTimer>

#include <memory>

class QAction;
class QLabel;
class QTimer;
class QToolBar;

namespace zorva {

class ReportPageView;

class ReportPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // A report laid out already.
    ReportPreviewDialog(report::ReportLayout layout, const QString &printerName, QWidget *parent = nullptr);
    // A report laid out while it is shown; `report` must outlive the dialog.
    explicit ReportPreviewDialog(report::Report &report, QWidget *parent = nullptr);
    ~ReportPreviewDialog() override;

    int currentPage() const;  // 1-based
    int pageCount() const;    // the pages ready to be shown
    bool building() const;    // more pages are being laid out
    ReportPageView *view() const { return m_view; }

private:
    void setUp();
    const report::ReportLayout &layout() const;
    void buildSlice();
    bool completeLayout();
    void updatePageLabel();
    QAction *makeAction(const QString &name, const QString &caption, const QKeySequence &key,
                        void (ReportPreviewDialog::*slot)());
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void zoomIn();
    void zoomOut();
    void fitPage();
    void fitWidth();
    void stopBuilding();
    void print();
    void savePdf();

    report::ReportLayout m_layout;  // when laid out already
    std::unique_ptr<report::LayoutBuilder> m_builder;
    QString m_printerName;
    bool m_stopped = false;
    QTimer *m_buildTimer = nullptr;
    ReportPageView *m_view = nullptr;
    QLabel *m_pageLabel = nullptr;
    QToolBar *m_toolBar = nullptr;
    QAction *m_stopAction = nullptr;
};

// Shows the report in the modal preview (laying it out as it goes); returns when it is closed.
void showReportPreview(report::Report &report, QWidget *parent = nullptr);
// Lays the report out and prints it at once (see printLayoutNow).
bool printReportNow(report::Report &report, QWidget *parent = nullptr);

}  // namespace zorva
