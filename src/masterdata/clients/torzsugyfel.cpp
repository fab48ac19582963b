#include "torzsugyfel.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/numberformat.h"
#include "core/sqltext.h"
#include "core/ui/shell.h"
#include "core/ui/slotguard.h"

#include "db/dataset.h"
#include "db/errors.h"
#include "db/table.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>

namespace zorva {

namespace {

QLabel *labelFor(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

}  // namespace

QLineEdit *Tfrm_TorzsUgyfel::textField(const QString &objectName, int maxLength)
{
    auto *e = new QLineEdit;
    e->setObjectName(objectName);
    e->setMaxLength(maxLength);  // the column's length: a longer text could not be written
    return e;
}

Tfrm_TorzsUgyfel::Tfrm_TorzsUgyfel(TDataSet *table, QWidget *parent)
    : EditDialog(QStringLiteral("frm_TorzsUgyfel"), QStringLiteral("Ügyfél adatok szerkesztése"),
                 CallerWrites, parent ? parent : QApplication::activeWindow())
{
    setDataSet(table);

    m_nev = textField(QStringLiteral("ugyfel_nev"), 50);
    m_nev->setFont(emphasisFont());
    m_kapcsolat = textField(QStringLiteral("kapcsolat"), 50);
    m_telefon = textField(QStringLiteral("telefon"), 50);
    m_irsz = textField(QStringLiteral("cim_irsz"), 10);
    m_irsz->setFixedWidth(70);
    m_irsz->installEventFilter(this);
    m_varos = textField(QStringLiteral("cim_varos"), 30);
    m_cim = textField(QStringLiteral("cim_cim"), 50);
    m_emil = textField(QStringLiteral("emil"), 100);
    m_bankszamla = textField(QStringLiteral("bankszamla"), 40);
    m_tartozik = new QLineEdit;
    m_tartozik->setObjectName(QStringLiteral("tartozik"));
    m_tartozik->setReadOnly(true);
    m_tartozik->setFocusPolicy(Qt::NoFocus);
    m_tartozik->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont debtFont = m_tartozik->font();
    debtFont.setBold(true);
    m_tartozik->setFont(debtFont);
    m_tartozik->setFixedWidth(120);

    m_mail = new QToolButton;
    m_mail->setObjectName(QStringLiteral("btnLevel"));
    m_mail->setText(QStringLiteral("@"));
    m_mail->setToolTip(QStringLiteral("Levél küldése"));
    m_mail->setFocusPolicy(Qt::TabFocus);
    connect(m_mail, &QToolButton::clicked, this, guarded(this, &Tfrm_TorzsUgyfel::sendMail));

    m_pages = new QTabWidget(this);
    auto *page = new QWidget;
    m_pages->addTab(page, QStringLiteral("Ügyfél adatok"));
    auto *grid = new QGridLayout(page);
    grid->setVerticalSpacing(2);
    // Row 1: the name over the whole width.
    grid->addWidget(labelFor(QStringLiteral("ügyfél"), m_nev, page), 0, 0, 1, 6);
    grid->addWidget(m_nev, 1, 0, 1, 6);
    // Row 2: contact and telephone.
    grid->addWidget(labelFor(QStringLiteral("kapcsolattartó"), m_kapcsolat, page), 2, 0, 1, 3);
    grid->addWidget(m_kapcsolat, 3, 0, 1, 3);
    grid->addWidget(labelFor(QStringLiteral("telefon"), m_telefon, page), 2, 3, 1, 3);
    grid->addWidget(m_telefon, 3, 3, 1, 3);
    // Row 3: postal code, city, street address.
    grid->addWidget(labelFor(QStringLiteral("irsz"), m_irsz, page), 4, 0);
    grid->addWidget(m_irsz, 5, 0);
    grid->addWidget(labelFor(QStringLiteral("város"), m_varos, page), 4, 1, 1, 2);
    grid->addWidget(m_varos, 5, 1, 1, 2);
    grid->addWidget(labelFor(QStringLiteral("cím"), m_cim, page), 4, 3, 1, 3);
    grid->addWidget(m_cim, 5, 3, 1, 3);
    // Row 4: e-mail with its button, bank account.
    auto *mailRow = new QHBoxLayout;
    mailRow->setSpacing(2);
    mailRow->addWidget(m_emil, 1);
    mailRow->addWidget(m_mail);
    grid->addWidget(labelFor(QStringLiteral("emil"), m_emil, page), 6, 0, 1, 3);
    grid->addLayout(mailRow, 7, 0, 1, 3);
    grid->addWidget(labelFor(QStringLiteral("bankszámla"), m_bankszamla, page), 6, 3, 1, 3);
    grid->addWidget(m_bankszamla, 7, 3, 1, 3);
    // The debt balance at the lower right, just above "OK" and "Mégsem".
    auto *debtRow = new QHBoxLayout;
    debtRow->addStretch(1);
    debtRow->addWidget(new QLabel(QStringLiteral("tartozik"), page));
    debtRow->addWidget(m_tartozik);
    grid->addLayout(debtRow, 8, 0, 1, 6);
    grid->setRowMinimumHeight(8, 34);
    grid->setColumnMinimumWidth(1, 90);
    grid->setColumnMinimumWidth(2, 90);
    grid->setColumnMinimumWidth(3, 110);
    grid->setColumnMinimumWidth(4, 110);
    grid->setColumnMinimumWidth(5, 110);
    addWidget(m_pages);

    QWidget::setTabOrder(m_nev, m_kapcsolat);
    QWidget::setTabOrder(m_kapcsolat, m_telefon);
    QWidget::setTabOrder(m_telefon, m_irsz);
    QWidget::setTabOrder(m_irsz, m_varos);
    QWidget::setTabOrder(m_varos, m_cim);
    QWidget::setTabOrder(m_cim, m_emil);
    QWidget::setTabOrder(m_emil, m_bankszamla);
    QWidget::setTabOrder(m_bankszamla, okButton());
    QWidget::setTabOrder(okButton(), cancelButton());
    QWidget::setTabOrder(cancelButton(), m_mail);
    setFirstFocus(m_nev);
}

void Tfrm_TorzsUgyfel::loadValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    const std::pair<QLineEdit *, const char *> fields[] = {
        {m_nev, "ugyfel_nev"}, {m_kapcsolat, "kapcsolat"},  {m_telefon, "telefon"},
        {m_irsz, "cim_irsz"},  {m_varos, "cim_varos"},      {m_cim, "cim_cim"},
        {m_emil, "emil"},      {m_bankszamla, "bankszamla"}};
    for (const auto &[edit, name] : fields)
        edit->setText(ds->fieldByName(QString::fromLatin1(name)).asString());
    m_tartozik->setText(FormatFloat(MoneyFormat(), ds->fieldByName(QStringLiteral("tartozik")).asFloat()));
}

void Tfrm_TorzsUgyfel::storeValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    const std::pair<QLineEdit *, const char *> fields[] = {
        {m_nev, "ugyfel_nev"}, {m_kapcsolat, "kapcsolat"},  {m_telefon, "telefon"},
        {m_irsz, "cim_irsz"},  {m_varos, "cim_varos"},      {m_cim, "cim_cim"},
        {m_emil, "emil"},      {m_bankszamla, "bankszamla"}};
    for (const auto &[edit, name] : fields)
        ds->fieldByName(QString::fromLatin1(name)).setAsString(edit->text());
}

