// The banded reports over the cash-book entries: movements of a date range and
// the entries of a range grouped by client or by cash type.
#pragma once

#include "db/query.h"
#include "reports/report.h"

#include <QDate>

#include <memory>

class TmySQLDatabase;

namespace zorva {

// A report together with the query it prints; the query is open once built.
struct CashbookReport {
    std::unique_ptr<TmySQLQuery> data;
    std::unique_ptr<report::Report> report;
    QString suggestedFile;  // for the delimited export: the title + ".csv"
    // The HTML page: file name in the HTML folder, subtitle, columns "field;title;width".
    QString htmlFile;
    QString htmlSubtitle;
    QStringList htmlColumns;
    ~CashbookReport();
};

// Mode 0 all movements, 1 incomes only, 2 expenses only; cassa -1 for every cash box.
// Throws EmySQLDatabaseError when the data cannot be read.
std::unique_ptr<CashbookReport> buildPeriodMovements(TmySQLDatabase &db, int mode, int cassa,
                                                     const QDate &from, const QDate &to);
// Entries of the current cash box (Cassa()) grouped by client; client -1 for all.
std::unique_ptr<CashbookReport> buildEntriesByClient(TmySQLDatabase &db, int client, const QDate &from,
                                                     const QDate &to);
// The same grouped by cash type; cashType -1 for all.
std::unique_ptr<CashbookReport> buildEntriesByType(TmySQLDatabase &db, int cashType, const QDate &from,
                                                   const QDate &to);

// Per-month sums of one cash box over the periods first..last (texts yyyymm).
std::unique_ptr<CashbookReport> buildPeriodSummary(TmySQLDatabase &db, const QString &first,
                                                   const QString &last, int cassa);

// The whole history of the current cash box (Cassa()); the summary prints the
// caller's four totals and the balance of income and expense.
std::unique_ptr<CashbookReport> buildCashHistory(TmySQLDatabase &db, const QString &opening,
                                                 const QString &income, const QString &expense,
                                                 const QString &closing, const QString &filterText);

// The folder of the reports' HTML pages: DataDir + "/Html".
QString reportHtmlFolder();
// Writes the report's page into the HTML folder and opens it.
bool exportReportHtml(CashbookReport &rep, QWidget *parent = nullptr);

// Entry points of the main window: ask the output (preview, print, delimited
// export), then build the report on the main connection and act on the choice.
void PrintPeriodMovements(int mode, int cassa, const QDate &from, const QDate &to);
// Builds the data first and asks the output afterwards.
void PrintCashHistory(const QString &opening, const QString &income, const QString &expense,
                      const QString &closing, const QString &filterText);
void PrintPeriodSummary(const QString &first, const QString &last, int cassa);
void PrintEntriesByClient(int client, const QDate &from, const QDate &to);
void PrintEntriesByType(int cashType, const QDate &from, const QDate &to);

}  // namespace zorva
