// The main window: the cash book of the current cash box with its filters, search,
// colours and totals, and the actions that open every other window.
#pragma once

#include "mainmenus.h"

#include <QMainWindow>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class TDBGrid;
class TDataSetModel;
class TmySQLDatabase;
class TmySQLQuery;
class TmySQLStoredProc;

namespace zorva {
class MainStatusBar;
class SearchBox;
class TotalsPanel;
}  // namespace zorva

class Tfrm_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Tfrm_Main(QWidget *parent = nullptr);
    ~Tfrm_Main() override;

    TmySQLDatabase &mySQLDatabase1();  // the main connection, owned by the window
    void setSortField(const QString &field);
    QString sortField() const { return m_sortField; }
    // The filter condition; checks aSzur0 when it is the last-month one.
    void setListFilter(const QString &condition);
    QString listFilter() const { return m_listFilter; }
    void ReloadList();
    void RefreshTotals();
    // false: the window shows without data; actions that need data do nothing.
    void setDatabaseOpen(bool open);
    bool databaseOpen() const { return m_dbOpen; }
    // Geometry, totals, font, splash and the start-up timer.
    void showMainWindow();
    std::function<void()> onDueBillsTimer;  // the reminder 1500 ms after showing

    // --- parts of the window (tests and the windows opened from here use them)
    const zorva::MainActions &actions() const { return m_a; }
    TmySQLQuery &Qry() { return *m_qry; }
    TDBGrid *DBGrid1() const { return m_grid; }
    TDataSetModel *listModel() const;
    zorva::SearchBox *searchBox() const { return m_search; }
    zorva::TotalsPanel *totalsPanel() const { return m_totals; }
    zorva::MainStatusBar *mainStatusBar() const { return m_status; }
    QString headingText() const;
    // The current row's hid, -1 when the list is empty.
    int currentHid() const;
    // Column widths from the grid's width (also run by every resize).
    void fitColumnWidths();
    // Checks the rights of a guarded action; a refusal shows the error and gives false.
    bool checkRights(const QString &actionName);

    // The search condition of a search text (" AND (...)", empty for an empty text).
    static QString searchCondition(const QString &text);
    static QString lastMonthFilter();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void connectActions();
    void applyFieldFormats();
    QString whereCondition() const;
    void reopenList(int hidToKeep);
    bool gotoHid(int hid);
    void positionSearch(const QString &text);
    void currentRowMoved();
    void searchChanged();
    void titleClicked(const QString &field);
    QVariant cellColor(int row, int column, int role) const;
    void setFilter(QAction *action, const QString &condition);
    void filterPeriod();
    void restoreFilterCheck();
    void deleteEntry();
    void refreshList();
    void changeFontSize(int delta);
    void applyFont();
    void showAbout();
    void wireOutputActions();
    void wireWindowActions();
    void wireChartActions();
    void wireReportActions();
    void wireAdminActions();
    void editEntry(int hid);
    void wireSettingsActions();
    void editOwner();
    // False (with the user told) when the current cash box does not exist.
    bool cashBoxReady();
    void disableLaterActions();

    std::unique_ptr<TmySQLDatabase> m_db;
    TmySQLQuery *m_qry = nullptr;
    TmySQLStoredProc *m_spSum = nullptr;
    zorva::MainActions m_a{};
    zorva::MainMenus m_menus{};
    TDBGrid *m_grid = nullptr;
    zorva::SearchBox *m_search = nullptr;
    QLabel *m_heading = nullptr;
    zorva::TotalsPanel *m_totals = nullptr;
    zorva::MainStatusBar *m_status = nullptr;
    QString m_listFilter;
    QString m_sortField = QStringLiteral("hazikassza");
    QAction *m_checkedFilter = nullptr;
    QAction *m_aTulajdonos = nullptr;
    QLabel *m_ownerHint = nullptr;
    bool m_dbOpen = true;
    bool m_searching = false;
    // Dataset columns the colour rule reads; they stay the same for every open of the list.
    struct {
        int osszeg = -1, datum = -1, szin = -1;
    } m_colorFields;
};