void Tfrm_TorzsUgyfel::fillCityFromPostalCode()
{
    if (!m_varos->text().isEmpty())
        return;
    // The code is written as a full string literal: a quote or a backslash in it cannot
    // end the literal early.
    m_varos->setText(QueryText(
        QStringLiteral("SELECT varos FROM irsz WHERE irsz=") + SqlText(m_irsz->text()) + QStringLiteral(";"),
        QString()));
}

void Tfrm_TorzsUgyfel::sendMail()
{
    QUrl url(QStringLiteral("mailto:") + m_emil->text().trimmed());
    if (!url.isValid())
        url = QUrl(QStringLiteral("mailto:"));
    Shell::openUrl(url);
}

bool Tfrm_TorzsUgyfel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_irsz && event->type() == QEvent::FocusOut && isVisible())
        runGuarded([this] { fillCityFromPostalCode(); });
    return EditDialog::eventFilter(watched, event);
}

int EditClient(int id, QWidget *parent)
{
    TmySQLTable tbl(&mainConnection());
    tbl.setObjectName(QStringLiteral("Tbl"));
    tbl.setTableName(QStringLiteral("ugyfel"));
    tbl.setIndexFieldNames(QStringLiteral("ugyfel"));
    tbl.open();
    if (id == -1) {
        tbl.append();
    } else {
        if (!tbl.locate(QStringLiteral("ugyfel"), id)) {
            // Never edit some other client instead.
            throw EmySQLDatabaseError(QStringLiteral("Az ügyfél nem található (%1)").arg(id));
        }
        tbl.edit();
    }
    Tfrm_TorzsUgyfel dialog(&tbl, parent);
    if (dialog.exec() != QDialog::Accepted) {
        tbl.cancel();
        return -1;
    }
    EditDialog::postPending(tbl);
    return tbl.fieldByName(QStringLiteral("ugyfel")).asInteger();
}

}  // namespace zorva
