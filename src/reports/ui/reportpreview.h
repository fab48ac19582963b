// The modal preview of a laid-out report: paging, zoom, printing on the
// report's printer, saving as PDF, closing.
#pragma once

#include "reportlayout.h"

#include <QDialog>

#include <memory>

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QToolBar;

namespace zorva {

class ReportPreviewDialog : public QDialog {
    Q_OBJECT
public:
    ReportPreviewDialog(report::ReportLayout layout, const QString &printerName, QWidget *parent = nullptr);
    ~ReportPreviewDialog() override;

    int currentPage() const;  // 1-based
    int pageCount() const;
    QPrintPreviewWidget *view() const { return m_view; }

private:
    void paintPages(QPrinter *printer);
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
    void print();
    void savePdf();

    report::ReportLayout m_layout;
    QString m_printerName;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget *m_view = nullptr;
    QLabel *m_pageLabel = nullptr;
    QToolBar *m_toolBar = nullptr;
};

// Lays the report out and shows it in the modal preview; returns when it is closed.
void showReportPreview(report::Report &report, QWidget *parent = nullptr);
// Lays the report out and prints it at once (see printLayoutNow).
bool printReportNow(report::Report &report, QWidget *parent = nullptr);

}  // namespace zorva
