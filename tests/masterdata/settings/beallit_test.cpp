// The settings window and the owner's data on the real database.
#include "masterdata/masterdatafixture.h"

#include "core/ui/filedialog.h"
#include "masterdata/cashboxes/cashboxcheck.h"
#include "masterdata/cashboxes/torzskassza.h"
#include "masterdata/cashtypes/torzskasszatip.h"
#include "masterdata/settings/beallit.h"
#include "masterdata/settings/tulajdonos.h"
#include "reports/cashbook/cashbookreports.h"
#include "reports/pdftext.h"
#include "reports/reportlayout.h"
#include "reports/reportpaint.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace zorva;
using mdtest::whenModal;

namespace {

class Settings : public mdtest::MasterDataTest {
protected:
    void SetUp() override
    {
        MasterDataTest::SetUp();
        if (HasFatalFailure())
            return;
        beall() = TBeall{};
        beall().HtmlPath = QStringLiteral("/regi/html");
        FileDialog::clearFileNames();
        db().execute("UPDATE beallit SET kasszatip_ki = 2, kasszatip_csekk = 4");
    }
    QString beallitRow()
    {
        return rows(
                   "SELECT vanbelep, COALESCE(kasszatip_ki, '-'), COALESCE(kasszatip_vissza, '-'), "
                   "COALESCE(kapkasszatip_ki, '-'), COALESCE(kapkasszatip_vissza, '-'), "
                   "COALESCE(kasszatip_csekk, '-') FROM beallit")
            .value(0)
            .join(' ');
    }
};

// Picks cash type `key` in the chooser the next button opens.
void chooseTypeNext(int key)
{
    whenModal<Tfrm_TorzsKasszaTip>([key](Tfrm_TorzsKasszaTip *c) {
        EXPECT_TRUE(c->choiceMode());
        ASSERT_TRUE(c->moveToKey(key));
        c->acceptRow();
    });
}

}  // namespace

TEST_F(Settings, OkTakesEveryControlAndMegsemLeavesEverythingAsItWas)
{
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Mégsem");
        beall().HtmlPath = QStringLiteral("/regi/html");
        whenModal<Tfrm_Beallit>([ok](Tfrm_Beallit *w) {
            EXPECT_EQ(w->windowTitle(), "Beállítások");
            EXPECT_EQ(w->cashTypeEdit(0)->text(), "Élelmiszer");
            EXPECT_EQ(w->cashTypeEdit(1)->text(), "");
            EXPECT_EQ(w->cashTypeEdit(4)->text(), "Rezsi");
            EXPECT_EQ(w->htmlPathEdit()->text(), "/regi/html");
            EXPECT_EQ(w->cashTypeEdit(0)->focusPolicy(), Qt::NoFocus);
            w->fullScreenBox()->setChecked(true);
            w->lookForBox()->setChecked(true);
            FileDialog::setNextFileName(QStringLiteral("/uj/html"));
            w->folderButton()->click();
            EXPECT_EQ(w->htmlPathEdit()->text(), "/uj/html");
            chooseTypeNext(3);
            w->cashTypeButton(1)->click();
            EXPECT_EQ(w->cashTypeEdit(1)->text(), "Ajándék");
            (ok ? w->okButton() : w->cancelButton())->click();
        });
        ShowSettings();
        EXPECT_EQ(beall().HtmlPath, ok ? "/uj/html" : "/regi/html");
        EXPECT_EQ(beall().FullScreen, ok);
        EXPECT_EQ(beall().LookFor, ok);
        EXPECT_EQ(beallitRow(), ok ? "N 2 3 - - 4" : "N 2 - - - 4");
        // read again after the window closed, however it closed
        EXPECT_EQ(beall().kasszatip_ki, 2);
        EXPECT_EQ(beall().kasszatip_vissza, ok ? 3 : -1);
        EXPECT_EQ(beall().kasszatip_csekk, 4);
    }
    ASSERT_FALSE(FileDialog::log().isEmpty());
    EXPECT_EQ(FileDialog::log().last().kind, "folder");
    EXPECT_EQ(FileDialog::log().last().proposal, "/regi/html");
}

TEST_F(Settings, ADeletedCashTypeShowsAnEmptyBoxAndReadsAsUnset)
{
    db().execute("DELETE FROM kasszatip WHERE kasszatip = 4");
    whenModal<Tfrm_Beallit>([](Tfrm_Beallit *w) {
        EXPECT_EQ(w->cashTypeEdit(4)->text(), "");
        EXPECT_EQ(w->cashTypeEdit(0)->text(), "Élelmiszer");
        w->okButton()->click();
    });
    beall().kasszatip_csekk = 4;
    ShowSettings();
    EXPECT_EQ(beall().kasszatip_csekk, -1);
}

TEST_F(Settings, SignInIsRefusedUntilAnAdministratorWithAPasswordExists)
{
    db().execute(
        "INSERT INTO felhasznalo VALUES ('anna', 'Anna', 'titok', 'N', 'I', 'I', 'I'), "
        "('gazda', 'Gazda', '', 'I', 'I', 'I', 'I')");
    whenModal<Tfrm_Beallit>([this](Tfrm_Beallit *w) {
        w->loginBox()->setChecked(true);
        w->okButton()->click();
        EXPECT_TRUE(w->isVisible()) << "refused: the window stays open";
        ASSERT_EQ(MessageBox::log().size(), 1);
        EXPECT_EQ(MessageBox::log()[0].kind, MessageBox::Error);
        EXPECT_TRUE(MessageBox::log()[0].text.contains("Felhasználók"));
        // an administrator gets a password: now it is taken
        db().execute("UPDATE felhasznalo SET jelszo = 'jelszo' WHERE felhasznalo = 'gazda'");
        w->okButton()->click();
    });
    ShowSettings();
    EXPECT_EQ(beallitRow(), "I 2 - - - 4");
    EXPECT_TRUE(beall().vanbelep);
    // switching it off needs nobody
    db().execute("DELETE FROM felhasznalo");
    whenModal<Tfrm_Beallit>([](Tfrm_Beallit *w) {
        EXPECT_TRUE(w->loginBox()->isChecked());
        w->loginBox()->setChecked(false);
        w->okButton()->click();
    });
    ShowSettings();
    EXPECT_FALSE(beall().vanbelep);
}

