#include "szerkeszt.h"

#include "entrychoosers.h"
#include "entryroutines.h"
#include "core/dbhelpers/datasettext.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/numberformat.h"
#include "core/texthelpers.h"
#include "core/ui/application.h"
#include "core/ui/inputbehaviour.h"
#include "core/ui/messagebox.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"
#include "db/database.h"
#include "db/errors.h"
#include "db/query.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace zorva {

namespace {

const QString fDatum = QStringLiteral("datum");
const QString fKassza = QStringLiteral("kassza");
const QString fKasszatip = QStringLiteral("kasszatip");
const QString fUgyfel = QStringLiteral("ugyfel");
const QString fOsszeg = QStringLiteral("osszeg");
const QString fSzoveg = QStringLiteral("szoveg");

QLabel *label(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

QLineEdit *nameField(const QString &objectName, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setMinimumWidth(220);
    return e;
}

QPushButton *chooserButton(const QString &objectName, const QString &hint, QWidget *parent)
{
    auto *b = new QPushButton(QStringLiteral("..."), parent);
    b->setObjectName(objectName);
    b->setToolTip(hint);
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    return b;
}

// The amount shown for editing: every digit it has, the locale's decimal separator,
// no grouping (the display format of the list could round away decimals).
QString amountText(double value)
{
    return FormatFloat(QString(), std::fabs(value));
}

}  // namespace

Tfrm_Szerkeszt::Tfrm_Szerkeszt(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Szerkeszt"));
    setWindowTitle(QStringLiteral("Kassza tétel Szerkesztés"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    Tbl.setObjectName(QStringLiteral("Tbl"));
    defineBuffer();

    edtDatum = new QDateEdit(this);
    edtDatum->setObjectName(QStringLiteral("edtDatum"));
    edtDatum->setCalendarPopup(true);
    edtDatum->setDisplayFormat(QStringLiteral("yyyy.MM.dd."));
    edtDatum->setDate(QDate::currentDate());

    edtOsszeg = new QLineEdit(this);
    edtOsszeg->setObjectName(QStringLiteral("edtOsszeg"));
    QFont amountFont(QStringLiteral("Arial"));
    amountFont.setPixelSize(19);
    amountFont.setBold(true);
    edtOsszeg->setFont(amountFont);
    edtOsszeg->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    edtSzoveg = new QLineEdit(this);
    edtSzoveg->setObjectName(QStringLiteral("edtSzoveg"));
    edtSzoveg->setMaxLength(MaxTextLength);
    edtSzoveg->setMinimumWidth(320);

    edtKasszatip = nameField(QStringLiteral("edtKasszatip"), this);
    edtUgyfel = nameField(QStringLiteral("edtUgyfel"), this);
    btnKasszatip =
        chooserButton(QStringLiteral("btnKasszatip"), QStringLiteral("Kassza típus választása"), this);
    btnUgyfel = chooserButton(QStringLiteral("btnUgyfel"), QStringLiteral("Ügyfél választása"), this);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnMegsem = new QPushButton(QStringLiteral("Mégsem"), this);
    btnMegsem->setObjectName(QStringLiteral("btnMegsem"));
    // Enter walks the fields; it presses a button only when the button has the focus.
    for (QPushButton *b : {btnOK, btnMegsem, btnKasszatip, btnUgyfel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto *grid = new QGridLayout;
    grid->addWidget(label(QStringLiteral("dátum"), edtDatum, this), 0, 0);
    grid->addWidget(edtDatum, 0, 1, Qt::AlignLeft);
    grid->addWidget(label(QStringLiteral("kasszatípus"), btnKasszatip, this), 1, 0);
    grid->addWidget(edtKasszatip, 1, 1);
    grid->addWidget(btnKasszatip, 1, 2);
    grid->addWidget(label(QStringLiteral("kitől/kinek"), btnUgyfel, this), 2, 0);
    grid->addWidget(edtUgyfel, 2, 1);
    grid->addWidget(btnUgyfel, 2, 2);
    grid->addWidget(label(QStringLiteral("összeg"), edtOsszeg, this), 3, 0);
    grid->addWidget(edtOsszeg, 3, 1);
    grid->addWidget(label(QStringLiteral("szöveg"), edtSzoveg, this), 4, 0);
    grid->addWidget(edtSzoveg, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnMegsem);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(edtDatum, edtOsszeg);
    setTabOrder(edtOsszeg, edtSzoveg);
    setTabOrder(edtSzoveg, btnOK);
    setTabOrder(btnOK, btnMegsem);
    setTabOrder(btnMegsem, btnKasszatip);
    setTabOrder(btnKasszatip, btnUgyfel);

    connect(btnOK, &QPushButton::clicked, this, guarded(this, &Tfrm_Szerkeszt::okClicked));
    connect(btnMegsem, &QPushButton::clicked, this, guarded(this, &QDialog::reject));
    connect(btnKasszatip, &QPushButton::clicked, this, guarded(this, &Tfrm_Szerkeszt::cashTypeClicked));
    connect(btnUgyfel, &QPushButton::clicked, this, guarded(this, &Tfrm_Szerkeszt::clientClicked));

    installFocusColor(this);
    installEnterAsTab(this);
    applyFontSize(this);
}

Tfrm_Szerkeszt::~Tfrm_Szerkeszt() = default;

void Tfrm_Szerkeszt::defineBuffer()
{
    Tbl.addFieldDef(QStringLiteral("hid"), TFieldType::ftInteger);
    Tbl.addFieldDef(QStringLiteral("hazikassza"), TFieldType::ftInteger);
    Tbl.addFieldDef(fKassza, TFieldType::ftInteger);
    Tbl.addFieldDef(QStringLiteral("idoszak"), TFieldType::ftString, 6);
    Tbl.addFieldDef(fUgyfel, TFieldType::ftInteger);
    Tbl.addFieldDef(fDatum, TFieldType::ftDate);
    Tbl.addFieldDef(fKasszatip, TFieldType::ftInteger);
    Tbl.addFieldDef(QStringLiteral("nyito"), TFieldType::ftFloat);
    Tbl.addFieldDef(fOsszeg, TFieldType::ftFloat);
    Tbl.addFieldDef(QStringLiteral("zaro"), TFieldType::ftFloat);
    Tbl.addFieldDef(fSzoveg, TFieldType::ftString, MaxTextLength);
    Tbl.addFieldDef(QStringLiteral("bevetel"), TFieldType::ftFloat);
    Tbl.addFieldDef(QStringLiteral("kiadas"), TFieldType::ftFloat);
    Tbl.createTable();
    for (const char *money : {"nyito", "osszeg", "zaro", "bevetel", "kiadas"})
        Tbl.fieldByName(QString::fromLatin1(money)).setDisplayFormat(MoneyFormat());
}

void Tfrm_Szerkeszt::openNew(int kasszatip, int ugyfel)
{
    m_hid = -1;
    edtDatum->setEnabled(true);
    Tbl.emptyTable();
    Tbl.append();
    Tbl.fieldByName(fDatum).setAsDate(QDate::currentDate());
    Tbl.fieldByName(fKassza).setAsInteger(Cassa());
    Tbl.fieldByName(fUgyfel).setAsInteger(ugyfel);
    Tbl.fieldByName(fKasszatip).setAsInteger(kasszatip);
    showBuffer();
}

bool Tfrm_Szerkeszt::openExisting(int hid)
{
    m_hid = hid;
    edtDatum->setEnabled(false);
    TmySQLQuery Qry(&mainConnection());
    Qry.setSQL(QStringList{QStringLiteral("SELECT * FROM hazikassza"), QStringLiteral("WHERE hid=:phid;")});
    Qry.paramByName(QStringLiteral("phid")).setAsInteger(hid);
    Qry.open();
    if (Qry.isEmpty()) {
        Qry.close();
        ShowError(
            QStringLiteral("A tétel nem található (azonosító: %1); lehet, hogy közben törölték.").arg(hid),
            parentWidget());
        return false;
    }
    Tbl.emptyTable();
    CopyRowByName(Qry, Tbl);
    Qry.close();
    Tbl.edit();
    TField &osszeg = Tbl.fieldByName(fOsszeg);
    osszeg.setAsFloat(std::fabs(osszeg.asFloat()));
    showBuffer();
    return true;
}

void Tfrm_Szerkeszt::showBuffer()
{
    showNames();
    const QDate datum = Tbl.fieldByName(fDatum).asDate();
    edtDatum->setDate(datum.isValid() ? datum : QDate::currentDate());
    const TField &osszeg = Tbl.fieldByName(fOsszeg);
    edtOsszeg->setText(osszeg.isNull() ? QString() : amountText(osszeg.asFloat()));
    edtSzoveg->setText(Tbl.fieldByName(fSzoveg).asString());
}

void Tfrm_Szerkeszt::showNames()
{
    edtKasszatip->setText(LookupName(Tbl.fieldByName(fKasszatip).asInteger(), fKasszatip, QString()));
    edtUgyfel->setText(LookupName(Tbl.fieldByName(fUgyfel).asInteger(), fUgyfel, QString()));
    edtKasszatip->setCursorPosition(0);
    edtUgyfel->setCursorPosition(0);
}

void Tfrm_Szerkeszt::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    restoreDialogPos(this);
    if (edtDatum->isEnabled())
        edtDatum->setFocus();
    else
        edtOsszeg->setFocus();
}

void Tfrm_Szerkeszt::done(int r)
{
    if (isVisible())
        storeDialogPos(this);
    if (r != QDialog::Accepted && Tbl.state() != TDataSetState::dsBrowse)
        Tbl.cancel();
    if (r != QDialog::Accepted)
        Tbl.emptyTable();
    QDialog::done(r);
}

bool Tfrm_Szerkeszt::amountFromText(const QString &text, double *amount)
{
    QString t = text.trimmed();
    // A currency after the number is allowed ("12,50 Ft").
    if (t.endsWith(QLatin1String("Ft"), Qt::CaseInsensitive))
        t.chop(2);
    // Anything but digits, separators, spaces and a sign is a typing mistake, not a
    // character to be dropped: "1O00" must not become 100.
    for (const QChar c : t) {
        if (!c.isDigit() && !c.isSpace() && c != QLatin1Char(',') && c != QLatin1Char('.') &&
            c != QLatin1Char('-') && c != QChar(0x00A0) && c != QChar(0x202F))
            return false;
        if (c.isDigit() && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return false;
    }
    const double v = ParseAmount(t, std::numeric_limits<double>::quiet_NaN());
    if (!std::isfinite(v))
        return false;
    *amount = v;
    return true;
}

bool Tfrm_Szerkeszt::checkInput(double *amount)
{
    if (edtOsszeg->text().trimmed().isEmpty()) {
        ShowError(QStringLiteral("Add meg a tétel összegét."), this);
        edtOsszeg->setFocus();
        return false;
    }
    if (!amountFromText(edtOsszeg->text(), amount)) {
        ShowError(QStringLiteral("Az összeg csak szám lehet (például 1500 vagy 12,50), ez nem az: „%1”.")
                      .arg(edtOsszeg->text().trimmed()),
                  this);
        edtOsszeg->setFocus();
        edtOsszeg->selectAll();
        return false;
    }
    const QString bad = UnstorableChars(edtSzoveg->text());
    if (!bad.isEmpty()) {
        ShowError(QStringLiteral("A szövegben olyan karakter van, amelyet az adatbázis nem tud tárolni: %1")
                      .arg(bad),
                  this);
        edtSzoveg->setFocus();
        return false;
    }
    return true;
}

void Tfrm_Szerkeszt::okClicked()
{
    double amount = 0;
    if (!checkInput(&amount))
        return;
    writeEntry(amount);
}

void Tfrm_Szerkeszt::writeEntry(double amount)
{
    Tbl.fieldByName(fDatum).setAsDate(edtDatum->date());
    Tbl.fieldByName(fOsszeg).setAsFloat(amount);
    Tbl.fieldByName(fSzoveg).setAsString(edtSzoveg->text());
    Tbl.post();

    const int kassza = Tbl.fieldByName(fKassza).asInteger();
    const int kasszatip = Tbl.fieldByName(fKasszatip).asInteger();
    const int ugyfel = Tbl.fieldByName(fUgyfel).asInteger();
    const QString szoveg = Tbl.fieldByName(fSzoveg).asString();
    const double osszeg = Tbl.fieldByName(fOsszeg).asFloat();
    const QDate datum = Tbl.fieldByName(fDatum).asDate();
    try {
        if (isNewEntry()) {
            m_resultId = InsertEntry(kassza, kasszatip, ugyfel, szoveg, osszeg, datum);
        } else {
            UpdateEntry(m_hid, kassza, kasszatip, szoveg, osszeg, ugyfel, datum);
            m_resultId = m_hid;
        }
    } catch (const EmySQLDatabaseError &e) {
        // Nothing was written: the user sees why and may correct the entry or cancel.
        Tbl.edit();
        showGlobalError(e);
        return;
    }
    accept();
}

void Tfrm_Szerkeszt::cashTypeClicked()
{
    const int chosen = chooseEntryCashType(Tbl.fieldByName(fKasszatip).asInteger(), this);
    if (chosen == -1)
        return;
    Tbl.fieldByName(fKasszatip).setAsInteger(chosen);
    showNames();
}

void Tfrm_Szerkeszt::clientClicked()
{
    const int chosen = chooseEntryClient(Tbl.fieldByName(fUgyfel).asInteger(), this);
    if (chosen == -1)
        return;
    Tbl.fieldByName(fUgyfel).setAsInteger(chosen);
    showNames();
}

int EditEntry(int id, QWidget *parent)
{
    int kasszatip = -1;
    int ugyfel = -1;
    if (id == -1) {
        kasszatip = chooseEntryCashType(-1, parent);
        if (kasszatip == -1)
            return -1;
        ugyfel = chooseEntryClient(-1, parent);
        if (ugyfel == -1)
            return -1;
    }
    Tfrm_Szerkeszt dlg(parent);
    if (id == -1)
        dlg.openNew(kasszatip, ugyfel);
    else if (!dlg.openExisting(id))
        return -1;
    if (dlg.exec() != QDialog::Accepted)
        return -1;
    return dlg.resultId();
}

}  // namespace zorva
