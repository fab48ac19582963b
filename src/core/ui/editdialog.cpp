#include "editdialog.h"

#include "inputbehaviour.h"
#include "messagebox.h"
#include "slotguard.h"
#include "windowplace.h"

#include "core/dbhelpers/mainconnection.h"
#include "db/dataset.h"
#include "db/errors.h"

#include <QDateEdit>
#include <QFont>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorva {

EditDialog::EditDialog(const QString &objectName, const QString &caption, WriteMode mode, QWidget *parent,
                       bool ctrlEnterAccepts)
    : QDialog(parent), m_mode(mode)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_fields = new QVBoxLayout;
    m_fields->setSpacing(2);
    layout->addLayout(m_fields);
    layout->addSpacing(10);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setAutoDefault(false);
    m_cancel = new QPushButton(QStringLiteral("Mégsem"), this);
    m_cancel->setObjectName(QStringLiteral("BitBtn2"));
    m_cancel->setAutoDefault(false);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, guarded(this, &EditDialog::accept));
    connect(m_cancel, &QPushButton::clicked, this, guarded(this, &EditDialog::reject));

    installFocusColor(this);
    installEnterAsTab(this, ctrlEnterAccepts);
}

EditDialog::~EditDialog() = default;

void EditDialog::setDataSet(TDataSet *dataSet)
{
    m_ds = dataSet;
}

TDataSet *EditDialog::dataSet() const
{
    return m_ds;
}

QLineEdit *EditDialog::amountBox(const QString &objectName, int width)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(objectName);
    box->setFont(emphasisFont());
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFixedWidth(width);
    return box;
}

QLineEdit *EditDialog::readOnlyBox(const QString &objectName, int width)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(objectName);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFixedWidth(width);
    return box;
}

QDateEdit *EditDialog::datePicker(const QString &objectName)
{
    auto *picker = new QDateEdit(this);
    picker->setObjectName(objectName);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("yyyy.MM.dd."));
    picker->setFixedWidth(130);
    return picker;
}

QFont EditDialog::emphasisFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    font.setBold(true);
    return font;
}

QLabel *EditDialog::addField(const QString &label, QWidget *field)
{
    auto *l = new QLabel(label, this);
    l->setBuddy(field);
    if (m_fields->count() > 0)
        m_fields->addSpacing(6);
    m_fields->addWidget(l);
    m_fields->addWidget(field);
    if (!m_firstFocus)
        m_firstFocus = field;
    return l;
}

void EditDialog::addWidget(QWidget *widget)
{
    m_fields->addWidget(widget);
}

QString EditDialog::refusalText(const QString &reason)
{
    return QStringLiteral("Hiányos, vagy hibás adatmegadás") + QStringLiteral("\r\n") + reason;
}

void EditDialog::postPending(TDataSet &table)
{
    try {
        table.post();
    } catch (...) {
        table.cancel();
        throw;
    }
}

void EditDialog::load()
{
    m_loaded = true;
    loadValues();
}

bool EditDialog::checkValues(QString *)
{
    return true;
}

void EditDialog::writeRow()
{
    if (m_ds)
        m_ds->post();
}

void EditDialog::accept()
{
    QString reason;
    if (!checkValues(&reason)) {
        ShowError(refusalText(reason), this);
        return;
    }
    if (!textsStorable())
        return;
    try {
        storeValues();
        if (m_mode == OkWrites)
            writeRow();
    } catch (const EmySQLDatabaseError &e) {
        // Nothing was written; the dialog keeps what the user typed.
        ShowError(refusalText(e.message()), this);
        return;
    }
    QDialog::accept();
}

QString EditDialog::unstorableReason(const QString &label, const QString &text) const
{
    QString bad;
    try {
        bad = UnstorableChars(text);
    } catch (const EmySQLDatabaseError &) {
        return {};  // no database open: nothing to compare with
    }
    if (bad.isEmpty())
        return {};
    return QStringLiteral("A(z) \"%1\" mezőben olyan karakter van, amelyet az adatbázis nem tud tárolni: %2")
        .arg(label, bad);
}

bool EditDialog::textsStorable()
{
    // The label of a field is the one whose buddy it is.
    QHash<const QWidget *, QString> labels;
    for (const QLabel *l : findChildren<QLabel *>())
        if (l->buddy())
            labels.insert(l->buddy(), l->text().remove(QLatin1Char('&')));
    const auto refused = [&](QWidget *field, const QString &text) {
        if (!field->isVisibleTo(this) || !field->isEnabled())
            return false;
        const QString reason = unstorableReason(labels.value(field, field->objectName()), text);
        if (reason.isEmpty())
            return false;
        ShowError(refusalText(reason), this);
        field->setFocus(Qt::OtherFocusReason);
        return true;
    };
    for (QLineEdit *e : findChildren<QLineEdit *>())
        if (!e->isReadOnly() && refused(e, e->text()))
            return false;
    for (QPlainTextEdit *e : findChildren<QPlainTextEdit *>())
        if (!e->isReadOnly() && refused(e, e->toPlainText()))
            return false;
    return true;
}

void EditDialog::reject()
{
    if (m_mode == OkWrites && m_ds && m_ds->isActive() && m_ds->state() != TDataSetState::dsBrowse)
        m_ds->cancel();
    QDialog::reject();
}

void EditDialog::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        restoreDialogPos(this);
        if (!m_loaded)
            load();
        if (m_firstFocus)
            m_firstFocus->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

void EditDialog::done(int result)
{
    if (m_placed)
        storeDialogPos(this);
    QDialog::done(result);
}

}  // namespace zorva
