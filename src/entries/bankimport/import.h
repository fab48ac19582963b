// The statement import window: the file's first rows, the mapping of its columns, the
// target cash box and default cash types above; below, every row as it will be booked
// (or why not), with the booking of them all as one unit.
#pragma once

#include "importplan.h"
#include "core/ui/editdialog.h"
#include "core/ui/listwindow.h"
#include "db/memtable.h"

#include <QHash>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QSpinBox;
class QTableWidget;

namespace zorva {

class Tfrm_Import : public ListWindow {
    Q_OBJECT
public:
    // `text` is the decoded file (readStatementFile), `path` its name.
    Tfrm_Import(const QString &path, const CsvText &text, QWidget *parent = nullptr);
    ~Tfrm_Import() override;

    // --- parts for tests
    QComboBox *encodingCombo() const { return m_encoding; }
    QComboBox *delimiterCombo() const { return m_delimiter; }
    QSpinBox *skipEdit() const { return m_skip; }
    QCheckBox *headerCheck() const { return m_header; }
    QComboBox *dateFormatCombo() const { return m_dateFormat; }
    QComboBox *decimalCombo() const { return m_decimal; }
    QComboBox *thousandsCombo() const { return m_thousands; }
    QComboBox *columnCombo(const QString &role) const;  // "datum", "osszeg", "jovairas", ...
    QComboBox *cashBoxCombo() const { return m_kassza; }
    QComboBox *incomeCombo() const { return m_income; }
    QComboBox *expenseCombo() const { return m_expense; }
    QComboBox *mappingCombo() const { return m_mappingName; }
    QTableWidget *previewGrid() const { return m_preview; }
    QProgressBar *progressBar() const { return m_progress; }
    QLabel *countsPanel() const { return m_counts; }
    const ImportPlan &plan() const { return m_plan; }
    ImportPlan &plan() { return m_plan; }
    const ImportMapping &mapping() const { return m_map; }
    const ImportSummary &summary() const { return m_summary; }
    // Reads the rows again through the window's settings.
    void rebuild();

protected:
    void openData() override;
    void closeData() override;
    void done(int result) override;

private:
    void buildPanel();
    void fillLookups();
    void redecode();
    void formatChanged();
    void columnsChanged();
    void showMapping();
    void readMapping();
    void fillColumnCombos(const QStringList &header);
    void fillTable();
    void updateCounts();
    void toggleDuplicate();
    void editRules();
    void editPartners();
    void saveMappingAs();
    void loadNamedMapping();
    void book();
    QString rowState(const ImportRow &r) const;
    QString clientText(const ImportRow &r) const;

    QString m_path;
    QByteArray m_bytes;
    CsvText m_text;
    ImportMapping m_map;
    ImportPlan m_plan;
    QList<CashTypeRule> m_rules;
    QHash<int, QString> m_typeNames;
    QHash<int, qsizetype> m_rowOfLine;
    ImportSummary m_summary;
    bool m_filling = false;
    bool m_stop = false;
    bool m_booking = false;
    QWidget *m_panel = nullptr;
    TkbmMemTable Tbl;

    QComboBox *m_encoding = nullptr;
    QComboBox *m_delimiter = nullptr;
    QSpinBox *m_skip = nullptr;
    QCheckBox *m_header = nullptr;
    QComboBox *m_dateFormat = nullptr;
    QComboBox *m_decimal = nullptr;
    QComboBox *m_thousands = nullptr;
    QHash<QString, QComboBox *> m_columns;
    QComboBox *m_kassza = nullptr;
    QComboBox *m_income = nullptr;
    QComboBox *m_expense = nullptr;
    QComboBox *m_mappingName = nullptr;
    QTableWidget *m_preview = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_counts = nullptr;
};

// "Importálás…": asks for the file, reads it and opens the import window.  Returns the
// number of entries booked (0 when none or cancelled).
int ImportStatement(QWidget *parent);

}  // namespace zorva
