#include "dialogfixture.h"

#include "core/globals.h"
#include "core/ui/messagebox.h"
#include "entries/dialogs/dialogclock.h"
#include "entries/dialogs/idoszak.h"
#include "entries/dialogs/inpstr.h"
#include "entries/dialogs/inpszamszoveg.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace zorva;
using dialogtest::buttonOf;
using dialogtest::onNextModal;

namespace {

class InputDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MessageBox::clearLog();
        MessageBox::clearAnswers();
    }
    void TearDown() override
    {
        setDialogClock({});
        QLocale::setDefault(QLocale::system());
    }
    static void today(const QDate &d)
    {
        setDialogClock([d] { return d; });
    }
    dialogtest::SettingsFile settings;
};

// Presses an interval button, then "OK", on the date dialog that opens; returns its dates.
std::pair<QDate, QDate> chooseInterval(const QString &button)
{
    QDate from(2000, 1, 1), to(2000, 1, 2);
    onNextModal([button](QWidget *dlg) {
        QTest::mouseClick(buttonOf(dlg, button), Qt::LeftButton);
        QTest::mouseClick(buttonOf(dlg, QStringLiteral("OK")), Qt::LeftButton);
    });
    EXPECT_TRUE(AskDateRange(from, to));
    return {from, to};
}

}  // namespace

TEST_F(InputDialogTest, IntervalButtonsAroundTheTurnOfTheYear)
{
    using D = std::pair<QDate, QDate>;
    // 30 December 2013 is the Monday of ISO week 1 of 2014.
    today(QDate(2013, 12, 30));
    EXPECT_EQ(chooseInterval(QStringLiteral("Ez a hét")), D(QDate(2013, 12, 30), QDate(2014, 1, 5)));
    EXPECT_EQ(chooseInterval(QStringLiteral("Csak a mai nap")), D(QDate(2013, 12, 30), QDate(2013, 12, 30)));
    EXPECT_EQ(chooseInterval(QStringLiteral("Idén")), D(QDate(2013, 1, 1), QDate(2013, 12, 31)));
    // A Sunday belongs to the week that began six days earlier.
    today(QDate(2014, 1, 5));
    EXPECT_EQ(chooseInterval(QStringLiteral("Ez a hét")), D(QDate(2013, 12, 30), QDate(2014, 1, 5)));
    // January: the previous month is December of the year before.
    today(QDate(2014, 1, 15));
    EXPECT_EQ(chooseInterval(QStringLiteral("Múlt hónap")), D(QDate(2013, 12, 1), QDate(2013, 12, 31)));
    // March 31st: February of a leap year, not a day shifted into March.
    today(QDate(2012, 3, 31));
    EXPECT_EQ(chooseInterval(QStringLiteral("Múlt hónap")), D(QDate(2012, 2, 1), QDate(2012, 2, 29)));
    today(QDate(2012, 2, 10));
    EXPECT_EQ(chooseInterval(QStringLiteral("Ez a hónap")), D(QDate(2012, 2, 1), QDate(2012, 2, 29)));
}

