// The delimited-text and worksheet export window: fields, delimiter,
// qualifier, options and the target file; the extension decides the format.
#pragma once

#include "db/dataset.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace zorva {

class Tfrm_Hatarolt : public QDialog {
    Q_OBJECT
public:
    Tfrm_Hatarolt(TDataSet &data, const QString &suggestedFile, QWidget *parent = nullptr);

    // The file name the window starts with: the suggestion (relative to the
    // working folder when it has no folder), or File001.csv in the documents folder.
    static QString initialFile(const QString &suggestedFile);

    // "Export indítás".
    void startExport();
    // "Megállít": the running delimited export stops after the current record.
    void stopExport() { m_stopRequested = true; }
    bool running() const { return m_running; }

    QListWidget *fieldList() const { return m_fields; }
    QButtonGroup *delimiterGroup() const { return m_delimiters; }  // ids 0 ";", 1 TAB, 2 ",", 3 "|"
    QButtonGroup *qualifierGroup() const { return m_qualifiers; }  // ids 0 '"', 1 "'", 2 none
    QCheckBox *writeMemos() const { return m_memos; }
    QCheckBox *useFieldNames() const { return m_fieldNames; }
    QCheckBox *noHeader() const { return m_noHeader; }
    QCheckBox *openAfterExport() const { return m_openAfter; }
    QLineEdit *fileEdit() const { return m_file; }
    QPushButton *stopButton() const { return m_stop; }
    QPushButton *startButton() const { return m_start; }
    QPushButton *closeButton() const { return m_close; }
    QProgressBar *progressBar() const { return m_progress; }

    void done(int result) override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void setAllTicked(bool on);
    QStringList tickedFields() const;
    bool browse();
    void exportDelimited(const QString &file);
    void exportSpreadsheet(const QString &file);

    TDataSet &m_data;
    bool m_running = false;
    bool m_stopRequested = false;

    QListWidget *m_fields = nullptr;
    QButtonGroup *m_delimiters = nullptr;
    QButtonGroup *m_qualifiers = nullptr;
    QCheckBox *m_memos = nullptr;
    QCheckBox *m_fieldNames = nullptr;
    QCheckBox *m_noHeader = nullptr;
    QCheckBox *m_openAfter = nullptr;
    QLineEdit *m_file = nullptr;
    QPushButton *m_browse = nullptr;
    QPushButton *m_stop = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_close = nullptr;
    QProgressBar *m_progress = nullptr;
};

// Shows the export window modally on any open dataset.
void ExportDelimited(TDataSet &data, const QString &suggestedFile = QString(), QWidget *parent = nullptr);

}  // namespace zorva
