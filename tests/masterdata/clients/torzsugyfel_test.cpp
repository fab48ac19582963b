#include "entries/dialogs/dialogfixture.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/ui/messagebox.h"
#include "core/ui/shell.h"
#include "masterdata/clients/torzsugyfel.h"
#include "sql/zorvaschema.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace zorva;
using dialogtest::onNextModal;

namespace {

class ClientDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_SERVER();
        schema = std::make_unique<sqltest::ZorvaSchema>();
        setMainConnection(&schema->db());
        Shell::clearLog();
        exec(
            "INSERT INTO irsz (irsz, varos) VALUES ('7621', 'Pécs'), ('12''3', 'Idézet'), ('9\\\\', "
            "'Perjel')");
        exec(
            "INSERT INTO ugyfel (ugyfel, ugyfel_nev, kapcsolat, telefon, cim_irsz, cim_varos, cim_cim, emil, "
            "bankszamla, tartozik) VALUES (5, 'Vízművek', 'Ügyfélszolgálat', '06-72-1', '7621', 'Pécs', "
            "'Fő utca 1.', 'info@viz.hu', '11111111-22222222', -2500)");
    }
    void TearDown() override { setMainConnection(nullptr); }

    void exec(const char *sql) { schema->db().execute(QString::fromUtf8(sql)); }
    QStringList row(int id)
    {
        const auto r = sqltest::rows(
            schema->db(), QStringLiteral("SELECT ugyfel_nev, kapcsolat, telefon, cim_irsz, cim_varos, "
                                         "cim_cim, emil, bankszamla FROM ugyfel WHERE ugyfel=%1")
                              .arg(id));
        return r.isEmpty() ? QStringList() : r.first();
    }
    int count() { return int(schema->db().queryInt(QStringLiteral("SELECT COUNT(*) FROM ugyfel"))); }
    static Tfrm_TorzsUgyfel *dialog(QWidget *w) { return static_cast<Tfrm_TorzsUgyfel *>(w); }
    // Tab from the focused field, as the user leaves it.
    static void tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }

    dialogtest::SettingsFile settings;
    std::unique_ptr<sqltest::ZorvaSchema> schema;
};

}  // namespace

