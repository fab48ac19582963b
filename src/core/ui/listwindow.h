// The list window that the master-data, bill and debt windows share: a tool bar with
// captions under the icons, a title panel (title at the right, optional search box at the
// left), a read-only grid on the window's dataset, a context menu of the window's actions
// and a status bar whose first panel shows the record position.
//
// The window is used modally, in maintenance mode (rows are created, edited and deleted)
// or in choice mode ("Elfogad" returns the current row's key).  A derived window declares
// its dataset, columns and actions and adds only its own algorithms; New, Edit and Delete
// go through the hooks below.
#pragma once

#include "db/datasetmodel.h"

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QPointer>
#include <QSize>
#include <QString>

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class QWidget;
class TDataSet;
class TDBGrid;

namespace zorva {

class SearchBox;

class ListWindow : public QDialog {
    Q_OBJECT
public:
    // `objectName` names the settings-file section of the window's bounds (for example
    // "frm_TorzsKassza"); `caption` is the window caption.
    ListWindow(const QString &objectName, const QString &caption, QWidget *parent = nullptr);
    ~ListWindow() override;

    // --- the parts
    QToolBar *toolBar() const { return m_toolBar; }
    QWidget *titlePanel() const { return m_titlePanel; }
    QLabel *titleLabel() const { return m_title; }
    SearchBox *searchBox() const { return m_search; }  // nullptr without enableSearch
    TDBGrid *grid() const { return m_grid; }
    QStatusBar *statusBar() const { return m_statusBar; }
    QLabel *positionPanel() const { return m_position; }  // the 77-pixel first panel
    QMenu *contextMenu() const { return m_contextMenu; }

    // --- set-up by the derived window
    void setTitle(const QString &text);
    QString title() const;
    // The size the window takes when the settings file has none.
    void setDesignSize(int width, int height);
    // The dataset the grid shows (owned by the derived window); set once, in the
    // constructor.
    void setDataSet(TDataSet *dataSet);
    TDataSet *dataSet() const;
    // The key column returned by the open operation and kept across re-sorting, and the
    // name column returned with it.
    void setKeyField(const QString &field) { m_keyField = field; }
    QString keyField() const { return m_keyField; }
    void setNameField(const QString &field) { m_nameField = field; }
    QString nameField() const { return m_nameField; }
    // The grid's columns; then the resize rule: each column gets
    // round((grid width - margin) * share), a fixed width overrides its share.
    void setColumns(const QList<TDataSetModel::Column> &columns);
    void setColumnShares(int margin, const QList<double> &shares);
    void setFixedColumnWidth(int column, int width);
    // The column painted in SortColumnColor at opening (0 unless set; -1: none).
    void setMarkedColumn(int column) { m_markedColumn = column; }
    // The search box at the left of the title panel, searching `field`; with
    // enterMovesToGrid, Enter in the box hands the focus to the grid.
    void enableSearch(const QString &field, bool enterMovesToGrid);
    void setSearchField(const QString &field) { m_searchField = field; }
    QString searchField() const { return m_searchField; }
    // A click on a column title sorts by that column (ascending); with searchFollowsSort
    // the search column follows the sort column.
    void enableTitleSort(bool searchFollowsSort);
    QString sortField() const { return m_sortField; }
    void setSortField(const QString &field) { m_sortField = field; }

    // --- actions
    enum StandardAction { New, Edit, Delete, Search, Accept, Close, Print, Html };
    // Creates one of the shared actions with its name (aUj, aSzerkeszt, aTorol, aKeres,
    // aElfogad, aBezar, aNyomtat, aHtml), caption, hint, shortcut and icon, connected to
    // its default effect (Print and Html have none: the window connects them).  A caption
    // given here replaces the usual one ("Sor törlése" instead of "Töröl").
    QAction *addStandardAction(StandardAction kind, const QString &caption = QString());
    // A window's own action; the hint is the caption when empty.
    QAction *addWindowAction(const QString &name, const QString &caption, const QString &hint = QString(),
                             const QKeySequence &shortcut = QKeySequence(), const QIcon &icon = QIcon());
    QAction *action(const QString &name) const;  // nullptr when the window has none
    // The tool bar and the context menu; a nullptr entry is a separator.
    void setToolBarActions(const QList<QAction *> &actions);
    void setContextActions(const QList<QAction *> &actions);
    static QIcon standardIcon(StandardAction kind);

    // --- modes
    void setChoiceMode(bool on);
    bool choiceMode() const { return m_choiceMode; }

    // --- the open operation: opens the dataset, moves to `moveTo` (-1: stays on the
    // first row), shows the window modally and closes the dataset again.  Returns the
    // current row's key after "Elfogad" (and its name column in `name`, empty when the
    // column is empty), -1 after "Bezár" (`name` unchanged).
    int openAndExec(int moveTo, QString *name = nullptr);

    // --- row helpers
    bool moveToKey(int key);
    // Reads the dataset again and moves to the row with `key`; when that row is gone (or
    // key is -1), to the row number the list was on, as far as the list still reaches.
    void reopenOn(int key);
    int currentKey() const;  // -1 on an empty list
    QString currentName() const;
    bool hasRows() const;

    // --- behaviour the shared actions run (public so that callers and tests can use them)
    void runSearch(const QString &text);
    void focusSearch();
    void updateStatus();
    void applyColumnWidths();

public slots:
    virtual void newRow();     // aUj: a new row through the edit dialog
    virtual void editRow();    // aSzerkeszt: the current row through the edit dialog
    virtual void deleteRow();  // aTorol: asks, then deletes the current row
    virtual void acceptRow();  // aElfogad: closes with OK

protected:
    // Opening and closing the window's data; by default the dataset alone.
    virtual void openData();
    virtual void closeData();
    // The edit dialog of New and Edit, created on the dataset's pending row; nullptr: none.
    virtual std::unique_ptr<QDialog> createEditDialog(bool inserting);
    // Values of a new row, set after it was appended and before the dialog is created.
    virtual void prepareNewRow() {}
    // Appends (inserting) or edits the current row, runs the edit dialog and cancels the
    // pending row unless it closed with OK.  True when the dialog closed with OK.
    bool runEditor(bool inserting);
    // Deleting the current row after the question; by default the dataset's delete.
    virtual void deleteCurrentRow();
    // Re-reads the rows in the order of `field` (a query gets its ORDER BY line rewritten,
    // a table its index fields); the current row stays where it can.
    virtual void reorder(const QString &field);
    void sortByColumn(const QString &field, int column);

    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onDoubleClick();
    void onTyped(const QString &text);
    void bindDataSet();
    void applyModeToActions();

    QToolBar *m_toolBar = nullptr;
    QWidget *m_titlePanel = nullptr;
    QLabel *m_title = nullptr;
    SearchBox *m_search = nullptr;
    TDBGrid *m_grid = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_position = nullptr;
    QMenu *m_contextMenu = nullptr;

    QPointer<TDataSet> m_ds;
    QString m_keyField;
    QString m_nameField;
    QString m_searchField;
    QString m_sortField;
    bool m_searchEnterToGrid = false;
    bool m_titleSort = false;
    bool m_searchFollowsSort = false;
    bool m_choiceMode = false;
    bool m_shown = false;
    int m_markedColumn = 0;
    int m_margin = 0;
    QList<double> m_shares;
    QHash<int, int> m_fixedWidths;
    QSize m_designSize;
    QHash<QString, QAction *> m_actions;
};

}  // namespace zorva
