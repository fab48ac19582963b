// A report laid out on pages: every cell resolved to its text, position and
// font, so the pages can be painted any number of times (preview, printer, PDF)
// without walking the data again.
#pragma once

#include "report.h"

#include <QPageLayout>

namespace zorva::report {

struct LaidItem {
    enum class Kind { Text, Line };
    Kind kind = Kind::Text;
    QRectF rect;  // mm from the page's top-left corner; a line runs along the top edge
    QString text;
    QFont font;
    QColor color;
    int flags = 0;  // Qt::AlignmentFlag | Qt::TextFlag
};

struct LaidPage {
    std::vector<LaidItem> items;
};

struct ReportLayout {
    QString title;
    QPageLayout pageLayout;
    std::vector<LaidPage> pages;
    int pageCount() const { return int(pages.size()); }
};

// Lays a report out a slice of rows at a time, so a preview can show the first
// pages while the rest is still being built.  The data is put on its first row
// with its bound views suspended; the row and the views are restored when the
// builder goes.
class LayoutBuilder {
public:
    explicit LayoutBuilder(Report &report);
    ~LayoutBuilder();
    LayoutBuilder(const LayoutBuilder &) = delete;
    LayoutBuilder &operator=(const LayoutBuilder &) = delete;

    // Lays out up to `rows` more rows (after the last one the group footers, the
    // summary and the last page's footer); false once the report is complete.
    bool step(int rows);
    bool finished() const;
    int rowsDone() const;
    int rowsTotal() const;
    // Pages that no longer change: all but the one being filled, all once finished.
    int completePages() const;
    const ReportLayout &layout() const;
    // The pages so far; the builder lays out nothing more afterwards.
    ReportLayout take();

private:
    class Impl;
    std::unique_ptr<Impl> d;
};

// Walks the report's data from the first row (bound views suspended, the
// current row restored afterwards) and breaks the bands into pages.
// With `maxPages` > 0 it stops once that many pages are full: the first pages of a
// long report without walking the rest (the summary is then not reached).
ReportLayout layoutReport(Report &report, int maxPages = 0);

// Called every few hundred rows with the rows laid out and the row count; false
// stops the layout (the pages so far are returned, `stopped` is set).
using LayoutProgress = std::function<bool(int done, int total)>;
ReportLayout layoutReport(Report &report, const LayoutProgress &progress, bool *stopped);

// Height in mm that `text` needs when wrapped into `widthMm`.
double wrappedTextHeight(const QString &text, const QFont &font, double widthMm);
// Width in mm of one line of `text`.
double textWidth(const QString &text, const QFont &font);

}  // namespace zorva::report