TEST_F(ClientDialogTest, NewClientWithCityFromPostalCode)
{
    onNextModal([](QWidget *w) {
        Tfrm_TorzsUgyfel *d = dialog(w);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Ügyfél adatok szerkesztése"));
        EXPECT_EQ(d->pages()->tabText(0), QStringLiteral("Ügyfél adatok"));
        EXPECT_EQ(QApplication::focusWidget(), d->nameEdit());
        dialogtest::typeText(d->nameEdit(), QStringLiteral("Kertész Kft"));
        QTest::keyClick(d->nameEdit(), Qt::Key_Return);  // Enter moves on like Tab
        EXPECT_EQ(QApplication::focusWidget(), d->contactEdit());
        d->postalCodeEdit()->setFocus();
        dialogtest::typeText(d->postalCodeEdit(), QStringLiteral("7621"));
        tab();
        EXPECT_EQ(d->cityEdit()->text(), QStringLiteral("Pécs"));
        EXPECT_EQ(QApplication::focusWidget(), d->cityEdit());
        // A city typed by hand is not overwritten when the code is left again.
        d->cityEdit()->setText(QStringLiteral("Pécs-Vasas"));
        d->postalCodeEdit()->setFocus();
        tab();
        EXPECT_EQ(d->cityEdit()->text(), QStringLiteral("Pécs-Vasas"));
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    const int id = EditClient(-1);
    ASSERT_GT(id, 5);
    EXPECT_EQ(row(id), (QStringList{"Kertész Kft", "", "", "7621", "Pécs-Vasas", "", "", ""}));
}

TEST_F(ClientDialogTest, PostalCodesWithQuoteOrBackslashAreLookedUpLiterally)
{
    onNextModal([](QWidget *w) {
        Tfrm_TorzsUgyfel *d = dialog(w);
        const std::pair<QString, QString> cases[] = {
            {QStringLiteral("12'3"), QStringLiteral("Idézet")},
            {QStringLiteral("9\\"), QStringLiteral("Perjel")},
            {QStringLiteral("1'; DROP TABLE irsz; --"), QString()},
            {QStringLiteral("0000"), QString()},  // unknown: empty, no message
        };
        for (const auto &[code, city] : cases) {
            d->cityEdit()->clear();
            d->postalCodeEdit()->setText(code);
            d->postalCodeEdit()->setFocus();
            tab();
            EXPECT_EQ(d->cityEdit()->text(), city) << code.toStdString();
        }
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_EQ(EditClient(-1), -1);
    EXPECT_EQ(schema->db().queryInt(QStringLiteral("SELECT COUNT(*) FROM irsz")), 3);
    EXPECT_TRUE(MessageBox::log().isEmpty());
}

TEST_F(ClientDialogTest, CancellingWritesNothing)
{
    const int before = count();
    onNextModal([](QWidget *w) {
        dialogtest::typeText(dialog(w)->nameEdit(), QStringLiteral("Senki"));
        QTest::mouseClick(dialog(w)->cancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(EditClient(-1), -1);
    EXPECT_EQ(count(), before);

    onNextModal([](QWidget *w) {
        dialog(w)->phoneEdit()->setText(QStringLiteral("más"));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_EQ(EditClient(5), -1);
    EXPECT_EQ(row(5).at(2), QStringLiteral("06-72-1"));
}

TEST_F(ClientDialogTest, EditingShowsTheRowAndWritesTheChanges)
{
    onNextModal([](QWidget *w) {
        Tfrm_TorzsUgyfel *d = dialog(w);
        EXPECT_EQ(d->nameEdit()->text(), QStringLiteral("Vízművek"));
        EXPECT_EQ(d->contactEdit()->text(), QStringLiteral("Ügyfélszolgálat"));
        EXPECT_EQ(d->cityEdit()->text(), QStringLiteral("Pécs"));
        EXPECT_EQ(d->bankAccountEdit()->text(), QStringLiteral("11111111-22222222"));
        EXPECT_EQ(d->debtEdit()->text(), QStringLiteral("-2 500"));
        EXPECT_TRUE(d->debtEdit()->isReadOnly());
        EXPECT_EQ(d->debtEdit()->focusPolicy(), Qt::NoFocus);
        // Tab order: name, contact, phone, code, city, address, e-mail, account, OK, Mégsem, mail.
        QList<QWidget *> order;
        QWidget *f = d->nameEdit();
        for (int i = 0; i < 11; ++i, f = f->nextInFocusChain()) {
            while (!(f->focusPolicy() & Qt::TabFocus) || !f->isVisible())
                f = f->nextInFocusChain();
            order << f;
        }
        EXPECT_EQ(order,
                  (QList<QWidget *>{d->nameEdit(), d->contactEdit(), d->phoneEdit(), d->postalCodeEdit(),
                                    d->cityEdit(), d->addressEdit(), d->mailEdit(), d->bankAccountEdit(),
                                    d->okButton(), d->cancelButton(), d->mailButton()}));
        d->phoneEdit()->setText(QStringLiteral("06-72-999"));
        d->addressEdit()->setText(QStringLiteral("Rákóczi út 7."));
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    EXPECT_EQ(EditClient(5), 5);
    EXPECT_EQ(row(5), (QStringList{"Vízművek", "Ügyfélszolgálat", "06-72-999", "7621", "Pécs",
                                   "Rákóczi út 7.", "info@viz.hu", "11111111-22222222"}));
    EXPECT_EQ(schema->db().queryText(QStringLiteral("SELECT tartozik FROM ugyfel WHERE ugyfel=5")),
              QStringLiteral("-2500"));
}

TEST_F(ClientDialogTest, MailButtonUsesTheTypedAddress)
{
    onNextModal([](QWidget *w) {
        Tfrm_TorzsUgyfel *d = dialog(w);
        d->mailEdit()->clear();
        QTest::mouseClick(d->mailButton(), Qt::LeftButton);
        d->mailEdit()->setText(QStringLiteral("uj@viz.hu"));
        QTest::mouseClick(d->mailButton(), Qt::LeftButton);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_EQ(EditClient(5), -1);
    const auto log = Shell::log();
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0].url.toString(), QStringLiteral("mailto:"));
    EXPECT_EQ(log[1].url.toString(), QStringLiteral("mailto:uj@viz.hu"));
    EXPECT_EQ(row(5).at(6), QStringLiteral("info@viz.hu"));  // the mail button saves nothing
}

TEST_F(ClientDialogTest, AClientThatIsGoneIsNotReplacedByAnother)
{
    EXPECT_THROW(EditClient(77), EmySQLDatabaseError);
    EXPECT_EQ(row(5).at(0), QStringLiteral("Vízművek"));
}
