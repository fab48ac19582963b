#include "felhasznaloszerkeszt.h"

#include "rightdelegate.h"
#include "userrules.h"
#include "admin/login/login.h"
#include "core/passwordhash.h"
#include "core/ui/messagebox.h"

#include "db/dataset.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorva {

namespace {

const char *const RightColumns[] = {"rendszergazda", "torzsszerkeszt", "szerkeszthet", "torolhet"};

void limitToField(QLineEdit *edit, TDataSet *ds, const QString &field, int fallback)
{
    const TField *f = ds ? ds->findField(field) : nullptr;
    edit->setMaxLength(f && f->size() > 0 ? f->size() : fallback);
}

}  // namespace

Tfrm_FelhasznaloSzerkeszt::Tfrm_FelhasznaloSzerkeszt(TDataSet *table, QWidget *parent)
    : EditDialog(QStringLiteral("frm_FelhasznaloSzerkeszt"),
                 QStringLiteral("Felhasználó adatainak szerkesztése"), OkWrites, parent)
{
    setDataSet(table);

    m_user = new QLineEdit(this);
    m_user->setObjectName(QStringLiteral("DBEdit1"));
    m_user->setMinimumWidth(260);
    addField(QStringLiteral("Felhasználó"), m_user);
    m_fullName = new QLineEdit(this);
    m_fullName->setObjectName(QStringLiteral("DBEdit2"));
    addField(QStringLiteral("Felhasználó neve"), m_fullName);

    fieldLayout()->addSpacing(8);
    m_admin = addRight(QStringLiteral("Rendszergazda (teljes jog)"), "DBCheckBox1");
    m_dataEntry = addRight(QStringLiteral("Szerkesztés (adatrögzítés)"), "DBCheckBox2");
    m_mayEdit = addRight(QStringLiteral("Tételt mentés után szerkeszthet"), "DBCheckBox3");
    m_mayDelete = addRight(QStringLiteral("Tételt törölhet"), "DBCheckBox4");
    fieldLayout()->addSpacing(4);

    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("DBEdit3"));
    m_password->setEchoMode(QLineEdit::Password);
    addField(QStringLiteral("Jelszó"), m_password);
    m_repeat = new QLineEdit(this);
    m_repeat->setObjectName(QStringLiteral("Edit1"));
    m_repeat->setEchoMode(QLineEdit::Password);
    addField(QStringLiteral("Jelszó még egyszer"), m_repeat);

    limitToField(m_user, table, QStringLiteral("felhasznalo"), 20);
    limitToField(m_fullName, table, QStringLiteral("felhasznalo_nev"), 20);
    m_password->setMaxLength(Tfrm_Login::MaxPasswordLength);
    m_repeat->setMaxLength(m_password->maxLength());
    // Hidden characters show as "*", whatever the style would draw.
    for (QLineEdit *edit : {m_password, m_repeat})
        edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));

    QWidget *order[] = {m_user,      m_fullName, m_admin,  m_dataEntry, m_mayEdit,
                        m_mayDelete, m_password, m_repeat, okButton(),  cancelButton()};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setFirstFocus(m_user);
}

QCheckBox *Tfrm_FelhasznaloSzerkeszt::addRight(const QString &caption, const char *objectName)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(QString::fromLatin1(objectName));
    // Enter moves on from a check box too, as from the text fields.
    box->installEventFilter(this);
    addWidget(box);
    return box;
}

bool Tfrm_FelhasznaloSzerkeszt::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QCheckBox *>(watched)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            focusNextChild();
            return true;
        }
    }
    return EditDialog::eventFilter(watched, event);
}

void Tfrm_FelhasznaloSzerkeszt::loadValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    const bool inserting = ds->state() == TDataSetState::dsInsert;
    m_storedUser = inserting ? QString() : ds->fieldByName(QStringLiteral("felhasznalo")).asString();
    m_user->setText(ds->fieldByName(QStringLiteral("felhasznalo")).asString());
    m_fullName->setText(ds->fieldByName(QStringLiteral("felhasznalo_nev")).asString());
    QCheckBox *boxes[] = {m_admin, m_dataEntry, m_mayEdit, m_mayDelete};
    for (size_t i = 0; i < std::size(boxes); ++i)
        boxes[i]->setChecked(
            RightDelegate::granted(ds->fieldByName(QString::fromLatin1(RightColumns[i])).value()));
    // The stored password is a hash: the fields start empty, and left empty they keep it.
    m_inserting = inserting;
    m_password->clear();
    m_repeat->clear();
}

void Tfrm_FelhasznaloSzerkeszt::refuse(const QString &text, QLineEdit *field)
{
    ShowError(text, this);
    if (field) {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}

void Tfrm_FelhasznaloSzerkeszt::accept()
{
    const QString user = m_user->text().trimmed();
    if (user.isEmpty())
        return refuse(QStringLiteral("Hiányos adat megadás"), m_user);
    if (m_inserting && m_password->text().isEmpty())
        return refuse(QStringLiteral("Hiányos adat megadás"), m_password);
    if (m_password->text() != m_repeat->text())
        return refuse(QStringLiteral("Hibás jelszó megadás"), m_repeat);
    const std::pair<QLineEdit *, const char *> texts[] = {
        {m_user, "A felhasználó nevében"}, {m_fullName, "A teljes névben"}, {m_password, "A jelszóban"}};
    for (const auto &[field, where] : texts) {
        if (!FitsCharacterSet(field->text()))
            return refuse(QString::fromUtf8(where) +
                              QStringLiteral(" olyan karakter van, amelyet az adatbázis nem tud tárolni."),
                          field);
    }
    const QString taken = TakenUserName(user, m_storedUser);
    if (!taken.isEmpty())
        return refuse(QStringLiteral("Már van ilyen nevű felhasználó: %1").arg(taken), m_user);
    if (LosesLastAdministrator(m_storedUser, m_admin->isChecked())) {
        ShowError(QStringLiteral("Legalább egy rendszergazdának maradnia kell: az utolsó rendszergazdától "
                                 "nem lehet elvenni ezt a jogot."),
                  this);
        m_admin->setFocus(Qt::OtherFocusReason);
        return;
    }
    EditDialog::accept();
}

void Tfrm_FelhasznaloSzerkeszt::storeValues()
{
    TDataSet *ds = dataSet();
    if (!ds)
        return;
    ds->fieldByName(QStringLiteral("felhasznalo")).setAsString(m_user->text().trimmed());
    TField &fullName = ds->fieldByName(QStringLiteral("felhasznalo_nev"));
    if (m_fullName->text().isEmpty())
        fullName.clear();
    else
        fullName.setAsString(m_fullName->text());
    const QCheckBox *boxes[] = {m_admin, m_dataEntry, m_mayEdit, m_mayDelete};
    for (size_t i = 0; i < std::size(boxes); ++i)
        ds->fieldByName(QString::fromLatin1(RightColumns[i]))
            .setAsString(boxes[i]->isChecked() ? QStringLiteral("I") : QStringLiteral("N"));
    if (!m_password->text().isEmpty())
        ds->fieldByName(QStringLiteral("jelszo")).setAsString(HashPassword(m_password->text()));
}

}  // namespace zorva
