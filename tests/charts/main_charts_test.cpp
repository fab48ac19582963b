// The chart actions of the main window: a month or date range first, then the chart;
// a cancelled range opens nothing.
#include "app/mainwindow/cashbookfixture.h"

#include "app/mainwindow/main.h"
#include "charts/charts.h"
#include "core/globals.h"
#include "core/ui/messagebox.h"
#include "entries/dialogs/honap.h"
#include "entries/dialogs/idoszak.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPieSeries>
#include <QPushButton>
#include <QTimer>

using namespace zorva;

namespace {

struct Seen {
    bool askedMonths = false;
    QDate presetFrom, presetTo;
    QString chart;  // the chart window's object name
    QObject *owner = nullptr;
    int pieSeries = -1;
};

// Answers the range dialog with OK (or cancels it), then closes the chart window
// that follows.
void answer(Seen &seen, bool ok)
{
    seen = Seen{};
    QTimer::singleShot(0, [&seen, ok] {
        QWidget *w = QApplication::activeModalWidget();
        if (auto *m = qobject_cast<Tfrm_Honap *>(w)) {
            seen.askedMonths = true;
            m->fromCombo()->setEditText(QStringLiteral("200001"));
            (ok ? m->okButton() : m->cancelButton())->click();
        } else if (auto *d = qobject_cast<Tfrm_Idoszak *>(w)) {
            seen.presetFrom = d->fromDate();
            seen.presetTo = d->toDate();
            (ok ? d->okButton() : d->cancelButton())->click();
        } else if (w) {
            w->close();
            return;
        }
        QTimer::singleShot(50, [&seen] {
            if (auto *c = qobject_cast<ChartWindow *>(QApplication::activeModalWidget())) {
                seen.chart = c->objectName();
                seen.owner = c->parent();
                if (auto *m = qobject_cast<Tfrm_chMegoszlas *>(c))
                    seen.pieSeries = m->pie()->count();
                c->aBezar()->trigger();
            }
        });
    });
}

}  // namespace

class MainWindowChartsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        testsupport::loadCashBookSchema(schema->db());
        beall() = TBeall{};
        Cassa() = 1;
        IniPath() = folder.file(QStringLiteral("Zorva.ini"));
        MessageBox::clearLog();
        testsupport::addEntry(schema->db(), QDate::currentDate(), 1, 1, 100000, QStringLiteral("Fizetés"));
        w = testsupport::openMainWindow(*schema);
    }

    testsupport::TempFolder folder;
    std::unique_ptr<testsupport::ScratchSchema> schema;
    std::unique_ptr<Tfrm_Main> w;
};

TEST_F(MainWindowChartsTest, EachChartActionAsksItsRangeThenOpensItsWindow)
{
    const struct {
        QAction *action;
        const char *window;
    } cases[] = {{w->actions().aChBevKiad, "frm_chBevKiad"},
                 {w->actions().aChBevMegoszlas, "frm_chMegoszlas"},
                 {w->actions().aChKiadMegoszlas, "frm_chMegoszlas"},
                 {w->actions().aChCsekkMegoszlik, "frm_chCsekkMegoszlas"},
                 {w->actions().aChCsekkFizet, "frm_chCsekkIdoszak"}};
    Seen seen;
    for (const auto &c : cases) {
        EXPECT_TRUE(c.action->isEnabled()) << c.window;
        answer(seen, true);
        c.action->trigger();
        EXPECT_TRUE(seen.askedMonths) << c.window;
        EXPECT_EQ(seen.chart, c.window);
        EXPECT_EQ(seen.owner, w.get());
        answer(seen, false);
        c.action->trigger();
        EXPECT_TRUE(seen.chart.isEmpty()) << "a cancelled range opens no chart";
    }
    // the income pie has this year's salary, the expense pie nothing
    answer(seen, true);
    w->actions().aChBevMegoszlas->trigger();
    EXPECT_EQ(seen.pieSeries, 1);
    answer(seen, true);
    w->actions().aChKiadMegoszlas->trigger();
    EXPECT_EQ(seen.pieSeries, 0);
    EXPECT_TRUE(MessageBox::log().isEmpty());
}

TEST_F(MainWindowChartsTest, BrowserProposesThisYearUpToToday)
{
    Seen seen;
    answer(seen, true);
    w->actions().aChPenzforg->trigger();
    const QDate today = QDate::currentDate();
    EXPECT_EQ(seen.presetFrom, QDate(today.year(), 1, 1));
    EXPECT_EQ(seen.presetTo, today);
    EXPECT_EQ(seen.chart, "frm_chElemzes");
    answer(seen, false);
    w->actions().aChPenzforg->trigger();
    EXPECT_TRUE(seen.chart.isEmpty());
}
