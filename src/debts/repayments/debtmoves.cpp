#include "debtmoves.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/dbhelpers/proccalls.h"
#include "core/globals.h"
#include "core/numberformat.h"
#include "core/ui/messagebox.h"
#include "entries/dialogs/inpszamszoveg.h"
#include "entries/editor/entryroutines.h"
#include "masterdata/cashboxes/cashboxcheck.h"
#include "masterdata/cashtypes/torzskasszatip.h"
#include "masterdata/settings/beallit.h"

#include <cmath>

namespace zorva {

namespace {

// The database keeps amounts to 4 decimals; the checks compare what it would store.
double rounded(double value)
{
    return std::round(value * 10000.0) / 10000.0;
}

int sign(double value)
{
    return (value > 0) - (value < 0);
}

QString amountShown(double value)
{
    return FormatFloat(beall().Format, value);
}

bool refuse(const QString &problem, QWidget *parent)
{
    if (problem.isEmpty())
        return false;
    ShowError(problem, parent);
    return true;
}

// The movement's remark column holds 50 characters.
QString NoteProblem(const QString &note)
{
    if (note.size() > 50)
        return QStringLiteral("A megjegyzés legfeljebb 50 karakter lehet.");
    return {};
}

}  // namespace

QString RepaymentProblem(const DebtRecord &debt, double amount)
{
    const double marad = rounded(debt.marad);
    const double osszeg = rounded(amount);
    if (debt.tartozik <= 0)
        return QStringLiteral("Nincs kiválasztott tartozás.");
    if (debt.megadva || marad == 0)
        return QStringLiteral("Ez a tartozás már rendezve van, nincs mit törleszteni.");
    if (osszeg == 0)
        return QStringLiteral("Nincs összeg megadva");
    if (sign(osszeg) != sign(marad) || std::abs(osszeg) > std::abs(marad))
        return QStringLiteral("A törlesztés (%1) nem lehet több a még fennálló összegnél (%2).")
            .arg(amountShown(amount), amountShown(debt.marad));
    return {};
}

QString FurtherLoanProblem(double osszeg, double amount)
{
    const double value = rounded(amount);
    if (value == 0)
        return QStringLiteral("Nincs összeg megadva");
    const double loan = rounded(osszeg);
    if (loan != 0 && sign(value) != sign(loan))
        return QStringLiteral("A további kölcsön (%1) előjele nem térhet el a kölcsönétől (%2).")
            .arg(amountShown(amount), amountShown(osszeg));
    return {};
}

bool CheckCashTypeSet(int kasszatip, const QString &settingName, QWidget *parent)
{
    return CashTypeSettingReady(kasszatip, settingName, parent) && CashBoxReady(Cassa(), parent);
}

void UndoEntryOnFailure(int hid, const std::function<void()> &step)
{
    try {
        step();
    } catch (...) {
        // 0: the id was lost with a re-connection, the entry cannot be found again.
        if (hid > 0) {
            try {
                ExecSql(QStringLiteral("CALL sp_kassza_del(%1);").arg(hid));
            } catch (...) {
            }
        }
        throw;
    }
}

bool RepayDebt(const DebtRecord &debt, int kasszatip, QWidget *parent)
{
    if (refuse(RepaymentProblem(debt, debt.marad), parent))
        return false;
    double amount = debt.marad;
    QString note;
    if (!AskAmountAndText(QStringLiteral("Törlesztés"), QStringLiteral("Add meg a törlesztett összeget"),
                          amount, QStringLiteral("Megjegyzés"), note, parent))
        return false;
    // What the procedure would refuse is refused before anything is booked.
    if (refuse(RepaymentProblem(debt, amount), parent) || refuse(NoteProblem(note), parent))
        return false;
    const int hid = InsertEntryToday(Cassa(), kasszatip, debt.ugyfel,
                                     QStringLiteral("Törlesztés: ") + debt.ugyfelNev, amount);
    UndoEntryOnFailure(hid, [&] { ExecSql(callTorleszt(debt.tartozik, amount, note)); });
    return true;
}

bool SettleDebt(const DebtRecord &debt, const std::function<void()> &afterBooking, QWidget *parent)
{
    if (refuse(RepaymentProblem(debt, debt.marad), parent))
        return false;
    const int kasszatip = ChooseKasszaTip(-1, true, debt.claim ? 1 : -1, parent);
    if (kasszatip == -1)
        return false;
    const int hid = InsertEntryToday(Cassa(), kasszatip, debt.ugyfel,
                                     QStringLiteral("Törlesztés: ") + debt.ugyfelNev, debt.marad);
    UndoEntryOnFailure(hid, [&] { ExecSql(callTorleszt(debt.tartozik, debt.marad, QString())); });
    if (afterBooking)
        afterBooking();
    return true;
}

bool LendMore(const DebtRecord &debt, double osszeg, int kasszatip, QWidget *parent)
{
    if (debt.tartozik <= 0)
        return false;
    double amount = 0;
    QString note;
    if (!AskAmountAndText(QStringLiteral("További kölcsön"),
                          QStringLiteral("Add meg a kölcsönadott összeget"), amount,
                          QStringLiteral("Megjegyzés"), note, parent))
        return false;
    if (refuse(FurtherLoanProblem(osszeg, amount), parent) || refuse(NoteProblem(note), parent))
        return false;
    const int hid = InsertEntryToday(Cassa(), kasszatip, debt.ugyfel,
                                     QStringLiteral("További kölcsön: ") + debt.ugyfelNev, amount);
    UndoEntryOnFailure(hid, [&] { ExecSql(callMegkolcsonad(debt.tartozik, amount, note)); });
    return true;
}

}  // namespace zorva
