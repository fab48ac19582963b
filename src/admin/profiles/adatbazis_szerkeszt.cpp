#include "adatbazis_szerkeszt.h"

#include "profileconnection.h"
#include "core/cp1250.h"
#include "core/ui/slotguard.h"

#include "core/ui/windowplace.h"
#include "db/dataset.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace zorva {

namespace {

// The profile record separates its fields by ";": a field holding one would be read back
// split in two.
const QChar kSeparator = u';';

QLineEdit *newEdit(QWidget *parent, const char *name, int maxLength)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    e->setMinimumWidth(250);
    return e;
}

}  // namespace

Tfrm_Adatbazis_Szerkeszt::Tfrm_Adatbazis_Szerkeszt(TDataSet *list, QWidget *parent)
    : EditDialog(QStringLiteral("frm_Adatbazis_Szerkeszt"), QStringLiteral("Tárhely"), OkWrites, parent, true)
{
    setDataSet(list);
    m_name = newEdit(this, "DBEdit1", 50);
    addField(QStringLiteral("Megjelenített név"), m_name);
    m_host = newEdit(this, "DBEdit2", 50);
    addField(QStringLiteral("Kiszolgáló"), m_host);
    m_user = newEdit(this, "DBEdit3", 50);
    addField(QStringLiteral("Felhasználó"), m_user);

    auto *passwordRow = new QWidget(this);
    auto *rowLayout = new QHBoxLayout(passwordRow);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->setSpacing(2);
    m_password = newEdit(passwordRow, "DBEdit4", 50);
    m_password->setMinimumWidth(250 - 24);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    m_showPassword = new QToolButton(passwordRow);
    m_showPassword->setObjectName(QStringLiteral("btnJelszo"));
    m_showPassword->setText(QStringLiteral("*"));
    m_showPassword->setToolTip(QStringLiteral("Jelszó mutatása / elrejtése"));
    m_showPassword->setCheckable(true);
    m_showPassword->setFocusPolicy(Qt::NoFocus);
    m_showPassword->setFixedSize(22, 22);
    rowLayout->addWidget(m_password, 1);
    rowLayout->addWidget(m_showPassword);
    addField(QStringLiteral("Jelszó"), passwordRow)->setBuddy(m_password);
    connect(m_showPassword, &QToolButton::clicked, this,
            guarded(this, &Tfrm_Adatbazis_Szerkeszt::togglePassword));

    m_database = newEdit(this, "DBEdit5", 50);
    addField(QStringLiteral("Adatbázis / tárhely"), m_database);
    m_port = newEdit(this, "DBEdit6", 5);
    m_port->setMinimumWidth(80);
    m_port->setMaximumWidth(80);
    addField(QStringLiteral("Port"), m_port);

    QWidget *order[] = {m_name, m_host, m_user, m_password, m_database, m_port, okButton(), cancelButton()};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setFirstFocus(m_name);
}

void Tfrm_Adatbazis_Szerkeszt::togglePassword()
{
    const bool hidden = m_password->echoMode() == QLineEdit::Password;
    m_password->setEchoMode(hidden ? QLineEdit::Normal : QLineEdit::Password);
    m_showPassword->setChecked(hidden);
    m_password->setFocus(Qt::OtherFocusReason);
}

void Tfrm_Adatbazis_Szerkeszt::showEvent(QShowEvent *event)
{
    EditDialog::showEvent(event);
    // Font size 9 whatever the font-size setting.
    applyFontSize(this, 9);
}

void Tfrm_Adatbazis_Szerkeszt::loadValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    m_name->setText(ds->fieldByName(QStringLiteral("adatbazisnev")).asString());
    m_host->setText(ds->fieldByName(QStringLiteral("kiszolgalo")).asString());
    m_user->setText(ds->fieldByName(QStringLiteral("felhasznalo")).asString());
    m_password->setText(ds->fieldByName(QStringLiteral("jelszo")).asString());
    m_database->setText(ds->fieldByName(QStringLiteral("adatbazis")).asString());
    const TField &port = ds->fieldByName(QStringLiteral("port"));
    m_port->setText(port.isNull() ? QString() : QString::number(port.asInteger()));
}

bool Tfrm_Adatbazis_Szerkeszt::checkValues(QString *reason)
{
    const std::pair<QLineEdit *, const char *> texts[] = {{m_name, "Megjelenített név"},
                                                          {m_host, "Kiszolgáló"},
                                                          {m_user, "Felhasználó"},
                                                          {m_password, "Jelszó"},
                                                          {m_database, "Adatbázis / tárhely"}};
    for (const auto &[edit, label] : texts) {
        if (edit->text().contains(kSeparator)) {
            *reason = QStringLiteral("A(z) \"%1\" mezőben nem lehet pontosvessző (;).")
                          .arg(QString::fromUtf8(label));
            edit->setFocus(Qt::OtherFocusReason);
            return false;
        }
        // The settings file keeps a profile on one line, scrambled by its Windows-1250
        // codes below 255: a line break or any other character would come back altered.
        // A control character's code plus one may be a line break in the file.
        QString bad;
        for (const QChar c : edit->text()) {
            const int code = cp1250Byte(c.unicode());
            QString shown = c;
            if (c == QLatin1Char('\r'))
                shown = QStringLiteral("CR");
            else if (c == QLatin1Char('\n'))
                shown = QStringLiteral("LF");
            else if (c.unicode() < 0x20)
                shown = QStringLiteral("#%1").arg(c.unicode());
            if ((code < 0 || code == 255 || c.unicode() < 0x20) && !bad.contains(shown))
                bad += (bad.isEmpty() ? QString() : QStringLiteral(" ")) + shown;
        }
        if (!bad.isEmpty()) {
            *reason = QStringLiteral(
                          "A(z) \"%1\" mezőben olyan karakter van, amelyet a beállítások fájlja nem "
                          "tud tárolni: %2")
                          .arg(QString::fromUtf8(label), bad);
            edit->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    int port = 0;
    if (!m_port->text().trimmed().isEmpty() && !parsePort(m_port->text(), port)) {
        *reason = portErrorText(m_port->text());
        m_port->setFocus(Qt::OtherFocusReason);
        m_port->selectAll();
        return false;
    }
    return true;
}

void Tfrm_Adatbazis_Szerkeszt::storeValues()
{
    TDataSet *ds = dataSet();
    if (!ds)
        return;
    ds->fieldByName(QStringLiteral("adatbazisnev")).setAsString(m_name->text());
    ds->fieldByName(QStringLiteral("kiszolgalo")).setAsString(m_host->text());
    ds->fieldByName(QStringLiteral("felhasznalo")).setAsString(m_user->text());
    ds->fieldByName(QStringLiteral("jelszo")).setAsString(m_password->text());
    ds->fieldByName(QStringLiteral("adatbazis")).setAsString(m_database->text());
    TField &port = ds->fieldByName(QStringLiteral("port"));
    int value = 0;
    if (parsePort(m_port->text(), value))
        port.setAsInteger(value);
    else
        port.clear();
}

}  // namespace zorva
