#include "listreports.h"

#include "core/dbhelpers/mainconnection.h"
#include "core/globals.h"
#include "core/numberformat.h"
#include "core/ui/messagebox.h"
#include "db/database.h"
#include "db/errors.h"
#include "export/ui/hatarolt.h"
#include "reports/reportframe.h"
#include "reports/ui/nyomvalaszt.h"
#include "reports/ui/printers.h"
#include "reports/ui/reportpreview.h"

namespace zorva {

using namespace report;

namespace {

const QString kTahoma = QStringLiteral("Tahoma");
constexpr double kLine = 4.6;

std::unique_ptr<CashbookReport> newList(TmySQLDatabase &db, const QString &title, const QString &reportTitle,
                                        const QString &identifier, const QStringList &sql)
{
    auto out = std::make_unique<CashbookReport>();
    out->data = std::make_unique<TmySQLQuery>(&db);
    out->report = std::make_unique<Report>();
    Report &r = *out->report;
    r.title = reportTitle;
    r.identifier = identifier;
    r.data = out->data.get();
    out->data->setSQL(sql);
    out->data->open();
    const OwnerInfo owner = readOwner(db);

    ReportBand &head = startPageHeader(r, title, 22.2, 16.2);
    addOwnerBlock(head, r.bandWidth(), owner, QStringLiteral("Arial"));
    r.detail.height = 5.3;
    r.detail.bottomRule = ruleGrey();
    setStandardPageFooter(r, QStringLiteral("Zorva"));
    return out;
}

void addColumns(Report &r, const std::vector<ReportColumn> &cols)
{
    addReportColumns(r, cols, 17.2, kTahoma, 9, kLine);
}

// Steps 2-5 of a list: the output and the printer, then acting on the choice.
void runList(const std::function<std::unique_ptr<CashbookReport>(TmySQLDatabase &)> &build, QWidget *parent)
{
    std::unique_ptr<CashbookReport> rep;
    try {
        rep = build(mainConnection());
    } catch (const EmySQLDatabaseError &e) {
        ShowError(e.message(), parent);
        return;
    }
    QString printer = defaultPrinterName();
    const int choice = ChooseOutput(printer, parent);
    if (!printer.isEmpty() && installedPrinters().contains(printer))
        rep->report->printerName = printer;
    switch (choice) {
        case 0:
            showReportPreview(*rep->report, parent);
            break;
        case 1:
            printReportNow(*rep->report, parent);
            break;
        case 2:
            ExportDelimited(*rep->data, QString(), parent);
            break;
        default:
            break;
    }
}

}  // namespace

std::unique_ptr<CashbookReport> buildClientList(TmySQLDatabase &db)
{
    auto out = newList(db, QStringLiteral("Ügyfelek, tartozások"), QStringLiteral("Ügyfelek"),
                       QStringLiteral("qrUgyfelek"),
                       {QStringLiteral("SELECT * FROM vw_ugyfel"), QStringLiteral("WHERE ugyfel>0"),
                        QStringLiteral("ORDER BY ugyfel_nev;")});
    Report &r = *out->report;
    TmySQLQuery &q = *out->data;
    const std::pair<const char *, const char *> labels[] = {
        {"ugyfel_nev", "név"}, {"emil", "e-mail"}, {"cimstr", "cím"}, {"tartozik", "tartozás"}};
    for (const auto &[field, label] : labels)
        if (TField *f = q.findField(QString::fromUtf8(field)))
            f->setDisplayLabel(QString::fromUtf8(label));
    addColumns(r, {{QStringLiteral("ügyfél"), QStringLiteral("ugyfel_nev"), 0, 47.9},
                   {QStringLiteral("kapcsolat"), QStringLiteral("kapcsolat"), 49.2, 43.1},
                   {QStringLiteral("telefon"), QStringLiteral("telefon"), 93.1, 32.5},
                   {QStringLiteral("e-mail"), QStringLiteral("emil"), 127.0, 40.2},
                   {QStringLiteral("tartozás"), QStringLiteral("tartozik"), 168.3, 21.2, true}});

    ReportBand &sum = r.summary;
    sum.height = 7.1;
    sum.addText(QRectF(128.1, 1.3, 19.0, kLine), QStringLiteral("összesen"),
                reportFont(kTahoma, 9, false, true));
    const int total = r.addSum(QStringLiteral("tartozik"));
    sum.addValue(
           QRectF(147.1, 1.3, 41.8, kLine),
           [total](const PrintContext &ctx) {
               return FormatFloat(QStringLiteral("### ### ##0"), ctx.sum(total));
           },
           reportFont(kTahoma, 9), Qt::AlignRight)
        .name = QStringLiteral("sum_tartozik");
    return out;
}

std::unique_ptr<CashbookReport> buildBillTypeList(TmySQLDatabase &db)
{
    auto out = newList(db, QStringLiteral("Csekkek"), QStringLiteral("Csekkek"), QStringLiteral("qrCsekk"),
                       {QStringLiteral("SELECT * FROM vw_csekk"), QStringLiteral("ORDER BY csekk_nev;")});
    if (TField *f = out->data->findField(QStringLiteral("osszeg")))
        f->setDisplayFormat(beall().Format.isEmpty() ? QStringLiteral("### ### ##0") : beall().Format);
    addColumns(*out->report, {{QStringLiteral("csekk"), QStringLiteral("csekk_nev"), 0, 47.9},
                              {QStringLiteral("ügyfél"), QStringLiteral("ugyfel_nev"), 49.2, 43.1},
                              {QStringLiteral("kell gen."), QStringLiteral("kellgenstr"), 93.1, 32.5},
                              {QStringLiteral("hat.nap"), QStringLiteral("nap_hatid"), 127.0, 20.4},
                              {QStringLiteral("összeg"), QStringLiteral("osszeg"), 148.2, 21.2, true}});
    return out;
}

void PrintClientList(QWidget *parent)
{
    runList(&buildClientList, parent);
}

void PrintBillTypeList(QWidget *parent)
{
    runList(&buildBillTypeList, parent);
}

}  // namespace zorva
