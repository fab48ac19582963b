// A new database made without demo data, used from the main window as a new user would:
// the owner's data, the settings window, paying a bill and lending money with the
// starter set, and booking without any cash box.
#include "cashbookfixture.h"

#include "app/mainconnectionopen.h"
#include "app/mainwindow/main.h"
#include "bills/payments/csekkfizet.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/dbhelpers/settingsrow.h"
#include "core/globals.h"
#include "core/ui/messagebox.h"
#include "db/query.h"
#include "debts/debts/tartozas.h"
#include "debts/debts/tartozas_szerkeszt.h"
#include "entries/dialogs/ugyfelvalaszt.h"
#include "masterdata/cashboxes/torzskassza.h"
#include "masterdata/settings/beallit.h"
#include "masterdata/settings/tulajdonos.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace zorva;

namespace {

// Runs `drive` on the next modal window of type W (the test fails when another comes).
template <class W>
void nextModal(std::function<void(W *)> drive)
{
    QTimer::singleShot(0, [drive] {
        QWidget *m = QApplication::activeModalWidget();
        auto *w = qobject_cast<W *>(m);
        if (!w) {
            ADD_FAILURE() << "no modal window of the expected kind";
            if (m)
                m->close();
            return;
        }
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        drive(w);
    });
}

class NewDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<testsupport::ScratchSchema>();
        const QString dir = QStringLiteral(ZORVA_SQL_DIR);
        testsupport::loadSchema(schema->db());
        testsupport::runScript(schema->db(), dir + "/starter/starter.sql");
        beall() = TBeall{};
        Cassa() = 1;
        SumPeriod().clear();
        CassaDecimals() = 0;
        IniPath() = folder.file(QStringLiteral("Zorva.ini"));
        MessageBox::clearAnswers();
        MessageBox::clearLog();
        w = testsupport::openMainWindow(*schema);
        // as the start-up leaves it
        readBeallit(w->mySQLDatabase1(), beall());
        w->setWindowTitle(mainCaption(readOwnerName(w->mySQLDatabase1())));
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    QList<QStringList> rows(const QString &sql)
    {
        TmySQLQuery q(&schema->db());
        q.setSQL(sql);
        q.open();
        QList<QStringList> out;
        for (q.first(); !q.eof(); q.next()) {
            QStringList row;
            for (int c = 0; c < q.fieldCount(); ++c)
                row << q.fields(c).asString();
            out << row;
        }
        return out;
    }
    QAction *action(const char *name) { return w->findChild<QAction *>(QString::fromLatin1(name)); }

    testsupport::TempFolder folder;
    std::unique_ptr<testsupport::ScratchSchema> schema;
    std::unique_ptr<Tfrm_Main> w;
};

}  // namespace

TEST_F(NewDatabase, TheOwnersDataAreEasyToFindAndReachTheCaption)
{
    EXPECT_EQ(w->windowTitle(), "Zorva: []");
    auto *hint = w->findChild<QLabel *>(QStringLiteral("lblTulajdonos"));
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    QAction *owner = action("aTulajdonos");
    ASSERT_NE(owner, nullptr);

    nextModal<Tfrm_Tulajdonos>([](Tfrm_Tulajdonos *d) {
        d->edit("tulajdonos")->setText("Nagy Anna");
        d->okButton()->click();
    });
    emit hint->linkActivated(QStringLiteral("tulajdonos"));
    EXPECT_EQ(w->windowTitle(), "Zorva: [Nagy Anna]");
    EXPECT_FALSE(hint->isVisible());

    // the administrator right guards it
    beall().rendszergazda = false;
    owner->trigger();
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].text, "Nincs jogosultság a művelethez.");
}

TEST_F(NewDatabase, AltEnterOpensTheSettingsAndTheirCashTypesAreReadAgain)
{
    EXPECT_TRUE(action("aBeallit")->isEnabled());
    EXPECT_EQ(beall().kasszatip_csekk, 7);
    nextModal<Tfrm_Beallit>([this](Tfrm_Beallit *s) {
        EXPECT_EQ(s->cashTypeEdit(4)->text(), "Rezsi, csekk");
        EXPECT_EQ(s->cashTypeEdit(0)->text(), "Kölcsönt adtam");
        schema->db().execute("UPDATE beallit SET kasszatip_csekk = 14");  // someone else changed it
        s->cancelButton()->click();
    });
    QTest::keyClick(w.get(), Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(beall().kasszatip_csekk, 14) << "read again after Mégsem too";

    beall().rendszergazda = false;
    action("aBeallit")->trigger();  // refused, no window
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].text, "Nincs jogosultság a művelethez.");
}

TEST_F(NewDatabase, TheStarterSetPaysABillIntoTheCashBoxAndLendsMoney)
{
    // what the user types into the client and bill windows
    schema->db().execute("INSERT INTO ugyfel (ugyfel, ugyfel_nev) VALUES (2, 'Szomszéd Béla')");
    schema->db().execute(
        "INSERT INTO csekk (csekk, csekk_nev, kellgen, nap_hatid, osszeg) "
        "VALUES (1, 'Villany', 'I', 10, 9870.5)");
    schema->db().execute("CALL sp_csekkgen('202403')");

    {
        Tfrm_CsekkFizet bills;
        bills.query()->open();
        bills.show();
        MessageBox::setNextAnswer(QMessageBox::Yes);
        nextModal<Tfrm_TorzsKassza>([](Tfrm_TorzsKassza *c) {
            EXPECT_EQ(c->currentKey(), 1);
            c->acceptRow();
        });
        bills.payOrUnpay();
    }
    EXPECT_EQ(rows("SELECT fizetve FROM csekkfizet"), QList<QStringList>({{"I"}}));
    {
        Tfrm_Tartozas claims(DebtDirection::Claims);
        claims.query()->open();
        claims.show();
        nextModal<Tfrm_UgyfelValaszt>([](Tfrm_UgyfelValaszt *c) {
            ASSERT_TRUE(c->moveToKey(2));
            nextModal<Tfrm_Tartozas_Szerkeszt>([](Tfrm_Tartozas_Szerkeszt *d) {
                d->amountEdit()->setText("20000");
                d->okButton()->click();
            });
            c->acceptRow();
        });
        claims.newRow();
    }
    EXPECT_EQ(rows("SELECT kassza, kasszatip, osszeg, szoveg FROM hazikassza ORDER BY hid"),
              QList<QStringList>({{"1", "7", "-9870.5", "Csekk befizetés"},
                                  {"1", "12", "-20000", "Kölcsön: Szomszéd Béla"}}));
    EXPECT_EQ(rows("SELECT osszeg, marad FROM tartozik"), QList<QStringList>({{"20000", "20000"}}));
}

TEST_F(NewDatabase, WithoutACashBoxNewEntriesLeadToTheCashBoxesWindow)
{
    schema->db().execute("DELETE FROM kassza");
    MessageBox::setNextAnswer(QMessageBox::Yes);
    bool boxesShown = false;
    nextModal<Tfrm_TorzsKassza>([&boxesShown](Tfrm_TorzsKassza *c) {
        boxesShown = !c->choiceMode();
        c->close();
    });
    action("aUj")->trigger();
    EXPECT_TRUE(boxesShown);
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_TRUE(MessageBox::log()[0].text.startsWith("Még nincs egyetlen kassza sem."));

    // the fixed item asks the same, and nothing opens on No
    MessageBox::clearLog();
    action("aUjFix")->trigger();
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].caption, "Nincs kassza");
    EXPECT_EQ(rows("SELECT COUNT(*) FROM hazikassza"), QList<QStringList>({{"0"}}));
}
