// The import window on a real database: what it finds out about a file by itself, the
// mapping saved and offered again, ticking a duplicate, booking with the summary; and
// pictures of it beside the program's other list windows (ZORVA_SCREENSHOT_DIR).
#include "entries/bankimport/import.h"
#include "entries/bankimport/importpartner.h"
#include "entries/bankimport/importszabaly.h"
#include "entries/bankimport/importszabaly_szerkeszt.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/ui/dbgrid.h"
#include "core/ui/inputtext.h"
#include "core/ui/messagebox.h"
#include "masterdata/fixeditems/lookupcombo.h"
#include "masterdata/fixeditems/torzsfix.h"
#include "masterdata/masterdatafixture.h"
#include "sql/zorvaschema.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStringEncoder>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zorva;

namespace {

const QString kStatement = QStringLiteral(
    "Számlatörténet\r\n"
    "Számlaszám:;11773016-01234567\r\n"
    "\r\n"
    "Könyvelés dátuma;Összeg;Pénznem;Partner neve;Közlemény\r\n"
    "2024.03.01.;-12 345,50;HUF;TESCO ÁRUHÁZ;\"Kártyás vásárlás; Budapest\"\r\n"
    "2024.03.02.;250 000,00;HUF;KOVACS ÖDÖN;Bérleti díj\r\n"
    "2024.03.03.;-1 500,00;HUF;Új Partner Kft;Számla\r\n"
    "2024.03.03.;-1 500,00;HUF;Új Partner Kft;Számla\r\n"
    "2024.13.04.;-990,00;HUF;;rossz dátum\r\n");

class ImportWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<sqltest::ZorvaSchema>();
        sqltest::addBasicMasterData(db());
        folder = std::make_unique<testsupport::TempFolder>();
        IniPath() = folder->file(QStringLiteral("Zorva.ini"));
        Cassa() = 2;
        setMainConnection(&db());
        MessageBox::clearAnswers();
        MessageBox::clearLog();
        path = folder->file(QStringLiteral("kivonat.csv"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QStringEncoder e("windows-1250");
        f.write(e.encode(kStatement));
    }
    void TearDown() override
    {
        setMainConnection(nullptr);
        schema.reset();
    }
    TmySQLDatabase &db() { return schema->db(); }
    // Runs `act` inside the window's modal loop, then closes it if it is still open.
    void inWindow(Tfrm_Import &w, const std::function<void()> &act)
    {
        QTimer::singleShot(0, &w, [&w, act] {
            act();
            if (w.isVisible())
                w.reject();
        });
        w.openAndExec(-1);
    }
    std::unique_ptr<sqltest::ZorvaSchema> schema;
    std::unique_ptr<testsupport::TempFolder> folder;
    QString path;
};

}  // namespace

TEST_F(ImportWindow, FindsTheFormatItselfAndBooksTheRowsWithASummary)
{
    Tfrm_Import w(path, readStatementFile(path));
    inWindow(w, [&] {
        EXPECT_EQ(w.encodingCombo()->currentText(), "Windows-1250");
        EXPECT_EQ(w.delimiterCombo()->currentData().toString(), ";");
        EXPECT_EQ(w.skipEdit()->value(), 3);  // the title, the account and a blank line
        EXPECT_TRUE(w.headerCheck()->isChecked());
        EXPECT_EQ(w.dateFormatCombo()->currentText(), "yyyy.mm.dd.");
        EXPECT_EQ(w.decimalCombo()->currentData().toString(), ",");
        EXPECT_EQ(w.thousandsCombo()->currentData().toString(), " ");
        EXPECT_EQ(w.columnCombo("datum")->currentData().toInt(), 0);
        EXPECT_EQ(w.columnCombo("osszeg")->currentData().toInt(), 1);
        EXPECT_EQ(w.columnCombo("partner")->currentData().toInt(), 3);
        EXPECT_EQ(w.columnCombo("szoveg")->currentData().toInt(), 4);
        EXPECT_EQ(w.cashBoxCombo()->currentData().toInt(), 2);
        EXPECT_EQ(w.previewGrid()->rowCount(), 5);
        EXPECT_EQ(w.grid()->model()->rowCount(), 5);
        EXPECT_EQ(w.countsPanel()->text(),
                  "4 könyvelendő, 0 duplikált, 1 hibás sor; 2 partnernek nincs ügyfele");

        MessageBox::setNextAnswer(QMessageBox::Yes);  // "... tétel könyvelése ...?"
        MessageBox::setNextAnswer(QMessageBox::Ok);   // the summary
        w.action("aKonyvel")->trigger();
    });
    ASSERT_TRUE(w.summary().ok()) << w.summary().failure.toStdString();
    EXPECT_EQ(w.summary().booked, 4);
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza WHERE kassza=2")), 4);
    const QList<MessageBox::Shown> shown = MessageBox::log();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(
        shown[1].text.startsWith(QStringLiteral("Könyvelve: 4 tétel.\nDuplikáltként kihagyva: 0.\nHibás, nem "
                                                "könyvelt: 1.")))
        << shown[1].text.toStdString();
    EXPECT_TRUE(shown[1].text.contains(QStringLiteral("9. sor: a dátum nem olvasható")));

    // Opened again: every row is a duplicate; a ticked one is booked anyway.
    Tfrm_Import again(path, readStatementFile(path));
    inWindow(again, [&] {
        EXPECT_EQ(again.countsPanel()->text(),
                  "0 könyvelendő, 4 duplikált, 1 hibás sor; 2 partnernek nincs ügyfele");
        ASSERT_TRUE(again.moveToKey(7));
        again.action("aDuplikalt")->trigger();
        EXPECT_EQ(again.grid()->model()->index(again.grid()->currentIndex().row(), 1).data().toString(),
                  "duplikált, könyvelendő");
        MessageBox::setNextAnswer(QMessageBox::Yes);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        again.action("aKonyvel")->trigger();
    });
    EXPECT_EQ(again.summary().booked, 1);
    EXPECT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM hazikassza WHERE kassza=2")), 5);
}

