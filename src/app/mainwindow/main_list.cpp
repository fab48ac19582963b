// The list of the main window: loading, totals, search, sorting and the current row.
#include "main.h"

#include "mainstatusbar.h"
#include "totalspanel.h"
#include "core/dbhelpers/datasettext.h"
#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/numberformat.h"
#include "core/querytext.h"
#include "core/ui/dbgrid.h"
#include "core/ui/searchbox.h"
#include "core/ui/waitcursor.h"
#include "db/database.h"
#include "db/query.h"
#include "db/storedproc.h"

#include <QLabel>

using namespace zorva;

namespace {

const QString kSearchColumns = QStringLiteral(
    "CONVERT(DATE_FORMAT(datum,'%Y.%m.%d') USING latin2);kasszatip_nev;ugyfel_nev;szoveg_rovid");
const QString kDateMask = QStringLiteral("9999.99.99");

}  // namespace

QString Tfrm_Main::lastMonthFilter()
{
    return QStringLiteral("(datum>=DATE_ADD(CURDATE(), INTERVAL -1 MONTH))");
}

QString Tfrm_Main::searchCondition(const QString &text)
{
    return BuildLikeFilter(kSearchColumns, text, true);
}

void Tfrm_Main::setSortField(const QString &field)
{
    m_sortField = field;
    SetOrderLine(m_qry->sql(), field);
}

void Tfrm_Main::setListFilter(const QString &condition)
{
    m_listFilter = condition;
    if (condition == lastMonthFilter()) {
        m_a.aSzur0->setChecked(true);
        m_checkedFilter = m_a.aSzur0;
    }
}

QString Tfrm_Main::whereCondition() const
{
    QString where = QStringLiteral("(kassza = %1)").arg(Cassa());
    if (!m_listFilter.isEmpty())
        where += QStringLiteral(" AND ") + m_listFilter;
    return where;
}

void Tfrm_Main::applyFieldFormats()
{
    if (!m_qry->isActive())
        return;
    m_colorFields.osszeg = m_qry->fieldIndex(QStringLiteral("osszeg"));
    m_colorFields.datum = m_qry->fieldIndex(QStringLiteral("datum"));
    m_colorFields.szin = m_qry->fieldIndex(QStringLiteral("szin"));
    const QString money = MoneyFormat();
    for (const char *name : {"nyito", "osszeg", "zaro", "kiadas", "bevetel"}) {
        if (TField *f = m_qry->findField(QString::fromLatin1(name)))
            f->setDisplayFormat(money);
    }
    if (TField *f = m_qry->findField(QStringLiteral("hazikassza")))
        f->setDisplayFormat(QStringLiteral("0000000"));
    if (TField *f = m_qry->findField(QStringLiteral("datum")))
        f->setDisplayFormat(QStringLiteral("yyyy.mm.dd"));
    if (TField *f = m_qry->findField(QStringLiteral("rogzitve")))
        f->setDisplayFormat(QStringLiteral("yyyy.mm.dd hh:nn:ss"));
}

void Tfrm_Main::ReloadList()
{
    if (!m_dbOpen)
        return;
    const WaitCursor busy;  // "Összes" or another box: a large box takes seconds to read
    // 1. heading
    const QString heading = QStringLiteral("Kassza: ") + LookupName(Cassa(), QStringLiteral("kassza"), QString());
    m_heading->setText(heading);
    m_status->setPanel(MainStatusBar::CashBox, heading);
    // 2. decimals of the cash box
    CassaDecimals() = int(QueryInt(QStringLiteral("SELECT tizedesjegy FROM kassza WHERE kassza=%1;").arg(Cassa()), 0));
    applyFieldFormats();
    // 3. totals
    RefreshTotals();
    // 4. an old search text goes
    if (!m_search->searchText().isEmpty()) {
        m_searching = true;
        m_search->clear();
        m_searching = false;
    }
    // 5. the list
    m_qry->close();
    SetWhereLine(m_qry->sql(), whereCondition(), true);
    m_qry->open();
    applyFieldFormats();
}

void Tfrm_Main::RefreshTotals()
{
    if (!m_dbOpen)
        return;
    m_spSum->close();
    m_spSum->paramByName(QStringLiteral("pkassza")).setAsInteger(Cassa());
    m_spSum->paramByName(QStringLiteral("pidoszak")).setAsString(SumPeriod());
    m_spSum->open();
    const QString money = MoneyFormat();
    auto value = [this, &money](const char *name) {
        return FormatFloat(money, m_spSum->fieldByName(QString::fromLatin1(name)).asFloat());
    };
    if (m_spSum->isEmpty())
        m_totals->clearTotals();
    else
        m_totals->setTotals(value("pnyito"), value("bevetel"), value("pzaro"), value("kiadas"));
    m_spSum->close();
}

