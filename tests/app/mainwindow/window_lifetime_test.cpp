// Windows come and go without a trace: a list window destroyed while its dataset is open
// and watched, and every window the main window opens, closed over and over, leaves the
// number of live objects where it was.
#include "cashbookfixture.h"

#include "admin/users/felhasznalo.h"
#include "app/mainwindow/main.h"
#include "app/mainwindow/mainmenus.h"
#include "bills/payments/csekkfizet.h"
#include "bills/payments/fizetnikell.h"
#include "bills/types/torzscsekk.h"
#include "core/globals.h"
#include "core/ui/mainicons.h"
#include "core/ui/messagebox.h"
#include "db/dataset.h"
#include "debts/debts/tartozas.h"
#include "debts/repayments/torleszt.h"
#include "entries/dialogs/ugyfelvalaszt.h"
#include "masterdata/cashboxes/torzskassza.h"
#include "masterdata/cashtypes/torzskasszatip.h"
#include "masterdata/fixeditems/torzsfix.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

using namespace zorva;

namespace {

class WindowLifetimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        testsupport::loadCashBookSchema(schema->db());
        beall() = TBeall{};
        Cassa() = 1;
        IniPath() = folder.file(QStringLiteral("Zorva.ini"));
        ProgramDir() = folder.path();
        MessageBox::clearAnswers();
        MessageBox::clearLog();
        testsupport::addEntry(schema->db(), QDate::currentDate().addDays(-1), 1, 10, 4000,
                              QStringLiteral("Piac"));
        w = testsupport::openMainWindow(*schema);
        w->show();
    }

    testsupport::TempFolder folder;
    std::unique_ptr<testsupport::ScratchSchema> schema;
    std::unique_ptr<Tfrm_Main> w;
};

// Triggers `a` and rejects every modal window that comes up until the action is over.
void triggerAndCloseAll(QAction *a)
{
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget *m = QApplication::activeModalWidget()) {
            if (auto *d = qobject_cast<QDialog *>(m))
                d->reject();
            else
                m->close();
        }
    });
    closer.start();
    a->trigger();
    closer.stop();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    MessageBox::clearLog();
}

struct Census {
    qsizetype mainWindowObjects, widgets, topLevels;
};

Census census(const QObject &root)
{
    return {root.findChildren<QObject *>().size(), QApplication::allWidgets().size(),
            QApplication::topLevelWidgets().size()};
}

}  // namespace

TEST_F(WindowLifetimeTest, ListWindowsDestroyedWithTheirDatasetOpenAndWatched)
{
    const std::vector<std::pair<const char *, std::function<ListWindow *()>>> windows = {
        {"cash boxes", [] { return new Tfrm_TorzsKassza; }},
        {"cash types", [] { return new Tfrm_TorzsKasszaTip; }},
        {"clients", [] { return new Tfrm_UgyfelValaszt(true); }},
        {"fixed items", [] { return new Tfrm_Torzsfix; }},
        {"bill types", [] { return new Tfrm_TorzsCsekk(false); }},
        {"bill payments", [] { return new Tfrm_CsekkFizet; }},
        {"due list", [] { return new Tfrm_FizetniKell; }},
        {"claims", [] { return new Tfrm_Tartozas(DebtDirection::Claims); }},
        {"repayments", [] { return new Tfrm_Torleszt(1); }},
        {"users", [] { return new Tfrm_Felhasznalo; }},
    };
    for (const auto &[name, make] : windows) {
        SCOPED_TRACE(name);
        ListWindow *lw = make();
        ASSERT_NE(lw->dataSet(), nullptr);
        lw->dataSet()->open();
        int heard = 0;  // not even a listener outside the window hears the closing
        QObject::connect(lw->dataSet(), &TDataSet::afterClose, [&heard] { ++heard; });
        lw->show();
        QCoreApplication::processEvents();
        delete lw;  // the sanitizer build reports any call into the freed window
        EXPECT_EQ(heard, 0) << "a dataset being destroyed must not call out";
    }
}

TEST_F(WindowLifetimeTest, OpeningAndClosingWindowsLeavesNothingBehind)
{
    const MainActions &a = w->actions();
    const QList<QAction *> opening = {
        a.aKassza,       a.aKasszaValaszt, a.aTorzsKasszaTipus,
        a.aSzur2,        a.aTorzsUgyfel,   a.aSzur6,
        a.aTorzsFix,     a.aUjFix,         a.aUj,
        a.aSzerkeszt,    a.aCsekkTipus,    a.aCsekkFizet,
        a.aTartozik,     a.aKovetel,       a.aFelhasznalo,
        a.aNevjegy,      a.aSzur1,         a.aNyomKassza,
        a.aNyomBevet,    a.aNyomOssz2,     a.aNyomUgyfTetel2,
        a.aNyomTipTetel, a.aNyomIdoszak,   a.aChBevKiad,
        a.aChPenzforg,   a.aChCsekkFizet,  a.aSQL,
        a.aAdatbazisok,  a.aBeallit,       a.aNyomtatkep,
    };
    for (QAction *action : opening) {
        SCOPED_TRACE(action->objectName().toStdString());
        if (!action->isEnabled())
            continue;
        triggerAndCloseAll(action);  // the first time may fill caches that live for the run
        const Census before = census(*w);
        const int rounds = 8;
        for (int round = 0; round < rounds; ++round)
            triggerAndCloseAll(action);
        // Something left behind by every window grows by at least one a round; a few objects
        // whose clean-up comes a little later (or an earlier window's going) are no growth.
        const Census after = census(*w);
        EXPECT_LT(after.mainWindowObjects - before.mainWindowObjects, rounds);
        EXPECT_LT(after.widgets - before.widgets, rounds);
        EXPECT_LT(after.topLevels - before.topLevels, rounds);
    }
    // Icons are drawn once a run: each new icon would be a new key in the pixmap cache.
    EXPECT_EQ(mainIcon(MainIcon::Print).cacheKey(), mainIcon(MainIcon::Print).cacheKey());
    EXPECT_EQ(styleIcon(QStyle::SP_ArrowUp).cacheKey(), styleIcon(QStyle::SP_ArrowUp).cacheKey());
}