TEST_F(ImportWindow, AMappingSavedByNameIsOfferedForTheSameHeaderLine)
{
    {
        Tfrm_Import w(path, readStatementFile(path));
        inWindow(w, [&] {
            w.columnCombo("szoveg")->setCurrentIndex(w.columnCombo("szoveg")->findData(2));  // "Pénznem"
            setNextInputText(QStringLiteral("OTP folyószámla"));
            w.action("aMinta")->trigger();
        });
    }
    Tfrm_Import w(path, readStatementFile(path));
    inWindow(w, [&] {
        EXPECT_EQ(w.mappingCombo()->currentText(), "OTP folyószámla");
        EXPECT_EQ(w.columnCombo("szoveg")->currentData().toInt(), 2);
        EXPECT_EQ(w.plan().data.rows.front().text, "HUF");
    });
}

TEST_F(ImportWindow, RulesAndPartnersAreDecidedInTheWindow)
{
    Tfrm_Import w(path, readStatementFile(path));
    inWindow(w, [&] {
        mdtest::whenModal<Tfrm_ImportSzabaly>([&](Tfrm_ImportSzabaly *rules) {
            mdtest::whenModal<Tfrm_ImportSzabaly_Szerkeszt>([](Tfrm_ImportSzabaly_Szerkeszt *d) {
                d->patternEdit()->setText(QStringLiteral("áruház"));
                d->typeCombo()->setKey(2);  // Élelmiszer
                d->okButton()->click();
            });
            rules->action("aUj")->trigger();
            rules->reject();
        });
        w.action("aSzabaly")->trigger();
        ASSERT_EQ(db().queryInt(QStringLiteral("SELECT COUNT(*) FROM importszabaly WHERE minta='áruház'")),
                  1);
        EXPECT_EQ(w.plan().data.rows.front().kasszatip, 2);
        EXPECT_TRUE(w.plan().data.rows.front().byRule);

        mdtest::whenModal<Tfrm_ImportPartner>([](Tfrm_ImportPartner *d) {
            ASSERT_EQ(d->grid()->rowCount(), 2);
            for (int r = 0; r < 2; ++r) {
                auto *c = qobject_cast<QComboBox *>(d->grid()->cellWidget(r, 1));
                const bool tesco = d->grid()->item(r, 0)->text().startsWith(u"TESCO");
                c->setCurrentIndex(tesco ? c->findText(QStringLiteral("Szabó Éva")) : 1);
            }
            d->okButton()->click();
        });
        w.action("aPartner")->trigger();
        MessageBox::setNextAnswer(QMessageBox::Yes);
        MessageBox::setNextAnswer(QMessageBox::Ok);
        w.action("aKonyvel")->trigger();
    });
    ASSERT_TRUE(w.summary().ok()) << w.summary().failure.toStdString();
    EXPECT_EQ(w.summary().clientsCreated, 1);
    EXPECT_EQ(
        sqltest::rows(db(), QStringLiteral("SELECT h.kasszatip, u.ugyfel_nev FROM hazikassza h JOIN ugyfel u "
                                           "ON u.ugyfel = h.ugyfel ORDER BY h.hazikassza")),
        (QList<QStringList>{{"2", "Szabó Éva"},
                            {"3", "Kovács Ödön"},
                            {"2", "Új Partner Kft"},
                            {"2", "Új Partner Kft"}}));  // the first expense type by default
}

TEST_F(ImportWindow, Screenshots)
{
    const QString dir = qEnvironmentVariable("ZORVA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZORVA_SCREENSHOT_DIR is not set";
    QDir().mkpath(dir);
    db().execute(
        QStringLiteral("INSERT INTO importszabaly (sorrend, minta, kasszatip) VALUES (10, 'tesco', 2)"));
    Tfrm_Import w(path, readStatementFile(path));
    inWindow(w, [&] { EXPECT_TRUE(w.grab().save(dir + QStringLiteral("/import.png"))); });
    Tfrm_ImportSzabaly rules;
    QTimer::singleShot(0, &rules, [&] {
        EXPECT_TRUE(rules.grab().save(dir + QStringLiteral("/importszabaly.png")));
        rules.reject();
    });
    rules.openAndExec(-1);
    Tfrm_Torzsfix fix;
    QTimer::singleShot(0, &fix, [&] {
        EXPECT_TRUE(fix.grab().save(dir + QStringLiteral("/torzsfix.png")));
        fix.reject();
    });
    fix.openAndExec(-1);
}
