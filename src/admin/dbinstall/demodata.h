// Demo data: a believable Hungarian household, and as many cash-book entries as asked
// for, written with bulk statements (INSERT ... SELECT over a stream of numbers, the
// balances computed by a window function), not one procedure call per entry.
#pragma once

#include <QDate>
#include <QString>

class TmySQLDatabase;

namespace zorva {

// Entries of the household when no number is asked for: about two years' worth.
constexpr int DefaultDemoEntries = 2400;

// Fills an empty Zorva database: the owner, three cash boxes (cash, current account,
// euro account with 2 decimals), 24 cash types with colours, 30 clients with the postal
// codes of their towns, fixed items, bill types with the payments of the last two years
// (all but a few recent ones paid), claims and debts with repayments, a few users, and
// `entries` cash-book entries (DefaultDemoEntries when 0 or less) over the last two
// years, 70 % in cash, 25 % on the account, 5 % in euro.  A database that holds any
// cash box, client or entry is refused.
void fillDemoData(TmySQLDatabase &db, int entries);

// Makes an empty Zorva database ready to use without demo data: the cash box
// "Pénztárca", a small Hungarian set of cash types with signs and colours, the client
// "Egyéb" for entries without a particular partner, and the five
// cash-type settings of beallit pointing at the lending, repayment, borrowing, repaying
// and bill-payment types.  Refused like fillDemoData when the database holds data.
void fillStarterData(TmySQLDatabase &db);

// Kinds of cash box the generated entries are made for.
enum class DemoBoxKind { Cash, Account, Euro };

// Writes exactly `count` entries into the empty cash box `kassza`, dated evenly from
// `from` to `to`: the monthly ones of the kind (salary, bills, passes) on their days and
// everyday ones drawn from weighted patterns.  The balance chain starts at the box's
// opening amount.  Needs the household's cash types and clients (fillDemoData).  Works in
// statements of at most 50 000 entries.
void generateEntries(TmySQLDatabase &db, int kassza, DemoBoxKind kind, int count, const QDate &from,
                     const QDate &to);

}  // namespace zorva
