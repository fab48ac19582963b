#include "init.h"

#include "logo.h"
#include "admin/profiles/profileconnection.h"
#include "core/globals.h"
#include "core/programsettings.h"
#include "core/ui/inputbehaviour.h"
#include "core/ui/messagebox.h"
#include "core/ui/slotguard.h"
#include "core/ui/windowplace.h"
#include "db/database.h"
#include "db/errors.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorva {

namespace {

QPixmap logoPicture()
{
    QPixmap pm(96, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    paintLogoPicture(p, pm.rect());
    return pm;
}

}  // namespace

Tfrm_Init::Tfrm_Init(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_Init"));
    setWindowTitle(QStringLiteral("Adatbázis beállítás"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMinimumWidth(240);
        return e;
    };
    edtHost = edit("edtHost");
    edtUser = edit("edtUser");
    edtPassword = edit("edtPassword");
    edtPassword->setEchoMode(QLineEdit::Password);
    edtDatabase = edit("edtDatabase");
    edtName = edit("edtName");
    edtPort = edit("edtPort");
    edtPort->setText(QStringLiteral("3306"));
    edtPort->setMaxLength(5);

    btnTest = new QPushButton(QStringLiteral("Kapcsolat tesztelése"), this);
    btnTest->setObjectName(QStringLiteral("btnTest"));
    btnOK = new QPushButton(QStringLiteral("Rendben"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setEnabled(false);
    btnCancel = new QPushButton(QStringLiteral("Mégsem"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton *b : {btnTest, btnOK, btnCancel})
        b->setAutoDefault(false);

    auto *fields = new QGridLayout;
    const std::pair<const char *, QLineEdit *> rows[] = {
        {"Kiszolgáló (webszerver) név, vagy IP cím", edtHost},
        {"Felhasználó", edtUser},
        {"Jelszó", edtPassword},
        {"Tárhely, vagy adatbázis neve", edtDatabase},
        {"Adatbázis megjelenített neve", edtName},
        {"Port", edtPort},
    };
    int row = 0;
    for (const auto &[label, field] : rows) {
        auto *l = new QLabel(QString::fromUtf8(label), this);
        l->setBuddy(field);
        fields->addWidget(l, row, 0);
        fields->addWidget(field, row, 1);
        ++row;
    }
    edtPort->setMaximumWidth(80);

    auto *picture = new QLabel(this);
    picture->setPixmap(logoPicture());
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(8);
    top->addLayout(fields, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnTest);
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(edtHost, edtUser);
    setTabOrder(edtUser, edtPassword);
    setTabOrder(edtPassword, edtDatabase);
    setTabOrder(edtDatabase, edtName);
    setTabOrder(edtName, edtPort);
    setTabOrder(edtPort, btnTest);
    setTabOrder(btnTest, btnOK);
    setTabOrder(btnOK, btnCancel);

    connect(btnTest, &QPushButton::clicked, this, guarded(this, &Tfrm_Init::testConnection));
    connect(btnOK, &QPushButton::clicked, this, guarded(this, &Tfrm_Init::accept));
    connect(btnCancel, &QPushButton::clicked, this, guarded(this, &QDialog::reject));

    installFocusColor(this);
    installEnterAsTab(this, true);
}

void Tfrm_Init::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    restoreDialogPos(this);
    edtHost->setFocus();
}

void Tfrm_Init::done(int result)
{
    storeDialogPos(this);
    QDialog::done(result);
}

QString Tfrm_Init::conStr() const
{
    const QChar sep(u';');
    return edtDatabase->text() + sep + edtHost->text() + sep + edtPort->text().trimmed() + sep +
           edtUser->text() + sep + edtPassword->text() + sep + edtName->text();
}

bool Tfrm_Init::checkPort(int &port)
{
    if (parsePort(edtPort->text(), port))
        return true;
    ShowError(portErrorText(edtPort->text()), this);
    edtPort->setFocus();
    edtPort->selectAll();
    return false;
}

bool Tfrm_Init::testConnection()
{
    int port = 0;
    if (!checkPort(port))
        return false;
    TmySQLDatabase test;
    test.setConnectOptions(coCompress);
    test.setParams({QStringLiteral("TIMEOUT=30")});
    test.setHost(edtHost->text());
    test.setUserName(edtUser->text());
    test.setUserPassword(edtPassword->text());
    test.setDatabaseName(edtDatabase->text());
    test.setPort(port);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        test.open();
    } catch (const EmySQLDatabaseError &e) {
        QApplication::restoreOverrideCursor();
        ShowError(QStringLiteral("Hiba: ") + e.message(), this);
        return false;
    }
    QApplication::restoreOverrideCursor();
    btnOK->setEnabled(true);
    btnOK->setFocus();
    test.close();
    return true;
}

void Tfrm_Init::accept()
{
    int port = 0;
    if (!checkPort(port))
        return;
    if (!writeConnectionProfile(1, conStr(), IniPath()))
        ShowWarning(QStringLiteral("A beállítások nem menthetők ide: %1\nA kapcsolat most használható, de a "
                                   "következő indításkor újra meg kell adni.")
                        .arg(IniPath()),
                    this);
    QDialog::accept();
}

bool OpenConnectionDialog(QWidget *parent)
{
    Tfrm_Init dlg(parent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    beall().ConStr = dlg.conStr();
    return true;
}

}  // namespace zorva