TEST_F(InputDialogTest, DateRangeKeepsPresetsAndDoesNotCorrectAReversedRange)
{
    QDate from(2014, 5, 20), to(2014, 5, 1);
    onNextModal([](QWidget *dlg) {
        auto *d = static_cast<Tfrm_Idoszak *>(dlg);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Időszak megadása"));
        EXPECT_EQ(d->fromEdit()->date(), QDate(2014, 5, 20));
        EXPECT_EQ(d->toEdit()->date(), QDate(2014, 5, 1));
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(AskDateRange(from, to));
    EXPECT_EQ(from, QDate(2014, 5, 20));
    EXPECT_EQ(to, QDate(2014, 5, 1));

    // Esc cancels and leaves both dates alone, also after a button changed the pickers.
    today(QDate(2013, 12, 30));
    onNextModal([](QWidget *dlg) {
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Bevételek"));
        QTest::mouseClick(buttonOf(dlg, QStringLiteral("Idén")), Qt::LeftButton);
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    EXPECT_FALSE(AskDateRange(from, to, QStringLiteral("Bevételek")));
    EXPECT_EQ(from, QDate(2014, 5, 20));
    EXPECT_EQ(to, QDate(2014, 5, 1));
}

TEST_F(InputDialogTest, DateRangeEnterMovesOnAndCtrlEnterAccepts)
{
    QDate from(2014, 5, 1), to(2014, 5, 31);
    onNextModal([](QWidget *dlg) {
        auto *d = static_cast<Tfrm_Idoszak *>(dlg);
        d->activateWindow();
        d->fromEdit()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(d->isVisible());  // Enter alone never accepts
        EXPECT_TRUE(d->toEdit()->isAncestorOf(QApplication::focusWidget()) ||
                    QApplication::focusWidget() == d->toEdit());
        d->toEdit()->setDate(QDate(2014, 6, 30));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
    });
    ASSERT_TRUE(AskDateRange(from, to));
    EXPECT_EQ(to, QDate(2014, 6, 30));
}

TEST_F(InputDialogTest, PeriodMaskShowsTheDotButReturnsSixDigits)
{
    QString value = QStringLiteral("201302");
    onNextModal([](QWidget *dlg) {
        auto *d = static_cast<Tfrm_InpStr *>(dlg);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Időszak"));
        EXPECT_EQ(d->edit()->displayText(), QStringLiteral("2013.02"));
        EXPECT_EQ(d->edit()->selectedText(), d->edit()->text());    // the value starts selected
        dialogtest::typeText(d->edit(), QStringLiteral("201411"));  // replaces the selection
        EXPECT_EQ(d->edit()->displayText(), QStringLiteral("2014.11"));
        QTest::keyClick(d->edit(), Qt::Key_Return);  // "OK" is the default button
    });
    ASSERT_TRUE(AskText(QStringLiteral("Időszak"), QStringLiteral("Add meg az időszakot (pl. 2013.02)"),
                        QStringLiteral("0000.00;0;_"), -1, value));
    EXPECT_EQ(value, QStringLiteral("201411"));

    // Letters do not get into a digit place; cancelling keeps the old value.
    onNextModal([](QWidget *dlg) {
        auto *d = static_cast<Tfrm_InpStr *>(dlg);
        dialogtest::typeText(d->edit(), QStringLiteral("ab2"));
        EXPECT_EQ(d->value(), QStringLiteral("2"));
        QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
    });
    EXPECT_FALSE(AskText(QStringLiteral("Időszak"), QStringLiteral("Add meg az időszakot!"),
                         QStringLiteral("0000.00;0;_"), -1, value));
    EXPECT_EQ(value, QStringLiteral("201411"));
}

TEST_F(InputDialogTest, TextWithoutMaskHonoursTheLengthLimit)
{
    QString value = QStringLiteral("régi");
    onNextModal([](QWidget *dlg) {
        auto *d = static_cast<Tfrm_InpStr *>(dlg);
        EXPECT_EQ(d->edit()->text(), QStringLiteral("régi"));
        d->edit()->clear();
        dialogtest::typeText(d->edit(), QStringLiteral("Kovács Ödön"));
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(AskText(QStringLiteral("Név"), QStringLiteral("Add meg a nevet"), QString(), 6, value));
    EXPECT_EQ(value, QStringLiteral("Kovács"));
}

TEST_F(InputDialogTest, AmountOnADecimalCommaLocale)
{
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    double amount = 25000.75;
    QString text;
    onNextModal([](QWidget *dlg) {
        auto *d = static_cast<Tfrm_InpSzamSzoveg *>(dlg);
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Törlesztés"));
        EXPECT_EQ(d->amountEdit()->text(), QStringLiteral("25000,75"));  // no grouping
        EXPECT_TRUE(d->amountEdit()->alignment() & Qt::AlignRight);
        d->amountEdit()->clear();
        dialogtest::typeText(d->amountEdit(), QStringLiteral("1x2 3a4,5Ft"));  // only digits and "," get in
        EXPECT_EQ(d->amountEdit()->text(), QStringLiteral("1234,5"));
        QTest::keyClick(d->amountEdit(), Qt::Key_Return);  // on to the remark
        EXPECT_EQ(QApplication::focusWidget(), d->textEdit());
        dialogtest::typeText(d->textEdit(), QStringLiteral("utolsó részlet"));
        QTest::mouseClick(d->okButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(AskAmountAndText(QStringLiteral("Törlesztés"),
                                 QStringLiteral("Add meg a törlesztett összeget"), amount,
                                 QStringLiteral("Megjegyzés"), text));
    EXPECT_DOUBLE_EQ(amount, 1234.5);
    EXPECT_EQ(text, QStringLiteral("utolsó részlet"));
    EXPECT_TRUE(MessageBox::log().isEmpty());
}

TEST_F(InputDialogTest, AmountThatIsNoNumberIsRefusedButCtrlEnterTakesItAsZero)
{
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    double amount = 0;
    QString text;
    onNextModal([](QWidget *dlg) {
        auto *d = static_cast<Tfrm_InpSzamSzoveg *>(dlg);
        EXPECT_EQ(d->amountEdit()->text(), QStringLiteral("0"));
        // "1e3" (pasted) would read as 13: found by the amount fuzz target.
        for (const QString &typed :
             {QStringLiteral("-"), QStringLiteral("1.5"), QString(), QStringLiteral("1e3")}) {
            d->amountEdit()->setText(typed);
            d->textEdit()->setFocus();
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
            EXPECT_TRUE(d->isVisible()) << typed.toStdString();
            EXPECT_EQ(QApplication::focusWidget(), d->amountEdit());
        }
        d->amountEdit()->setText(QStringLiteral("-"));
        QTest::keyClick(d->textEdit(), Qt::Key_Return, Qt::ControlModifier);
    });
    ASSERT_TRUE(AskAmountAndText(QStringLiteral("További kölcsön"),
                                 QStringLiteral("Add meg a kölcsönadott összeget"), amount,
                                 QStringLiteral("Megjegyzés"), text));
    EXPECT_DOUBLE_EQ(amount, 0);
    ASSERT_EQ(MessageBox::log().size(), 4);
    for (const auto &shown : MessageBox::log()) {
        EXPECT_EQ(shown.caption, QStringLiteral("Hiba"));
        EXPECT_EQ(shown.text, QStringLiteral("Nem megfelelő érték."));
    }

    // Esc gives nothing back.
    amount = 7;
    onNextModal([](QWidget *dlg) {
        static_cast<Tfrm_InpSzamSzoveg *>(dlg)->amountEdit()->setText(QStringLiteral("99"));
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    EXPECT_FALSE(
        AskAmountAndText(QStringLiteral("x"), QStringLiteral("y"), amount, QStringLiteral("z"), text));
    EXPECT_DOUBLE_EQ(amount, 7);
}

TEST_F(InputDialogTest, DialogsComeBackWhereTheyWereClosed)
{
    onNextModal([](QWidget *dlg) {
        dlg->move(123, 87);
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    QString value;
    AskText(QStringLiteral("a"), QStringLiteral("b"), QString(), -1, value);
    onNextModal([](QWidget *dlg) {
        EXPECT_EQ(dlg->pos(), QPoint(123, 87));
        EXPECT_EQ(dlg->objectName(), QStringLiteral("frm_InpStr"));
        QTest::keyClick(dlg, Qt::Key_Escape);
    });
    AskText(QStringLiteral("a"), QStringLiteral("b"), QString(), -1, value);
}