TEST_F(Settings, AMissingCashTypeSettingOffersTheSettingsAndStillRefuses)
{
    EXPECT_TRUE(CashTypeSettingReady(4, "Csekk befizetés kasszatípus"));
    EXPECT_TRUE(MessageBox::log().isEmpty());

    // No (the default): nothing opens
    EXPECT_FALSE(CashTypeSettingReady(-1, "kölcsönt törlesztem"));
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_TRUE(MessageBox::log()[0].text.contains("\"kölcsönt törlesztem\""));
    // Yes: the settings window opens, and what it sets is read again
    MessageBox::setNextAnswer(QMessageBox::Yes);
    whenModal<Tfrm_Beallit>([](Tfrm_Beallit *w) {
        chooseTypeNext(2);
        w->cashTypeButton(3)->click();
        w->okButton()->click();
    });
    EXPECT_FALSE(CashTypeSettingReady(-1, "kölcsönt törlesztem"));
    EXPECT_EQ(beall().kapkasszatip_vissza, 2);
    // without the administrator right only the reason is shown
    beall().rendszergazda = false;
    MessageBox::clearLog();
    EXPECT_FALSE(CashTypeSettingReady(-1, "kölcsönt törlesztem"));
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_EQ(MessageBox::log()[0].kind, MessageBox::Error);
}

TEST_F(Settings, NoCashBoxOffersTheCashBoxesWindowAndRefuses)
{
    EXPECT_TRUE(CashBoxReady(1));
    EXPECT_TRUE(CashBoxReady(-1));
    // the current box is gone, another exists: the chooser, and the chosen box becomes current
    Cassa() = 7;
    MessageBox::setNextAnswer(QMessageBox::Yes);
    whenModal<Tfrm_TorzsKassza>([](Tfrm_TorzsKassza *c) {
        EXPECT_TRUE(c->choiceMode());
        c->moveToKey(2);
        c->acceptRow();
    });
    EXPECT_FALSE(CashBoxReady(Cassa()));
    EXPECT_EQ(Cassa(), 2);
    // no cash box at all: the cash boxes window to create one
    db().execute("DELETE FROM kassza");
    MessageBox::clearLog();
    MessageBox::setNextAnswer(QMessageBox::Yes);
    whenModal<Tfrm_TorzsKassza>([](Tfrm_TorzsKassza *c) {
        EXPECT_FALSE(c->choiceMode());
        c->close();
    });
    EXPECT_FALSE(CashBoxReady(-1));
    ASSERT_EQ(MessageBox::log().size(), 1);
    EXPECT_TRUE(MessageBox::log()[0].text.startsWith("Még nincs egyetlen kassza sem."));
}

TEST_F(Settings, OwnerDataAreWrittenWithinTheirLengths)
{
    whenModal<Tfrm_Tulajdonos>([](Tfrm_Tulajdonos *d) {
        EXPECT_EQ(d->windowTitle(), "Tulajdonos adatai");
        for (int i = 0; i < Tfrm_Tulajdonos::FieldCount; ++i)
            EXPECT_EQ(d->edit(i)->maxLength(), Tfrm_Tulajdonos::columns()[size_t(i)].length);
        mdtest::typeText(d->edit("tulajdonos"), "Kiss Ödön és Kissné Űr Éva");
        mdtest::typeText(d->edit("irsz"), "1117123");  // five digits fit
        d->edit("bankszamlaszam")->setText("11773016-12345678-00000000");
        d->okButton()->click();
    });
    EXPECT_TRUE(EditOwner());
    EXPECT_EQ(rows("SELECT tulajdonos, irsz, bankszamlaszam, telefon FROM tulajdonos"),
              QList<QStringList>({{"Kiss Ödön és Kissné Űr Éva", "11171", "11773016-12345678-000000", ""}}));
    // the owner block of a printed report follows
    auto rep = buildPeriodMovements(db(), 0, -1, QDate(2024, 3, 1), QDate(2024, 3, 31));
    const QString pdf = folder.file(QStringLiteral("r.pdf"));
    QString error;
    ASSERT_TRUE(report::writePdf(report::layoutReport(*rep->report), pdf, &error)) << error.toStdString();
    EXPECT_TRUE(reporttest::pdfPages(pdf).join('\n').contains("Kiss Ödön és Kissné Űr Éva"));

    // a character the database cannot hold is refused, nothing written; Mégsem writes nothing
    whenModal<Tfrm_Tulajdonos>([](Tfrm_Tulajdonos *d) {
        EXPECT_EQ(d->edit("tulajdonos")->text(), "Kiss Ödön és Kissné Űr Éva");
        d->edit("varos")->setText("Budapest €");
        d->okButton()->click();
        EXPECT_TRUE(d->isVisible());
        d->cancelButton()->click();
    });
    EXPECT_FALSE(EditOwner());
    EXPECT_EQ(rows("SELECT COALESCE(varos, '') FROM tulajdonos"), QList<QStringList>({{""}}));
}
