// What an import will book: the statement's rows read through a mapping, their cash types
// by the rules, their clients by name, and the rows booked before marked as duplicates.
#pragma once

#include "importmapping.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

class TmySQLDatabase;

namespace zorva {

// "text or counterparty contains pattern" -> cash type, applied in order.
struct CashTypeRule {
    int id = 0;
    int order = 0;
    QString pattern;
    int kasszatip = 0;
    int szorzo = 1;
};
// The rules of the database in their order.
QList<CashTypeRule> loadCashTypeRules(TmySQLDatabase &db);
// The first rule whose pattern the text or the counterparty contains (compared without
// case and accents) and whose cash type has the amount's sign; 0 when none.  A rule never
// turns an income into an expense: the cash type's sign decides the booked amount's.
int cashTypeByRules(const QList<CashTypeRule> &rules, const QString &text, const QString &partner,
                    double amount);

struct ImportRow {
    enum State { Book, Duplicate, Refused };
    int line = 0;  // where the row begins in the file (1-based)
    QDate date;
    double amount = 0;  // signed: positive income, negative expense
    QString text;       // at most 255 characters
    QString partner;    // at most 50 characters
    QString reference;
    State state = Book;
    bool bookAnyway = false;  // a duplicate the user ticked
    QString reason;           // why refused or duplicate
    int kasszatip = 0;        // 0: none yet
    bool byRule = false;
    bool booked() const { return state == Book || (state == Duplicate && bookAnyway); }
};

struct ImportRows {
    std::vector<ImportRow> rows;
    QString error;  // the file could not be read to its end (nothing may be booked)
    int headerFields = 0;
};

// Reads every data row of `text` through the mapping.  Rows with a date or an amount that
// does not read, or with another number of fields than the table's, are Refused with the
// reason; nothing else is decided here.
ImportRows readImportRows(const QString &text, const ImportMapping &mapping);

// The client chosen for an unmatched counterparty.
struct PartnerChoice {
    enum Kind { None, Create, Existing };
    Kind kind = None;
    int ugyfel = 0;  // for Existing (and for a name that matched)
};

struct ImportPlan {
    QString fileName;  // kept with each booked entry (without the folder)
    int kassza = 0;
    int defaultIncome = 0;   // cash type of incomes no rule names
    int defaultExpense = 0;  // and of expenses
    ImportRows data;
    QHash<QString, int> matched;              // counterparty (as written) -> client
    QHash<QString, PartnerChoice> unmatched;  // counterparties without a client of that name
};

// The clients whose names equal the counterparties under the database's collation (case
// and accents ignored); the names of `names` that have none are left out.
QHash<QString, int> matchClients(TmySQLDatabase &db, const QStringList &names);

// Marks duplicates: a row whose reference the box's imported entries already hold, or
// that was imported from the same file and line, or (without a reference) whose date,
// amount and text equal an entry of the box not yet matched by another row.
void markDuplicates(TmySQLDatabase &db, ImportPlan &plan);

// Cash types by the rules and the defaults of the plan.
void applyCashTypes(ImportPlan &plan, const QList<CashTypeRule> &rules);

// The whole preparation: rows, clients, duplicates, cash types.
void preparePlan(TmySQLDatabase &db, ImportPlan &plan, const QList<CashTypeRule> &rules);

struct ImportSummary {
    int booked = 0;
    int duplicates = 0;  // skipped as duplicates
    int refused = 0;
    int clientsCreated = 0;
    QStringList refusals;  // "12. sor: reason"
    QString failure;       // set when nothing was booked
    bool ok() const { return failure.isEmpty(); }
};

// Books every accepted row of the plan through sp_kassza_ins in one transaction, with the
// clients to be created, and records each entry's source.  All or nothing: when a row fails
// everything is rolled back and `failure` names the row and the reason.  `progress` is
// called now and then with the rows done; returning false stops and rolls back.
ImportSummary bookPlan(TmySQLDatabase &db, const ImportPlan &plan,
                       const std::function<bool(int done, int total)> &progress = {});

// "12. sor: reason" for the summary.
QString rowReason(const ImportRow &row);

}  // namespace zorva
