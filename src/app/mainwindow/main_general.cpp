// What the main window's actions do: filters, delete, refresh, font size, rights,
// help and the about box.
#include "main.h"

#include "aboutbox.h"
#include "mainrights.h"
#include "mainstatusbar.h"
#include "core/folders.h"
#include "core/globals.h"
#include "core/sqltext.h"
#include "core/ui/inputtext.h"
#include "core/ui/messagebox.h"
#include "core/ui/searchbox.h"
#include "core/ui/shell.h"
#include "core/ui/slotguard.h"
#include "db/database.h"
#include "db/query.h"
#include "entries/dialogs/inpstr.h"
#include "export/ui/grid2html.h"
#include "export/ui/hatarolt.h"
#include "reports/ui/gridprint.h"

#include <QAction>
#include <QActionGroup>
#include <QDate>
#include <QRegularExpression>
#include <QUrl>

using namespace zorva;

namespace {

const QString kHomePage = QStringLiteral("https://zorva.hu");
const QString kNewsPage = QStringLiteral("https://zorva.hu/ujdonsagok");
const QString kMailTo = QStringLiteral("mailto:info@zorva.hu?subject=Zorva");

// A period typed as yyyymm: six digits with a month of 01-12.
bool validPeriod(const QString &period)
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{4}(0[1-9]|1[0-2])$"));
    return re.match(period).hasMatch();
}

}  // namespace

bool Tfrm_Main::checkRights(const QString &actionName)
{
    if (rightsAllow(actionName, beall()))
        return true;
    ShowError(noRightText(), this);
    return false;
}

void Tfrm_Main::connectActions()
{
    connect(m_a.aSzur0, &QAction::triggered, this,
            guarded([this] { setFilter(m_a.aSzur0, lastMonthFilter()); }));
    connect(m_a.aSzur1, &QAction::triggered, this, guarded(this, &Tfrm_Main::filterPeriod));
    connect(m_a.aSzur3, &QAction::triggered, this,
            guarded([this] { setFilter(m_a.aSzur3, QStringLiteral("(osszeg>0)")); }));
    connect(m_a.aSzur4, &QAction::triggered, this,
            guarded([this] { setFilter(m_a.aSzur4, QStringLiteral("(osszeg<0)")); }));
    connect(m_a.aSzur5, &QAction::triggered, this, guarded([this] { setFilter(m_a.aSzur5, QString()); }));

    connect(m_a.aTorol, &QAction::triggered, this, guarded(this, &Tfrm_Main::deleteEntry));
    connect(m_a.aFrissit, &QAction::triggered, this, guarded(this, &Tfrm_Main::refreshList));
    connect(m_a.aBezar, &QAction::triggered, this, guarded(this, &QWidget::close));
    connect(m_a.aBetuNovel, &QAction::triggered, this, guarded([this] { changeFontSize(+1); }));
    connect(m_a.aBetuCsokkent, &QAction::triggered, this, guarded([this] { changeFontSize(-1); }));

    connect(m_a.aSugo, &QAction::triggered, this, guarded([] { Shell::openFile(HelpFile()); }));
    connect(m_a.aHonlap, &QAction::triggered, this, guarded([] { Shell::openUrl(QUrl(kHomePage)); }));
    connect(m_a.aLevel, &QAction::triggered, this, guarded([] { Shell::openUrl(QUrl(kMailTo)); }));
    // There is no separate updates program on this system: the news page opens instead.
    connect(m_a.aUjdonsag, &QAction::triggered, this, guarded([] { Shell::openUrl(QUrl(kNewsPage)); }));
    connect(m_a.aNevjegy, &QAction::triggered, this, guarded(this, &Tfrm_Main::showAbout));
}

void Tfrm_Main::disableLaterActions()
{
    // Their windows do not exist yet.
    const QList<QAction *> later = {
        m_a.aChCsekkMegoszlik, m_a.aChCsekkFizet,    m_a.aChPenzforg, m_a.aChBevKiad,
        m_a.aChBevMegoszlas,   m_a.aChKiadMegoszlas, m_a.aSQL,        m_a.aAdatbazisok};
    for (QAction *a : later) {
        a->setEnabled(false);
    }
}

void Tfrm_Main::setFilter(QAction *action, const QString &condition)
{
    m_listFilter = condition;
    ReloadList();
    action->setChecked(true);
    m_checkedFilter = action;
}

void Tfrm_Main::restoreFilterCheck()
{
    // A checkable action is checked by the click itself; a cancelled filter puts the mark back.
    if (m_checkedFilter)
        m_checkedFilter->setChecked(true);
}

void Tfrm_Main::filterPeriod()
{
    QString period = QDate::currentDate().toString(QStringLiteral("yyyyMM"));
    if (!AskText(QStringLiteral("Időszak"), QStringLiteral("Add meg az időszakot (pl. 2013.02)"),
                 QStringLiteral("0000.00;0;_"), -1, period, this)) {
        restoreFilterCheck();
        return;
    }
    period = period.trimmed();
    if (!validPeriod(period)) {
        ShowError(
            QStringLiteral("Hibás időszak: \"%1\". Az időszakot év.hónap alakban adja meg, például 2013.02.")
                .arg(period),
            this);
        restoreFilterCheck();
        return;
    }
    m_status->setPanel(MainStatusBar::Period, QStringLiteral("időszak: ") + period);
    SumPeriod() = period;
    setFilter(m_a.aSzur1, QStringLiteral("(idoszak=") + SqlText(period) + QStringLiteral(")"));
}

void Tfrm_Main::deleteEntry()
{
    if (!checkRights(QStringLiteral("aTorol")))
        return;
    if (!m_dbOpen)
        return;
    if (!AskYesNo(QStringLiteral("Valóban töröljem a sort?"), QStringLiteral("Megerősítés"), this))
        return;
    const int hid = qMax(0, currentHid());
    m_db->execute(QStringLiteral("CALL sp_kassza_del(%1);").arg(hid));
    reopenList(-1);
    RefreshTotals();
}

void Tfrm_Main::changeFontSize(int delta)
{
    int &size = beall().FontSize;
    if (delta > 0 && size < 10)
        ++size;
    else if (delta < 0 && size > 8)
        --size;
    applyFont();
}

void Tfrm_Main::showAbout()
{
    // Modal like every other window, and gone when it closes (however it closes: OK and
    // Esc only hide a dialog).
    AboutBox box(this);
    box.exec();
}

void Tfrm_Main::wireOutputActions()
{
    // The list as shown: the grid's columns for printing and the page, every field of the
    // list query for the delimited and worksheet export.
    const QString title = QStringLiteral("Kassza");
    connect(m_a.aNyomtat, &QAction::triggered, this, guarded([this, title] {
                if (m_dbOpen && m_qry->isActive())
                    PrintGrid(m_grid, true, false, title, 8, QString(), headingText());
            }));
    connect(m_a.aNyomtatkep, &QAction::triggered, this, guarded([this, title] {
                if (m_dbOpen && m_qry->isActive())
                    PrintGrid(m_grid, false, false, title, 8, QString(), headingText());
            }));
    connect(m_a.aHtml, &QAction::triggered, this, guarded([this, title] {
                if (m_dbOpen && m_qry->isActive())
                    ExportGridHtml(m_grid, title, headingText());
            }));
    connect(m_a.aExcelbe, &QAction::triggered, this, guarded([this] {
                if (m_dbOpen && m_qry->isActive())
                    ExportDelimited(*m_qry, QString(), this);
            }));
}
