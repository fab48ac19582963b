#include "torzsfix_szerkeszt.h"

#include "lookupcombo.h"
#include "core/ui/slotguard.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/numberformat.h"
#include "entries/dialogs/ugyfelvalaszt.h"
#include "entries/editor/szerkeszt.h"
#include "masterdata/cashtypes/torzskasszatip.h"

#include "db/database.h"
#include "db/dataset.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>

namespace zorva {

namespace {

const QString fKasszatip = QStringLiteral("kasszatip");
const QString fUgyfel = QStringLiteral("ugyfel");
const QString fOsszeg = QStringLiteral("osszeg");
const QString fSzoveg = QStringLiteral("szoveg");
constexpr int MaxTextLength = 255;

QPushButton *chooserButton(const QString &objectName, const QString &hint, QWidget *parent)
{
    auto *b = new QPushButton(QStringLiteral("..."), parent);
    b->setObjectName(objectName);
    b->setToolTip(hint);
    b->setAutoDefault(false);
    b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 12);
    return b;
}

// A drop-down with its chooser button at its right, as one row of the dialog.
QWidget *comboRow(QWidget *combo, QWidget *button, QWidget *parent)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(combo, 1);
    layout->addWidget(button);
    return row;
}

}  // namespace

Tfrm_Torzsfix_Szerkeszt::Tfrm_Torzsfix_Szerkeszt(TDataSet *table, TDataSet *types, TDataSet *clients,
                                                 QWidget *parent)
    : EditDialog(QStringLiteral("frm_Torzsfix_Szerkeszt"), QStringLiteral("Fix tétel szerkesztés"), OkWrites,
                 parent),
      m_types(types),
      m_clients(clients)
{
    setDataSet(table);

    m_type = new LookupCombo(this);
    m_type->setObjectName(QStringLiteral("DBLookupComboBox1"));
    m_type->setLookup(types, fKasszatip, QStringLiteral("kasszatip_nev"), false);
    m_typeButton =
        chooserButton(QStringLiteral("SpeedButton1"), QStringLiteral("Kassza típus választás"), this);
    addField(QStringLiteral("kasszatípus"), comboRow(m_type, m_typeButton, this));

    m_amount = new QLineEdit(this);
    m_amount->setObjectName(QStringLiteral("DBEdit1"));
    m_amount->setFont(emphasisFont());
    addField(QStringLiteral("összeg"), m_amount);

    m_client = new LookupCombo(this);
    m_client->setObjectName(QStringLiteral("DBLookupComboBox2"));
    m_client->setLookup(clients, fUgyfel, QStringLiteral("ugyfel_nev"), true);
    m_clientButton = chooserButton(QStringLiteral("SpeedButton2"), QStringLiteral("Ügyfél választás"), this);
    addField(QStringLiteral("ügyfél"), comboRow(m_client, m_clientButton, this));

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("DBMemo1"));
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setTabChangesFocus(true);
    m_text->setFixedSize(340, 80);
    addField(QStringLiteral("szöveg"), m_text);

    setFirstFocus(m_type);
    setTabOrder(m_type, m_amount);
    setTabOrder(m_amount, m_client);
    setTabOrder(m_client, m_text);
    setTabOrder(m_text, okButton());
    setTabOrder(okButton(), cancelButton());
    setTabOrder(cancelButton(), m_typeButton);
    setTabOrder(m_typeButton, m_clientButton);

    connect(m_typeButton, &QPushButton::clicked, this, guarded(this, &Tfrm_Torzsfix_Szerkeszt::chooseType));
    connect(m_clientButton, &QPushButton::clicked, this,
            guarded(this, &Tfrm_Torzsfix_Szerkeszt::chooseClient));
}

void Tfrm_Torzsfix_Szerkeszt::loadValues()
{
    TDataSet *ds = dataSet();
    if (!ds || !ds->isActive())
        return;
    m_type->setKey(ds->fieldByName(fKasszatip).value());
    m_client->setKey(ds->fieldByName(fUgyfel).value());
    const TField &osszeg = ds->fieldByName(fOsszeg);
    // Every digit of the amount: the list's format would round the decimals away.
    m_amount->setText(osszeg.isNull() ? QString() : FormatFloat(QString(), osszeg.asFloat()));
    m_loadedText = ds->fieldByName(fSzoveg).asString();
    m_text->setPlainText(m_loadedText);
}

bool Tfrm_Torzsfix_Szerkeszt::checkValues(QString *reason)
{
    double amount = 0;
    if (!m_amount->text().trimmed().isEmpty() && !Tfrm_Szerkeszt::amountFromText(m_amount->text(), &amount)) {
        *reason = QStringLiteral("Az összeg csak szám lehet (például 1500 vagy 12,50), ez nem az: „%1”.")
                      .arg(m_amount->text().trimmed());
        m_amount->setFocus(Qt::OtherFocusReason);
        m_amount->selectAll();
        return false;
    }
    const QString text = m_text->toPlainText();
    if (text.size() > MaxTextLength) {
        *reason = QStringLiteral("A szöveg legfeljebb %1 karakter lehet, most %2 karakter.")
                      .arg(MaxTextLength)
                      .arg(text.size());
        m_text->setFocus(Qt::OtherFocusReason);
        return false;
    }
    const QString bad = UnstorableChars(text);
    if (!bad.isEmpty()) {
        *reason = QStringLiteral("A szövegben olyan karakter van, amelyet az adatbázis nem tud tárolni: %1")
                      .arg(bad);
        m_text->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void Tfrm_Torzsfix_Szerkeszt::storeValues()
{
    TDataSet *ds = dataSet();
    if (!ds)
        return;
    ds->fieldByName(fKasszatip).setValue(m_type->key());
    ds->fieldByName(fUgyfel).setValue(m_client->key());
    TField &osszeg = ds->fieldByName(fOsszeg);
    double amount = 0;
    if (m_amount->text().trimmed().isEmpty())
        osszeg.clear();
    else if (Tfrm_Szerkeszt::amountFromText(m_amount->text(), &amount))
        osszeg.setAsFloat(amount);
    // The editor shows CR LF and a lone CR as its own line break: a text left as it was
    // keeps the line ends it had.
    const QString typed = m_text->toPlainText();
    QString loaded = m_loadedText;
    loaded.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    ds->fieldByName(fSzoveg).setAsString(typed == loaded ? m_loadedText : typed);
}

void Tfrm_Torzsfix_Szerkeszt::reread(TDataSet *lookup)
{
    if (lookup && lookup->isActive() && lookup->state() == TDataSetState::dsBrowse) {
        lookup->refresh();
        emit lookupsReread();
    }
}

void Tfrm_Torzsfix_Szerkeszt::chooseType()
{
    const QVariant current = m_type->key();
    const int chosen = ChooseKasszaTip(current.isNull() ? -1 : current.toInt(), true, 0, this);
    activateWindow();
    reread(m_types);
    m_type->reload();
    if (chosen != -1)
        m_type->setKey(chosen);
    m_type->setFocus(Qt::OtherFocusReason);
}

void Tfrm_Torzsfix_Szerkeszt::chooseClient()
{
    const QVariant current = m_client->key();
    const int chosen = ChooseClient(current.isNull() ? -1 : current.toInt(), true, nullptr, this);
    activateWindow();
    reread(m_clients);
    m_client->reload();
    if (chosen != -1)
        m_client->setKey(chosen);
    m_client->setFocus(Qt::OtherFocusReason);
}

}  // namespace zorva
