#include "login.h"

#include "core/globals.h"
#include "core/passwordhash.h"
#include "core/ui/inputbehaviour.h"
#include "core/ui/inputtext.h"
#include "core/ui/messagebox.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringEncoder>

namespace zorva {

namespace {

const char *const InvalidLogin = "Érvénytelen felhasználó, vagy jelszó";

// Whether every character of the text has a place in the database's character set.
bool fitsLatin2(const QString &text)
{
    QStringEncoder encoder("ISO-8859-2");
    const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError() && !bytes.contains('\x1a');
}

}  // namespace

Tfrm_Login::Tfrm_Login(TmySQLDatabase &db, QWidget *parent) : QDialog(parent), Tbl(&db)
{
    setObjectName(QStringLiteral("frm_Login"));
    setWindowTitle(QStringLiteral("Belépés azonosítás"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Tbl.setObjectName(QStringLiteral("Tbl"));
    Tbl.setTableName(QStringLiteral("felhasznalo"));

    edtFelhasznalo = new QLineEdit(this);
    edtFelhasznalo->setObjectName(QStringLiteral("edtFelhasznalo"));
    edtJelszo = new QLineEdit(this);
    edtJelszo->setObjectName(QStringLiteral("edtJelszo"));
    edtJelszo->setEchoMode(QLineEdit::Password);
    edtJelszo->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));  // "*"
    btnUjJelszo = new QPushButton(QStringLiteral("Új jelszó"), this);
    btnUjJelszo->setObjectName(QStringLiteral("btnUjJelszo"));
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnMegsem = new QPushButton(QStringLiteral("Mégsem"), this);
    btnMegsem->setObjectName(QStringLiteral("btnMegsem"));
    // Enter moves between the fields and presses the button that has the focus; no
    // button is the default that would take Enter over from a field.
    for (QPushButton *b : {btnUjJelszo, btnOK, btnMegsem}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto *userLabel = new QLabel(QStringLiteral("Felhasználó"), this);
    userLabel->setBuddy(edtFelhasznalo);
    auto *passwordLabel = new QLabel(QStringLiteral("Jelszó"), this);
    passwordLabel->setBuddy(edtJelszo);

    auto *fields = new QGridLayout;
    fields->addWidget(userLabel, 0, 0);
    fields->addWidget(edtFelhasznalo, 0, 1);
    fields->addWidget(passwordLabel, 1, 0);
    fields->addWidget(edtJelszo, 1, 1);
    fields->setColumnMinimumWidth(1, 200);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnUjJelszo);
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnMegsem);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // From the password Enter reaches "OK" first: name, Enter, password, Enter, Enter signs in.
    setTabOrder(edtFelhasznalo, edtJelszo);
    setTabOrder(edtJelszo, btnOK);
    setTabOrder(btnOK, btnMegsem);
    setTabOrder(btnMegsem, btnUjJelszo);

    connect(btnOK, &QPushButton::clicked, this, guarded(this, &Tfrm_Login::okClicked));
    connect(btnUjJelszo, &QPushButton::clicked, this, guarded(this, &Tfrm_Login::newPasswordClicked));
    connect(btnMegsem, &QPushButton::clicked, this, guarded(this, &QDialog::reject));

    installFocusColor(this);
    installEnterAsTab(this);
    applyFontSize(this);
}

void Tfrm_Login::openTable()
{
    if (!Tbl.isActive())
        Tbl.open();
}

void Tfrm_Login::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    openTable();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    edtFelhasznalo->setFocus();
}

void Tfrm_Login::hideEvent(QHideEvent *event)
{
    Tbl.close();
    QDialog::hideEvent(event);
}

bool Tfrm_Login::locateUser(const QString &user)
{
    openTable();
    // The server compares names without regard to case; the sign-in must not.
    for (Tbl.first(); !Tbl.eof(); Tbl.next()) {
        if (Tbl.fieldByName(QStringLiteral("felhasznalo")).asString() == user)
            return true;
    }
    return false;
}

bool Tfrm_Login::checkUser(const QString &user, const QString &password)
{
    const PasswordCheck check =
        locateUser(user) ? CheckPassword(Tbl.fieldByName(QStringLiteral("jelszo")).asString(), password)
                         : PasswordCheck::Wrong;
    if (check == PasswordCheck::Wrong) {
        ShowError(QString::fromUtf8(InvalidLogin), this);
        return false;
    }
    if (check == PasswordCheck::MatchesAsTyped)
        replaceTypedPassword(password);
    auto granted = [this](const char *column) {
        const TField &f = Tbl.fieldByName(QString::fromLatin1(column));
        return !f.isNull() && f.asString() == QLatin1String("I");
    };
    TBeall &b = beall();
    b.rendszergazda = granted("rendszergazda");
    b.torzsszerkeszt = granted("torzsszerkeszt");
    b.szerkeszthet = granted("szerkeszthet");
    b.torolhet = granted("torolhet");
    return true;
}

void Tfrm_Login::replaceTypedPassword(const QString &password)
{
    // The sign-in stands also when the hash cannot be stored: the next one tries again.
    try {
        Tbl.edit();
        Tbl.fieldByName(QStringLiteral("jelszo")).setAsString(HashPassword(password));
        Tbl.post();
    } catch (...) {
        Tbl.cancel();
    }
}

void Tfrm_Login::okClicked()
{
    const bool ok = checkUser(edtFelhasznalo->text(), edtJelszo->text());
    beall().UserName = edtFelhasznalo->text();
    if (ok)
        accept();
}

void Tfrm_Login::newPasswordClicked()
{
    if (!checkUser(edtFelhasznalo->text(), edtJelszo->text()))
        return;
    QString first;
    if (!InputText(QStringLiteral("Jelszó megadása"), QStringLiteral("Add meg az új jelszót"), QString(),
                   first, this))
        return;
    if (first.isEmpty()) {
        ShowError(QStringLiteral("Hiányos adat megadás"), this);
        return;
    }
    if (first.size() > MaxPasswordLength) {
        ShowError(QStringLiteral("A jelszó legfeljebb %1 karakter lehet.").arg(MaxPasswordLength), this);
        return;
    }
    if (!fitsLatin2(first)) {
        ShowError(QStringLiteral("A jelszóban olyan karakter van, amelyet az adatbázis nem tud tárolni."),
                  this);
        return;
    }
    QString second;
    if (!InputText(QStringLiteral("Megerősítés"), QStringLiteral("Add újra az új jelszót"), QString(), second,
                   this))
        return;
    if (first != second) {
        ShowError(QStringLiteral("A megadott jelszavak nem egyezőek"), this);
        return;
    }
    // checkUser left the cursor on the user's row.
    Tbl.edit();
    try {
        Tbl.fieldByName(QStringLiteral("jelszo")).setAsString(HashPassword(first));
        Tbl.post();
    } catch (...) {
        Tbl.cancel();
        throw;
    }
    ShowInfo(QStringLiteral("Jelszó változtatás kész."), this);
}

int ExecLogin(TmySQLDatabase &db, QWidget *parent)
{
    Tfrm_Login dlg(db, parent);
    dlg.openTable();
    return dlg.exec();
}

}  // namespace zorva
