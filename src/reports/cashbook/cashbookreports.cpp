#include "cashbookreports.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/numberformat.h"
#include "core/querytext.h"
#include "core/ui/messagebox.h"
#include "core/ui/waitcursor.h"
#include "db/database.h"
#include "db/errors.h"
#include "export/ui/hatarolt.h"
#include "export/ui/queryhtml.h"
#include "reports/reportframe.h"
#include "reports/ui/nyomvalaszt.h"
#include "reports/ui/reportpreview.h"

#include <QDir>

namespace zorva {

using namespace report;

CashbookReport::~CashbookReport()
{
    report.reset();
    if (data)
        data->close();
}

namespace {

const QString kTahoma = QStringLiteral("Tahoma");
const QString kTotalFormat = QStringLiteral("### ### ##0");
constexpr double kLine = 4.3;

QString dateText(const QDate &d)
{
    return FormatDateTime(QStringLiteral("yyyy.mm.dd"), d);
}

ReportElement &addTotal(ReportBand &band, const QRectF &rect, int sumId)
{
    return band.addValue(
        rect, [sumId](const PrintContext &ctx) { return FormatFloat(kTotalFormat, ctx.sum(sumId)); },
        reportFont(kTahoma, 8, true), Qt::AlignRight);
}

void setFormats(TDataSet &data, const QStringList &fields, const QString &format)
{
    for (const QString &f : fields)
        if (TField *field = data.findField(f))
            field->setDisplayFormat(format);
}

// Line 2 of a detail band: the entry's note, word-wrapped; without a note the
// band keeps to one line.
void addNoteLine(ReportBand &detail)
{
    detail.height = 11.9;
    ReportElement &note =
        detail.addField(QRectF(13.2, 4.0, 163.0, kLine), QStringLiteral("szoveg"), reportFont(kTahoma, 8));
    note.name = QStringLiteral("szoveg");
    note.wordWrap = true;
    note.grows = true;
    detail.beforePrint = [](ReportBand &band, const PrintContext &ctx) {
        const bool hasNote = !ctx.data->fieldByName(QStringLiteral("szoveg")).asString().trimmed().isEmpty();
        band.element(QStringLiteral("szoveg"))->visible = hasNote;
        band.height = hasNote ? 11.9 : 6.6;
    };
}

std::unique_ptr<CashbookReport> newReport(TmySQLDatabase &db, const QString &title, const QString &identifier)
{
    auto out = std::make_unique<CashbookReport>();
    out->data = std::make_unique<TmySQLQuery>(&db);
    out->report = std::make_unique<Report>();
    out->report->title = title;
    out->report->identifier = identifier;
    out->report->data = out->data.get();
    out->suggestedFile = title + QStringLiteral(".csv");
    return out;
}

void addColumns(Report &r, const std::vector<ReportColumn> &cols, double titleY)
{
    addReportColumns(r, cols, titleY, kTahoma, 8, kLine);
}

void hideColumn(Report &r, const QString &field)
{
    if (ReportElement *e = r.pageHeader.element(QStringLiteral("title_") + field))
        e->visible = false;
    if (ReportElement *e = r.detail.element(field))
        e->visible = false;
}

}  // namespace

std::unique_ptr<CashbookReport> buildPeriodMovements(TmySQLDatabase &db, int mode, int cassa,
                                                     const QDate &from, const QDate &to)
{
    static const QString titles[] = {QStringLiteral("Változások időszakra"),
                                     QStringLiteral("Bevételek időszakra"),
                                     QStringLiteral("Kiadások időszakra")};
    mode = std::clamp(mode, 0, 2);
    auto out = newReport(db, titles[mode], QStringLiteral("qrOssz"));
    Report &r = *out->report;
    TmySQLQuery &q = *out->data;

    QStringList sql = {
        QStringLiteral("SELECT hazikassza.*, kasszatip.kasszatip_nev, ugyfel.ugyfel_nev, kassza.kassza_nev, "
                       "kasszatip.szorzo"),
        QStringLiteral("FROM hazikassza"),
        QStringLiteral("LEFT OUTER JOIN kasszatip ON hazikassza.kasszatip = kasszatip.kasszatip"),
        QStringLiteral("LEFT OUTER JOIN ugyfel ON hazikassza.ugyfel = ugyfel.ugyfel"),
        QStringLiteral("LEFT OUTER JOIN kassza ON hazikassza.kassza = kassza.kassza"),
        QStringLiteral("WHERE (datum BETWEEN :d1 AND :d2)"),
        QStringLiteral("ORDER BY datum, hazikassza;")};
    // The cash box first, then the sign.
    QStringList restriction;
    if (cassa != -1)
        restriction << QStringLiteral("(hazikassza.kassza=%1)").arg(cassa);
    if (mode == 1)
        restriction << QStringLiteral("(kasszatip.szorzo=1)");
    else if (mode == 2)
        restriction << QStringLiteral("(kasszatip.szorzo=-1)");
    if (!restriction.isEmpty())
        AppendWhereLine(sql, QStringLiteral(" AND ") + restriction.join(QStringLiteral(" and ")));
    q.setSQL(sql);
    q.paramByName(QStringLiteral("d1")).setAsDate(from);
    q.paramByName(QStringLiteral("d2")).setAsDate(to);
    q.addCalculatedField(QStringLiteral("egyenleg"), TFieldType::ftFloat);
    q.onCalcFields = [](TDataSet &ds) {
        ds.fieldByName(QStringLiteral("egyenleg"))
            .setAsFloat(ds.fieldByName(QStringLiteral("bevetel")).asFloat() +
                        ds.fieldByName(QStringLiteral("kiadas")).asFloat());
    };
    const int decimals =
        int(QueryInt(QStringLiteral("SELECT tizedesjegy FROM kassza WHERE kassza=%1;").arg(cassa), 0));
    q.open();
    setFormats(q,
               {QStringLiteral("nyito"), QStringLiteral("osszeg"), QStringLiteral("zaro"),
                QStringLiteral("kiadas"), QStringLiteral("bevetel"), QStringLiteral("egyenleg")},
               MoneyFormat(decimals));
    const OwnerInfo owner = readOwner(db);

    ReportBand &head = startPageHeader(r, r.title, 27.5, 20.2);
    const QFont bold10 = reportFont(kTahoma, 10, true);
    head.addText(QRectF(1.3, 7.9, 75.8, 5.0),
                 cassa == -1 ? QStringLiteral("Összes kassza") : beall().CassaName, bold10)
        .name = QStringLiteral("line2");
    head.addText(QRectF(1.3, 13.2, 75.8, 5.0), dateText(from) + QStringLiteral(" - ") + dateText(to), bold10)
        .name = QStringLiteral("line3");
    addOwnerBlock(head, r.bandWidth(), owner, kTahoma);
    out->htmlFile = QStringLiteral("ossz.htm");
    out->htmlSubtitle = head.element(QStringLiteral("line2"))->text + QStringLiteral(": ") +
                        head.element(QStringLiteral("line3"))->text;
    out->htmlColumns = {QStringLiteral("datum;dátum;15"),       QStringLiteral("kasszatip_nev;típus;15"),
                        QStringLiteral("ugyfel_nev;ügyfél;20"), QStringLiteral("kassza_nev;kassza;18"),
                        QStringLiteral("bevetel;bevétel;16"),   QStringLiteral("kiadas;kiadás;16")};

    addColumns(r,
               {{QStringLiteral("dátum"), QStringLiteral("datum"), 0, 20.2},
                {QStringLiteral("típus"), QStringLiteral("kasszatip_nev"), 21.2, 26.8},
                {QStringLiteral("kitől/kinek"), QStringLiteral("ugyfel_nev"), 48.9, 44.0},
                {QStringLiteral("kassza"), QStringLiteral("kassza_nev"), 93.9, 41.3},
                {QStringLiteral("bevétel"), QStringLiteral("bevetel"), 136.3, 25.5, true},
                {QStringLiteral("kiadás"), QStringLiteral("kiadas"), 162.7, 25.5, true}},
               21.2);
    r.detail.bottomRule = ruleGrey();
    addNoteLine(r.detail);

    ReportBand &sum = startSummary(r, 11.9);
    const QFont body = reportFont(kTahoma, 8);
    sum.addText(QRectF(7.9, 1.3, 30.0, kLine), QStringLiteral("Összesen"), body);
    addTotal(sum, QRectF(117.7, 1.3, 44.0, kLine), r.addSum(QStringLiteral("bevetel"))).name =
        QStringLiteral("sum_bevetel");
    addTotal(sum, QRectF(162.7, 1.3, 25.5, kLine), r.addSum(QStringLiteral("kiadas"))).name =
        QStringLiteral("sum_kiadas");
    sum.addText(QRectF(140.2, 6.6, 22.0, kLine), QStringLiteral("Egyenleg"), body).name =
        QStringLiteral("balanceLabel");
    addTotal(sum, QRectF(162.7, 6.6, 25.5, kLine), r.addSum(QStringLiteral("egyenleg"))).name =
        QStringLiteral("sum_egyenleg");

    if (cassa != -1)
        hideColumn(r, QStringLiteral("kassza_nev"));
    if (mode != 0) {
        const QString hidden = mode == 1 ? QStringLiteral("kiadas") : QStringLiteral("bevetel");
        hideColumn(r, hidden);
        sum.element(QStringLiteral("sum_") + hidden)->visible = false;
        sum.element(QStringLiteral("balanceLabel"))->visible = false;
        sum.element(QStringLiteral("sum_egyenleg"))->visible = false;
    }

    FooterStyle footer;
    footer.points = 8;
    footer.line1 = 1.3;
    footer.line2 = 5.3;
    footer.line3 = 9.3;
    footer.height = 13.5;
    setStandardPageFooter(r, QStringLiteral("Zorva"), footer);
    return out;
}

namespace {

std::unique_ptr<CashbookReport> buildGrouped(TmySQLDatabase &db, bool byClient, int id, const QDate &from,
                                             const QDate &to)
{
    auto out = byClient
                   ? newReport(db, QStringLiteral("Tételek ügyfelenként"), QStringLiteral("qrUgyfelKassza"))
                   : newReport(db, QStringLiteral("Tételek típusonként"), QStringLiteral("qrTipusKassza"));
    Report &r = *out->report;
    TmySQLQuery &q = *out->data;
    QStringList sql = {
        QStringLiteral("SELECT hazikassza.*, kasszatip.kasszatip_nev, ugyfel.ugyfel_nev, kassza.kassza_nev"),
        QStringLiteral("FROM hazikassza"),
        QStringLiteral("LEFT OUTER JOIN kasszatip ON hazikassza.kasszatip = kasszatip.kasszatip"),
        QStringLiteral("LEFT OUTER JOIN ugyfel ON hazikassza.ugyfel = ugyfel.ugyfel"),
        QStringLiteral("LEFT OUTER JOIN kassza ON hazikassza.kassza = kassza.kassza"),
        QStringLiteral("WHERE (datum BETWEEN :d1 AND :d2)"),
        // The id right after the name keeps two clients (types) of the same name in
        // two whole groups instead of breaking at every alternation.
        byClient
            ? QStringLiteral("ORDER BY ugyfel.ugyfel_nev, hazikassza.ugyfel, datum, hazikassza;")
            : QStringLiteral("ORDER BY kasszatip.kasszatip_nev, hazikassza.kasszatip, datum, hazikassza;")};
    AppendWhereLine(sql, QStringLiteral(" AND (hazikassza.kassza=%1)").arg(Cassa()));
    if (id != -1)
        AppendWhereLine(sql, (byClient ? QStringLiteral(" AND (hazikassza.ugyfel=%1)")
                                       : QStringLiteral(" AND (hazikassza.kasszatip=%1)"))
                                 .arg(id));
    q.setSQL(sql);
    q.paramByName(QStringLiteral("d1")).setAsDate(from);
    q.paramByName(QStringLiteral("d2")).setAsDate(to);
    q.open();
    setFormats(q,
               {QStringLiteral("nyito"), QStringLiteral("osszeg"), QStringLiteral("zaro"),
                QStringLiteral("kiadas"), QStringLiteral("bevetel")},
               kTotalFormat);
    const OwnerInfo owner = readOwner(db);

    ReportBand &head = startPageHeader(r, r.title, byClient ? 23.5 : 22.2, 16.2);
    head.addText(QRectF(1.3, 10.6, 75.8, 4.5), dateText(from) + QStringLiteral(" - ") + dateText(to),
                 reportFont(kTahoma, 9, true))
        .name = QStringLiteral("line2");
    addOwnerBlock(head, r.bandWidth(), owner, kTahoma);
    out->htmlFile = byClient ? QStringLiteral("ugyfkassza.htm") : QStringLiteral("tipuskassza.htm");
    out->htmlSubtitle = head.element(QStringLiteral("line2"))->text;
    const QString common[] = {QStringLiteral("datum;dátum;15"), QStringLiteral("kassza_nev;kassza;18"),
                              QStringLiteral("bevetel;bevétel;16"), QStringLiteral("kiadas;kiadás;16")};
    out->htmlColumns = byClient ? QStringList{QStringLiteral("ugyfel_nev;ügyfél;20"), common[0],
                                              QStringLiteral("kasszatip_nev;típus;15")}
                                : QStringList{QStringLiteral("kasszatip_nev;típus;15"), common[0],
                                              QStringLiteral("ugyfel_nev;ügyfél;20")};
    out->htmlColumns << common[1] << common[2] << common[3];

    if (byClient)
        addColumns(r,
                   {{QStringLiteral("dátum"), QStringLiteral("datum"), 0, 20.2},
                    {QStringLiteral("típus"), QStringLiteral("kasszatip_nev"), 21.2, 36.0},
                    {QStringLiteral("kassza"), QStringLiteral("kassza_nev"), 58.2, 36.0},
                    {QStringLiteral("bevétel"), QStringLiteral("bevetel"), 101.9, 25.5, true},
                    {QStringLiteral("kiadás"), QStringLiteral("kiadas"), 128.3, 25.5, true}},
                   17.2);
    else
        addColumns(r,
                   {{QStringLiteral("dátum"), QStringLiteral("datum"), 0, 20.2},
                    {QStringLiteral("ügyfél"), QStringLiteral("ugyfel_nev"), 21.2, 44.0},
                    {QStringLiteral("kassza"), QStringLiteral("kassza_nev"), 66.1, 34.7},
                    {QStringLiteral("bevétel"), QStringLiteral("bevetel"), 101.9, 25.5, true, 103.2},
                    {QStringLiteral("kiadás"), QStringLiteral("kiadas"), 128.3, 25.5, true, 129.6}},
                   17.2);
    r.detail.height = 5.3;
    r.detail.bottomRule = ruleGrey();
    const double inX = byClient ? 101.9 : 103.2;
    const double outX = byClient ? 128.3 : 129.6;

    // The group breaks on the id, so two clients of the same name stay apart.
    ReportGroup &g = r.addGroup(byClient ? QStringLiteral("ugyfel") : QStringLiteral("kasszatip"));
    g.header.bottomRule = ruleGrey();
    const QFont bold10 = reportFont(kTahoma, 10, true);
    if (byClient) {
        g.header.height = 5.3;
        g.header.addField(QRectF(0.0, 0.0, 120.0, 5.3), QStringLiteral("ugyfel_nev"), bold10).name =
            QStringLiteral("groupName");
    } else {
        g.header.height = 6.6;
        g.header.addField(QRectF(4.0, 1.3, 120.0, 5.0), QStringLiteral("kasszatip_nev"), bold10).name =
            QStringLiteral("groupName");
    }
    const QFont body = reportFont(kTahoma, 8);
    g.footer.height = 6.6;
    g.footer.bottomRule = ruleGrey();
    g.footer.addText(QRectF(7.9, 1.3, 30.0, kLine), QStringLiteral("Összesen"), body);
    addTotal(g.footer, QRectF(inX, 1.3, 25.5, kLine), r.addSum(QStringLiteral("bevetel"), 0)).name =
        QStringLiteral("group_bevetel");
    addTotal(g.footer, QRectF(outX, 1.3, 25.5, kLine), r.addSum(QStringLiteral("kiadas"), 0)).name =
        QStringLiteral("group_kiadas");

    ReportBand &sum = startSummary(r, 6.6);
    sum.addText(QRectF(1.3, 1.3, 30.0, kLine), QStringLiteral("Mindösszesen"), body);
    addTotal(sum, QRectF(inX, 1.3, 25.5, kLine), r.addSum(QStringLiteral("bevetel"))).name =
        QStringLiteral("sum_bevetel");
    addTotal(sum, QRectF(outX, 1.3, 25.5, kLine), r.addSum(QStringLiteral("kiadas"))).name =
        QStringLiteral("sum_kiadas");

    FooterStyle footer;
    if (!byClient)
        footer.rule = ruleSilver();
    setStandardPageFooter(r, QStringLiteral("Zorva"), footer);
    return out;
}

// Asks the output first; builds the report only for a choice and acts on it.
void act(CashbookReport &rep, int choice, const QString &csvFile)
{
    switch (choice) {
        case 0:
            showReportPreview(*rep.report);
            break;
        case 1:
            printReportNow(*rep.report);
            break;
        case 2:
            ExportDelimited(*rep.data, csvFile);
            break;
        case 3:
            exportReportHtml(rep);
            break;
        default:
            break;
    }
}

void run(const std::function<std::unique_ptr<CashbookReport>(TmySQLDatabase &)> &build)
{
    const int choice = ChooseReportOutput();
    if (choice < 0)
        return;
    std::unique_ptr<CashbookReport> rep;
    try {
        const WaitCursor busy;
        rep = build(mainConnection());
    } catch (const EmySQLDatabaseError &e) {
        ShowError(e.message());
        return;
    }
    act(*rep, choice, rep->suggestedFile);
}

}  // namespace

QString reportHtmlFolder()
{
    return QDir(DataDir()).filePath(QStringLiteral("Html"));
}

bool exportReportHtml(CashbookReport &rep, QWidget *parent)
{
    return ExportQueryHtml(*rep.data, rep.report->title, rep.htmlSubtitle, rep.htmlColumns,
                           QDir(reportHtmlFolder()).filePath(rep.htmlFile), parent);
}

std::unique_ptr<CashbookReport> buildEntriesByClient(TmySQLDatabase &db, int client, const QDate &from,
                                                     const QDate &to)
{
    return buildGrouped(db, true, client, from, to);
}

std::unique_ptr<CashbookReport> buildEntriesByType(TmySQLDatabase &db, int cashType, const QDate &from,
                                                   const QDate &to)
{
    return buildGrouped(db, false, cashType, from, to);
}

std::unique_ptr<CashbookReport> buildCashHistory(TmySQLDatabase &db, const QString &opening,
                                                 const QString &income, const QString &expense,
                                                 const QString &closing, const QString &filterText)
{
    auto out = newReport(db, QStringLiteral("Kasszatörténet"), QStringLiteral("qrNyomtat"));
    out->suggestedFile.clear();
    Report &r = *out->report;
    TmySQLQuery &q = *out->data;
    const int cassa = Cassa();
    q.setSQL(
        QStringList{QStringLiteral("SELECT hazikassza.*, kasszatip.kasszatip_nev, ugyfel.ugyfel_nev"),
                    QStringLiteral("FROM hazikassza"),
                    QStringLiteral("LEFT OUTER JOIN kasszatip ON hazikassza.kasszatip = kasszatip.kasszatip"),
                    QStringLiteral("LEFT OUTER JOIN ugyfel ON hazikassza.ugyfel = ugyfel.ugyfel"),
                    QStringLiteral("WHERE (hazikassza.kassza=%1)").arg(cassa),
                    QStringLiteral("ORDER BY datum, hazikassza;")});
    const int decimals =
        int(QueryInt(QStringLiteral("SELECT tizedesjegy FROM kassza WHERE kassza=%1;").arg(cassa), 0));
    q.open();
    setFormats(q,
               {QStringLiteral("nyito"), QStringLiteral("osszeg"), QStringLiteral("zaro"),
                QStringLiteral("kiadas"), QStringLiteral("bevetel")},
               MoneyFormat(decimals));
    const OwnerInfo owner = readOwner(db);

    ReportBand &head = startPageHeader(r, r.title, 23.5, 17.5);
    const QFont bold9 = reportFont(kTahoma, 9, true);
    head.addText(QRectF(1.3, 7.9, 75.8, 4.0), beall().CassaName, bold9).name = QStringLiteral("line2");
    head.addText(QRectF(1.3, 11.9, 75.8, 4.0), filterText, bold9).name = QStringLiteral("line3");
    addOwnerBlock(head, r.bandWidth(), owner, kTahoma);
    out->htmlFile = QStringLiteral("nyomtat.htm");
    out->htmlSubtitle = beall().CassaName;
    out->htmlColumns = {QStringLiteral("datum;dátum;15"),       QStringLiteral("kasszatip_nev;típus;17"),
                        QStringLiteral("ugyfel_nev;ügyfél;20"), QStringLiteral("nyito;nyitó;12"),
                        QStringLiteral("bevetel;bevétel;12"),   QStringLiteral("kiadas;kiadás;12"),
                        QStringLiteral("zaro;záró;12")};
    addColumns(r,
               {{QStringLiteral("dátum"), QStringLiteral("datum"), 0, 20.2},
                {QStringLiteral("típus"), QStringLiteral("kasszatip_nev"), 21.2, 26.8},
                {QStringLiteral("kitől/kinek"), QStringLiteral("ugyfel_nev"), 48.9, 44.0},
                {QStringLiteral("nyitó"), QStringLiteral("nyito"), 93.9, 21.5, true},
                {QStringLiteral("bevétel"), QStringLiteral("bevetel"), 116.4, 21.5, true},
                {QStringLiteral("kiadás"), QStringLiteral("kiadas"), 138.9, 21.5, true},
                {QStringLiteral("záró"), QStringLiteral("zaro"), 161.4, 21.5, true}},
               18.5);
    r.detail.bottomRule = ruleGrey();
    addNoteLine(r.detail);
    const ColorSource red = [](const PrintContext &ctx) {
        return ctx.data->fieldByName(QStringLiteral("osszeg")).asFloat() < 0 ? QColor(Qt::red)
                                                                             : QColor(Qt::black);
    };
    r.detail.element(QStringLiteral("bevetel"))->colorSource = red;
    r.detail.element(QStringLiteral("kiadas"))->colorSource = red;

    ReportBand &sum = startSummary(r, 11.9);
    const QFont body = reportFont(kTahoma, 8);
    const QFont bold = reportFont(kTahoma, 8, true);
    sum.addText(QRectF(7.9, 1.3, 30.0, kLine), QStringLiteral("Összesen"), body);
    sum.addText(QRectF(95.2, 1.3, 20.2, kLine), opening, bold, Qt::AlignRight);
    sum.addText(QRectF(116.4, 1.3, 21.5, kLine), income, bold, Qt::AlignRight);
    sum.addText(QRectF(138.9, 1.3, 21.5, kLine), expense, bold, Qt::AlignRight);
    sum.addText(QRectF(161.4, 1.3, 21.5, kLine), closing, bold, Qt::AlignRight);
    // The label sizes itself to its text, as wide as it needs beside the value.
    sum.addText(QRectF(80.7, 6.6, 45.0, kLine), QStringLiteral("Egyenleg (bevétel - kiadás)"), body);
    // Expenses are stored negative, so the balance is the sum of both columns.
    const int in = r.addSum(QStringLiteral("bevetel"));
    const int outSum = r.addSum(QStringLiteral("kiadas"));
    sum.addValue(
           QRectF(116.4, 6.6, 21.5, kLine),
           [in, outSum](const PrintContext &ctx) {
               return FormatFloat(kTotalFormat, ctx.sum(in) + ctx.sum(outSum));
           },
           bold, Qt::AlignRight)
        .name = QStringLiteral("balance");
    setStandardPageFooter(r, QStringLiteral("Zorva"));
    return out;
}

void PrintCashHistory(const QString &opening, const QString &income, const QString &expense,
                      const QString &closing, const QString &filterText)
{
    std::unique_ptr<CashbookReport> rep;
    try {
        const WaitCursor busy;
        rep = buildCashHistory(mainConnection(), opening, income, expense, closing, filterText);
    } catch (const EmySQLDatabaseError &e) {
        ShowError(e.message());
        return;
    }
    act(*rep, ChooseReportOutput(), QString());
}

std::unique_ptr<CashbookReport> buildPeriodSummary(TmySQLDatabase &db, const QString &first,
                                                   const QString &last, int cassa)
{
    auto out = newReport(db, QStringLiteral("Időszak összesítés"), QStringLiteral("qrIdoszak"));
    Report &r = *out->report;
    TmySQLQuery &q = *out->data;
    q.setSQL(QStringList{
        QStringLiteral("SELECT idoszak, kassza, SUM(osszeg) AS osszeg, SUM(bevetel) AS bevetel, "
                       "SUM(kiadas) AS kiadas, MIN(zaro) AS legkevesebb, MAX(zaro) AS legtobb"),
        QStringLiteral("FROM hazikassza"), QStringLiteral("WHERE idoszak BETWEEN :pido1 AND :pido2"),
        QStringLiteral("GROUP BY idoszak,kassza"), QStringLiteral("ORDER BY 1;")});
    AppendWhereLine(q.sql(), QStringLiteral(" AND (kassza=%1)").arg(cassa));
    q.paramByName(QStringLiteral("pido1")).setAsString(first);
    q.paramByName(QStringLiteral("pido2")).setAsString(last);
    const int decimals =
        int(QueryInt(QStringLiteral("SELECT tizedesjegy FROM kassza WHERE kassza=%1;").arg(cassa), 0));
    q.open();
    setFormats(q, {QStringLiteral("osszeg"), QStringLiteral("kiadas"), QStringLiteral("bevetel")},
               MoneyFormat(decimals));
    setFormats(q, {QStringLiteral("legkevesebb"), QStringLiteral("legtobb")}, kTotalFormat);
    const OwnerInfo owner = readOwner(db);

    ReportBand &head = startPageHeader(r, r.title, 26.1, 20.2);
    const QFont bold10 = reportFont(kTahoma, 10, true);
    head.addText(QRectF(1.3, 7.9, 75.8, 5.0), beall().CassaName, bold10).name = QStringLiteral("line2");
    head.addText(QRectF(1.3, 13.2, 75.8, 5.0), first + QStringLiteral(" - ") + last, bold10).name =
        QStringLiteral("line3");
    addOwnerBlock(head, r.bandWidth(), owner, kTahoma);
    out->htmlFile = QStringLiteral("idoszak.htm");
    out->htmlSubtitle = beall().CassaName;
    out->htmlColumns = {QStringLiteral("idoszak;időszak;16"),         QStringLiteral("kiadas;kiadás;17"),
                        QStringLiteral("bevetel;bevétel;17"),         QStringLiteral("osszeg;változás;17"),
                        QStringLiteral("legkevesebb;legkevesebb;16"), QStringLiteral("legtobb;legtöbb;16")};
    addColumns(r,
               {{QStringLiteral("időszak"), QStringLiteral("idoszak"), 0, 20.2},
                {QStringLiteral("kiadás"), QStringLiteral("kiadas"), 31.8, 26.8, true},
                {QStringLiteral("bevétel"), QStringLiteral("bevetel"), 59.5, 26.8, true},
                {QStringLiteral("változás"), QStringLiteral("osszeg"), 87.3, 26.8, true},
                {QStringLiteral("legkevesebb"), QStringLiteral("legkevesebb"), 115.1, 26.8, true},
                {QStringLiteral("legtöbb"), QStringLiteral("legtobb"), 142.9, 26.8, true}},
               21.2);
    r.detail.height = 5.3;
    r.detail.bottomRule = ruleGrey();

    ReportBand &sum = startSummary(r, 6.6);
    sum.addText(QRectF(7.9, 1.3, 22.0, kLine), QStringLiteral("Összesen"), reportFont(kTahoma, 8));
    addTotal(sum, QRectF(31.8, 1.3, 26.8, kLine), r.addSum(QStringLiteral("kiadas")));
    addTotal(sum, QRectF(59.5, 1.3, 26.8, kLine), r.addSum(QStringLiteral("bevetel")));
    addTotal(sum, QRectF(87.3, 1.3, 26.8, kLine), r.addSum(QStringLiteral("osszeg")));
    setStandardPageFooter(r, QStringLiteral("Zorva"));
    return out;
}

void PrintPeriodSummary(const QString &first, const QString &last, int cassa)
{
    run([&](TmySQLDatabase &db) { return buildPeriodSummary(db, first, last, cassa); });
}

void PrintPeriodMovements(int mode, int cassa, const QDate &from, const QDate &to)
{
    run([&](TmySQLDatabase &db) { return buildPeriodMovements(db, mode, cassa, from, to); });
}

void PrintEntriesByClient(int client, const QDate &from, const QDate &to)
{
    run([&](TmySQLDatabase &db) { return buildEntriesByClient(db, client, from, to); });
}

void PrintEntriesByType(int cashType, const QDate &from, const QDate &to)
{
    run([&](TmySQLDatabase &db) { return buildEntriesByType(db, cashType, from, to); });
}

}  // namespace zorva
