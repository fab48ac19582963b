// The HTML export window: the target file, open after saving, e-mail, and
// the writing of the page with a progress bar.
#pragma once

#include "db/dataset.h"
#include "export/exportcolumn.h"

#include <QDateTime>
#include <QDialog>

class QCheckBox;
class TDBGrid;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace zorva {

class Tfrm_Grid2Html : public QDialog {
    Q_OBJECT
public:
    Tfrm_Grid2Html(TDataSet &data, ExportColumns columns, int gridWidth, const QString &title,
                   const QString &subtitle, const QString &sumFields, QWidget *parent = nullptr);

    // The file proposed when the window opens: HtmlPath (DataDir when empty) +
    // the title as a safe file name + ".htm".
    static QString proposedFile(const QString &title);

    // Writes the page to the path field's file; false when it could not be
    // written (the error has been shown and nothing else changed).
    bool writePage();

    // Time printed on the page; the current time when not set (tests set it).
    void setExportTime(const QDateTime &t) { m_exportTime = t; }
    // Without the "Összesen N sor." line (the pages of the printed reports).
    void setRowCountLine(bool on) { m_withRowCount = on; }

    QLineEdit *pathEdit() const { return m_path; }
    QCheckBox *openAfterSave() const { return m_openAfter; }
    QPushButton *mailButton() const { return m_mail; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *browseButton() const { return m_browse; }
    QProgressBar *progressBar() const { return m_progress; }

    void done(int result) override;

private:
    void browse();
    void accepted();
    void mail();

    TDataSet &m_data;
    ExportColumns m_columns;
    int m_gridWidth;
    QString m_title, m_subtitle;
    QStringList m_sumFields;
    QDateTime m_exportTime;
    bool m_withRowCount = true;

    QLineEdit *m_path = nullptr;
    QPushButton *m_browse = nullptr;
    QCheckBox *m_openAfter = nullptr;
    QPushButton *m_mail = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QProgressBar *m_progress = nullptr;
};

// The page of the rows of `data` in the given columns (widths out of
// `gridWidth`), with `sumFields` (";"-separated) totalled in a sum row.
// Shows the window modally; after "OK" HtmlPath is the folder of the file written.
void ExportGridHtml(TDataSet &data, const ExportColumns &columns, int gridWidth, const QString &title,
                    const QString &subtitle, const QString &sumFields, QWidget *parent = nullptr);
// The same for a list window's grid: its dataset, columns, titles and widths.
void ExportGridHtml(TDBGrid *grid, const QString &title, const QString &subtitle = QString(),
                    const QString &sumFields = QString());

}  // namespace zorva
