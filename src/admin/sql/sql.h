// The free SQL window "SQL lekérdezés": an SQL editor, running a query (rows shown in the
// result grid) or a script of several statements, browsing and editing a whole table
// ("table: name" on the first line), copying and exporting the result.  An administrator
// opens it from the main window; everything runs on the main connection.
#pragma once

#include "db/query.h"
#include "db/table.h"

#include <QDialog>
#include <QHash>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTabWidget;
class QTableView;
class QToolBar;
class QsciScintilla;
class TDataSetModel;

namespace zorva {

class Tfrm_SQL : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_SQL(QWidget *parent = nullptr);
    ~Tfrm_SQL() override;

    QsciScintilla *editor() const { return m_editor; }
    QTableView *grid() const { return m_grid; }
    TDataSetModel *gridModel() const { return m_model; }
    QTabWidget *pages() const { return m_pages; }
    QProgressBar *progressBar() const { return m_progress; }
    QLabel *positionPanel() const { return m_position; }
    QToolBar *toolBar() const { return m_toolBar; }
    QAction *action(const QString &name) const { return m_actions.value(name); }
    TmySQLQuery &query() { return Qry; }
    TmySQLTable &table() { return Tbl; }
    // The dataset the grid shows (Qry or Tbl).
    TDataSet *shownDataSet() const;
    QString fileName() const { return m_fileName; }

    void newFile();
    void openFile();
    void saveFile();
    void exportResult();
    void copyResult();
    void run();
    void runFirst();
    void switchPage();
    // The clipboard text of the shown dataset.
    QString resultText();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    QAction *addAction(const char *name, const QString &caption, const QString &hint,
                       const QList<QKeySequence> &keys = {});
    void setupEditor();
    void showDataSet(TDataSet *ds);
    bool tableMode();
    bool openQuery(const QString &sql);
    void runScript(const QString &text);
    void sizeColumns();
    void enableResultActions();
    QString sqlFolder() const;

    QToolBar *m_toolBar = nullptr;
    QTabWidget *m_pages = nullptr;
    QsciScintilla *m_editor = nullptr;
    QTableView *m_grid = nullptr;
    TDataSetModel *m_model = nullptr;
    QProgressBar *m_progress = nullptr;
    QStatusBar *m_status = nullptr;
    QLabel *m_position = nullptr;
    QMenu *m_editorMenu = nullptr;
    QMenu *m_gridMenu = nullptr;
    QHash<QString, QAction *> m_actions;
    QString m_fileName;
    bool m_shown = false;
    TmySQLQuery Qry;
    TmySQLTable Tbl;
};

// The main window's "Szabad lekérdezés" (the administrator check is the caller's).
void ShowSqlWindow(QWidget *parent = nullptr);

}  // namespace zorva
