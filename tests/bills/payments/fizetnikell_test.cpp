// The due list: which payments it shows, its status bar, and that it opens also empty.
#include "billfixture.h"

#include "bills/payments/fizetnikell.h"

#include "core/ui/dbgrid.h"

#include "db/query.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolBar>

using namespace zorva;
using mdtest::whenModal;

namespace {

using DueList = billtest::BillTest;

QList<QStringList> shownRows(TDBGrid *grid)
{
    QList<QStringList> out;
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            row << grid->model()->index(r, c).data().toString();
        out << row;
    }
    return out;
}

}  // namespace

TEST_F(DueList, ShowsUnpaidPaymentsDueUpToTodayThatHaveAPayee)
{
    db().execute("INSERT INTO ugyfel (ugyfel, ugyfel_nev) VALUES (3, 'Nagy Ilona')");
    db().execute(
        "INSERT INTO csekkfizet (csekkfizet, csekk, idoszak, dat_hatid, osszeg, ugyfel, fizetve) "
        "VALUES (6, 1, '202402', '2024-02-10', 1234.6, 3, 'N')");
    QList<QStringList> shown;
    QStringList status, status2;
    whenModal<Tfrm_FizetniKell>([&](Tfrm_FizetniKell *w) {
        EXPECT_EQ(w->windowTitle(), "Lejárt csekkek");
        shown = shownRows(w->grid());
        status << w->positionPanel()->text() << w->unpaidPanel()->text();
        QTest::keyClick(w->grid(), Qt::Key_Down);
        status2 << w->positionPanel()->text() << w->unpaidPanel()->text();
        EXPECT_EQ(w->grid()->columnColor(0), SortColumnColor());
        EXPECT_EQ(w->toolBar()->actions().size(), 1);
        EXPECT_EQ(w->toolBar()->actions()[0]->text(), "OK, Bezár");
        ASSERT_EQ(w->contextMenu()->actions().size(), 1);
        EXPECT_EQ(w->contextMenu()->actions()[0]->text(), "Bezár");
        QTest::keyClick(w->grid(), Qt::Key_Escape);
    });
    ShowDueBills();
    // due today is included; the paid, the future and the one without payee are not
    EXPECT_EQ(shown, QList<QStringList>({{"2024.02.10", "Nagy Ilona", "1 235"},
                                         {"2024.03.14", "Kovács Ödön", "8 500"},
                                         {"2024.03.15", "Kovács Ödön", "8 500"}}));
    // the total counts every unpaid payment, due or not
    EXPECT_EQ(status, QStringList({"3: 1", "Kifizetésre vár: 38 735"}));
    EXPECT_EQ(status2, QStringList({"3: 2", "Kifizetésre vár: 38 735"}));
}

TEST_F(DueList, OpensAlsoWhenNothingIsDue)
{
    db().execute("UPDATE csekkfizet SET fizetve = 'I'");
    int rowsShown = -1;
    QString unpaid;
    whenModal<Tfrm_FizetniKell>([&](Tfrm_FizetniKell *w) {
        rowsShown = w->grid()->model()->rowCount();
        unpaid = w->unpaidPanel()->text();
        w->toolBar()->actions()[0]->trigger();
    });
    ShowDueBills();
    EXPECT_EQ(rowsShown, 0);
    EXPECT_EQ(unpaid, "Kifizetésre vár: 0");
}