int Tfrm_Main::currentHid() const
{
    if (!m_qry->isActive() || m_qry->isEmpty())
        return -1;
    const TField *f = m_qry->findField(QStringLiteral("hid"));
    return f ? f->asInteger() : -1;
}

bool Tfrm_Main::gotoHid(int hid)
{
    if (hid < 0 || !m_qry->isActive())
        return false;
    return m_qry->locate(QStringLiteral("hid"), hid);
}

void Tfrm_Main::reopenList(int hidToKeep)
{
    const int recNo = m_qry->recNo();
    m_qry->close();
    m_qry->open();
    applyFieldFormats();
    if (!gotoHid(hidToKeep) && recNo > 0 && !m_qry->isEmpty())
        m_qry->setRecNo(qMin(recNo, m_qry->recordCount()));
}

void Tfrm_Main::refreshList()
{
    if (!m_dbOpen || !m_qry->isActive())
        return;
    reopenList(currentHid());
}

void Tfrm_Main::searchChanged()
{
    if (m_searching || !m_dbOpen)
        return;
    const QString text = m_search->searchText();
    m_qry->close();
    SetWhereLine(m_qry->sql(), whereCondition() + searchCondition(text), true);
    m_qry->open();
    applyFieldFormats();
    positionSearch(text);
}

void Tfrm_Main::positionSearch(const QString &text)
{
    if (text.isEmpty() || m_qry->isEmpty())
        return;
    try {
        const int column = m_qry->fieldIndex(m_sortField);
        if (column < 0)
            return;
        const int rows = m_qry->recordCount();
        for (int row = 0; row < rows; ++row) {
            const QVariant v = m_qry->valueAt(row, column);
            if (v.isNull())
                continue;
            const QString value = v.typeId() == QMetaType::QDate       ? v.toDate().toString(QStringLiteral("yyyy.MM.dd"))
                                  : v.typeId() == QMetaType::QDateTime ? v.toDateTime().toString(QStringLiteral("yyyy.MM.dd"))
                                                                       : v.toString();
            if (value.startsWith(text, Qt::CaseInsensitive)) {
                m_qry->setRecNo(row + 1);
                return;
            }
        }
    } catch (const std::exception &) {
        // a failed positioning leaves the current row where it is
    }
}

void Tfrm_Main::titleClicked(const QString &field)
{
    if (!m_dbOpen || field.isEmpty())
        return;
    const int hid = currentHid();
    HighlightSortColumn(m_grid, field);
    m_sortField = field;

    bool dateField = false;
    if (m_qry->isActive()) {
        if (const TField *f = m_qry->findField(field))
            dateField = f->dataType() == TFieldType::ftDate || f->dataType() == TFieldType::ftDateTime;
    }
    m_searching = true;
    if (dateField) {
        m_search->clear();
        m_search->setEditMask(kDateMask);
    } else {
        m_search->setEditMask(QString());
    }
    m_searching = false;

    m_qry->close();
    SetWhereLine(m_qry->sql(), whereCondition() + searchCondition(m_search->searchText()), true);
    SetOrderLine(m_qry->sql(), field);
    m_qry->open();
    applyFieldFormats();
    gotoHid(hid);
    m_search->setFocus(Qt::OtherFocusReason);
}

void Tfrm_Main::currentRowMoved()
{
    const bool active = m_qry->isActive() && !m_qry->isEmpty();
    m_status->setPanel(MainStatusBar::RecordPos, m_qry->isActive() ? RecordPosText(*m_qry) : QString());
    if (active) {
        const TField *recorded = m_qry->findField(QStringLiteral("rogzitve"));
        const TField *text = m_qry->findField(QStringLiteral("szoveg"));
        m_status->setPanel(MainStatusBar::Recorded,
                           recorded && !recorded->isNull()
                               ? FormatDateTime(QStringLiteral("yyyy.mm.dd hh:nn:ss"), recorded->asDateTime())
                               : QString());
        m_totals->setEntryText(text ? text->asString() : QString());
    } else {
        m_status->setPanel(MainStatusBar::Recorded, QString());
        m_totals->setEntryText(QString());
    }
}
