#include "importplan.h"

#include "core/dbhelpers/proccalls.h"
#include "core/sqltext.h"
#include "db/database.h"
#include "db/directquery.h"
#include "db/errors.h"

#include <QSet>

#include <cmath>

namespace zorva {

QList<CashTypeRule> loadCashTypeRules(TmySQLDatabase &db)
{
    QList<CashTypeRule> rules;
    TmySQLDirectQuery q(&db);
    q.setSQL(QStringLiteral(
        "SELECT r.importszabaly, r.sorrend, r.minta, r.kasszatip, k.szorzo FROM importszabaly r "
        "JOIN kasszatip k ON k.kasszatip = r.kasszatip ORDER BY r.sorrend, r.importszabaly"));
    for (q.open(); !q.eof(); q.next()) {
        CashTypeRule r;
        r.id = q.fieldValue(0).toInt();
        r.order = q.fieldValue(1).toInt();
        r.pattern = q.fieldValue(2);
        r.kasszatip = q.fieldValue(3).toInt();
        r.szorzo = q.fieldValue(4).toInt() < 0 ? -1 : 1;
        rules << r;
    }
    q.close();
    return rules;
}

int cashTypeByRules(const QList<CashTypeRule> &rules, const QString &text, const QString &partner,
                    double amount)
{
    const int sign = amount < 0 ? -1 : 1;
    const QString t = foldForMatch(text), p = foldForMatch(partner);
    for (const CashTypeRule &r : rules) {
        const QString pattern = foldForMatch(r.pattern);
        if (pattern.isEmpty() || r.szorzo != sign)
            continue;
        if (t.contains(pattern) || p.contains(pattern))
            return r.kasszatip;
    }
    return 0;
}

QString rowReason(const ImportRow &row)
{
    return QStringLiteral("%1. sor: %2").arg(row.line).arg(row.reason);
}

namespace {

QString cell(const QStringList &fields, int column)
{
    return column >= 0 && column < fields.size() ? fields.at(column) : QString();
}

// Typographic signs banks like, which the database's character set has no place for.
QString plainSigns(QString t)
{
    static const QList<std::pair<QChar, const char *>> signs = {
        {QChar(0x2013), "-"},  {QChar(0x2014), "-"},   {QChar(0x2212), "-"},   {QChar(0x2018), "'"},
        {QChar(0x2019), "'"},  {QChar(0x201A), "'"},   {QChar(0x201C), "\""},  {QChar(0x201D), "\""},
        {QChar(0x201E), "\""}, {QChar(0x2026), "..."}, {QChar(0x20AC), "EUR"}, {QChar(0x00A0), " "},
        {QChar(0x202F), " "}};
    for (const auto &[c, plain] : signs)
        if (t.contains(c))
            t.replace(c, QString::fromLatin1(plain));
    return t;
}

}  // namespace

ImportRows readImportRows(const QString &text, const ImportMapping &m)
{
    ImportRows out;
    CsvReader reader(text, m.csv.delimiter);
    QStringList fields;
    bool first = true;
    while (reader.next(fields)) {
        if (reader.line() <= m.csv.skipLines)
            continue;
        if (first) {
            first = false;
            out.headerFields = int(fields.size());
            if (m.csv.header)
                continue;
        }
        ImportRow row;
        row.line = reader.line();
        const auto refuse = [&row](const QString &reason) {
            row.state = ImportRow::Refused;
            row.reason = reason;
        };
        row.text = plainSigns(cell(fields, m.textColumn)).simplified().left(255);
        row.partner = plainSigns(cell(fields, m.partnerColumn)).simplified().left(50);
        row.reference = cell(fields, m.referenceColumn).trimmed().left(100);
        if (row.text.isEmpty())
            row.text = row.partner;
        if (fields.size() != out.headerFields) {
            refuse(QStringLiteral("%1 mező van a sorban, a táblázat %2 mezős.")
                       .arg(fields.size())
                       .arg(out.headerFields));
            out.rows.push_back(row);
            continue;
        }
        const QString dateText = cell(fields, m.dateColumn);
        if (const std::optional<QDate> d = parseStatementDate(dateText, m.dateFormat))
            row.date = *d;
        else {
            refuse(QStringLiteral("a dátum nem olvasható: \"%1\" (várt formátum: %2)")
                       .arg(dateText.left(40), m.dateFormat));
            out.rows.push_back(row);
            continue;
        }
        std::optional<double> amount;
        QString amountText;
        if (m.amountColumn >= 0) {
            amountText = cell(fields, m.amountColumn);
            amount = parseStatementAmount(amountText, m.amounts);
        } else {
            const QString c = cell(fields, m.creditColumn).trimmed(),
                          d = cell(fields, m.debitColumn).trimmed();
            const std::optional<double> cv =
                c.isEmpty() ? std::optional<double>(0) : parseStatementAmount(c, m.amounts);
            const std::optional<double> dv =
                d.isEmpty() ? std::optional<double>(0) : parseStatementAmount(d, m.amounts);
            amountText = !cv ? c : d;
            if (cv && dv && !(c.isEmpty() && d.isEmpty()))
                amount = std::abs(*cv) - std::abs(*dv);
        }
        if (!amount) {
            refuse(amountText.trimmed().isEmpty()
                       ? QStringLiteral("nincs összeg a sorban.")
                       : QStringLiteral("az összeg nem olvasható: \"%1\"").arg(amountText.left(40)));
        } else if (std::round(*amount * 10000) == 0) {
            refuse(QStringLiteral("az összeg nulla, nincs mit könyvelni."));
        } else if (std::abs(*amount) >= 1e13) {
            refuse(QStringLiteral("az összeg túl nagy: %1").arg(amountText.left(40)));
        } else {
            row.amount = *amount;
        }
        out.rows.push_back(row);
    }
    if (first && reader.error().isEmpty())
        out.error = QStringLiteral("A fájlban nincs egyetlen beolvasható sor sem.");
    if (!reader.error().isEmpty())
        out.error = reader.error();
    return out;
}

QHash<QString, int> matchClients(TmySQLDatabase &db, const QStringList &names)
{
    QHash<QString, int> out;
    constexpr int batch = 200;
    for (qsizetype from = 0; from < names.size(); from += batch) {
        QStringList parts;
        const qsizetype to = qMin(names.size(), from + batch);
        for (qsizetype i = from; i < to; ++i)
            parts << QStringLiteral("SELECT %1 AS i, %2 AS n").arg(i).arg(SqlText(names.at(i)));
        TmySQLDirectQuery q(&db);
        q.setSQL(QStringLiteral("SELECT t.i, MIN(u.ugyfel) FROM (%1) t JOIN ugyfel u ON u.ugyfel_nev = t.n "
                                "GROUP BY t.i")
                     .arg(parts.join(QStringLiteral(" UNION ALL "))));
        for (q.open(); !q.eof(); q.next())
            out.insert(names.at(q.fieldValue(0).toInt()), q.fieldValue(1).toInt());
        q.close();
    }
    return out;
}

namespace {

qint64 amountKey(double amount)
{
    return std::llround(amount * 10000);
}

}  // namespace

void markDuplicates(TmySQLDatabase &db, ImportPlan &plan)
{
    std::vector<ImportRow> &rows = plan.data.rows;
    QSet<QString> references;
    QDate from, to;
    bool anyReference = false;
    for (const ImportRow &r : rows) {
        if (r.state == ImportRow::Refused)
            continue;
        anyReference = anyReference || !r.reference.isEmpty();
        if (!from.isValid() || r.date < from)
            from = r.date;
        if (!to.isValid() || r.date > to)
            to = r.date;
    }
    if (!from.isValid())
        return;
    if (anyReference) {
        TmySQLDirectQuery q(&db);
        q.setSQL(
            QStringLiteral("SELECT azonosito FROM importforras WHERE kassza = %1 AND azonosito IS NOT NULL")
                .arg(plan.kassza));
        for (q.open(); !q.eof(); q.next())
            references.insert(q.fieldValue(0));
        q.close();
    }
    // Entries of the box in the statement's days: date, amount and text as stored.
    QHash<QString, int> existing;
    const auto key = [](const QDate &d, double amount, const QString &text) {
        return QStringLiteral("%1|%2|%3")
            .arg(d.toString(Qt::ISODate))
            .arg(amountKey(amount))
            .arg(foldForMatch(text));
    };
    {
        TmySQLDirectQuery q(&db);
        q.setSQL(
            QStringLiteral(
                "SELECT datum, osszeg, szoveg FROM hazikassza WHERE kassza = %1 AND datum BETWEEN %2 AND %3")
                .arg(plan.kassza)
                .arg(SqlDate(from), SqlDate(to)));
        for (q.open(); !q.eof(); q.next())
            ++existing[key(QDate::fromString(q.fieldValue(0), Qt::ISODate), q.fieldValue(1).toDouble(),
                           q.fieldValue(2))];
        q.close();
    }
    QSet<QString> seenReferences;
    for (ImportRow &r : rows) {
        if (r.state == ImportRow::Refused)
            continue;
        r.state = ImportRow::Book;
        r.reason.clear();
        if (!r.reference.isEmpty()) {
            if (references.contains(r.reference)) {
                r.state = ImportRow::Duplicate;
                r.reason = QStringLiteral("ezt az azonosítót már importálták ebbe a kasszába.");
            } else if (seenReferences.contains(r.reference)) {
                r.state = ImportRow::Duplicate;
                r.reason = QStringLiteral("az azonosító a fájlban korábban is szerepel.");
            }
            seenReferences.insert(r.reference);
            continue;
        }
        // the text as the database will store it
        const QByteArray bytes = db.encode(r.text);
        const QString stored = db.decode(bytes.constData(), size_t(bytes.size()));
        auto it = existing.find(key(r.date, r.amount, stored));
        if (it != existing.end() && it.value() > 0) {
            --it.value();
            r.state = ImportRow::Duplicate;
            r.reason = QStringLiteral("ugyanilyen dátumú, összegű és szövegű tétel már van a kasszában.");
        } else if (stored != r.text) {
            r.reason = QStringLiteral(
                "a szöveg néhány karakterét az adatbázis nem tudja tárolni; ? lesz helyettük.");
        }
    }
}

void applyCashTypes(ImportPlan &plan, const QList<CashTypeRule> &rules)
{
    for (ImportRow &r : plan.data.rows) {
        if (r.state == ImportRow::Refused)
            continue;
        r.kasszatip = cashTypeByRules(rules, r.text, r.partner, r.amount);
        r.byRule = r.kasszatip != 0;
        if (!r.byRule)
            r.kasszatip = r.amount < 0 ? plan.defaultExpense : plan.defaultIncome;
    }
}

void preparePlan(TmySQLDatabase &db, ImportPlan &plan, const QList<CashTypeRule> &rules)
{
    QStringList names;
    QSet<QString> seen;
    for (const ImportRow &r : plan.data.rows)
        if (r.state != ImportRow::Refused && !r.partner.isEmpty() && !seen.contains(r.partner)) {
            seen.insert(r.partner);
            names << r.partner;
        }
    plan.matched = matchClients(db, names);
    QHash<QString, PartnerChoice> kept = plan.unmatched;
    plan.unmatched.clear();
    for (const QString &n : names)
        if (!plan.matched.contains(n))
            plan.unmatched.insert(n, kept.value(n));
    markDuplicates(db, plan);
    applyCashTypes(plan, rules);
}

namespace {

struct RowFailure {
    int line;
    QString message;
};

}  // namespace

ImportSummary bookPlan(TmySQLDatabase &db, const ImportPlan &plan,
                       const std::function<bool(int, int)> &progress)
{
    ImportSummary s;
    QHash<int, int> signs;
    {
        TmySQLDirectQuery q(&db);
        q.setSQL(QStringLiteral("SELECT kasszatip, szorzo FROM kasszatip"));
        for (q.open(); !q.eof(); q.next())
            signs.insert(q.fieldValue(0).toInt(), q.fieldValue(1).toInt() < 0 ? -1 : 1);
        q.close();
    }
    std::vector<const ImportRow *> accepted;
    for (const ImportRow &r : plan.data.rows) {
        if (r.state == ImportRow::Refused) {
            ++s.refused;
            s.refusals << rowReason(r);
        } else if (!r.booked()) {
            ++s.duplicates;
        } else {
            if (!signs.contains(r.kasszatip)) {
                s.failure = QStringLiteral(
                                "A(z) %1. sornak nincs (létező) kassza típusa; válasszon alapértelmezett "
                                "kassza típust.")
                                .arg(r.line);
                return s;
            }
            if (signs.value(r.kasszatip) != (r.amount < 0 ? -1 : 1)) {
                s.failure = QStringLiteral("A(z) %1. sor összegének előjele nem egyezik a kassza típusáéval.")
                                .arg(r.line);
                return s;
            }
            accepted.push_back(&r);
        }
    }
    if (!plan.data.error.isEmpty()) {
        s.failure = plan.data.error;
        return s;
    }
    if (plan.kassza <= 0) {
        s.failure = QStringLiteral("Válassza ki a kasszát, amelybe a tételek kerülnek.");
        return s;
    }
    const int total = int(accepted.size());
    const unsigned long thread = db.threadId();
    // Stops a statement sent on a new connection after a lost one (where no transaction is
    // open any more): "subquery returns more than one row".
    const QString guard = QStringLiteral(
        "DO (SELECT 1 FROM DUAL WHERE @@in_transaction = 0 UNION ALL "
        "SELECT 2 FROM DUAL WHERE @@in_transaction = 0);");
    const QString file = SqlText(plan.fileName.left(255));
    int created = 0;
    try {
        db.execute(QStringLiteral("START TRANSACTION"));
        QHash<QString, int> createdClients;  // folded name -> new client
        const auto clientOf = [&](const QString &partner) -> int {
            if (partner.isEmpty())
                return 0;
            if (plan.matched.contains(partner))
                return plan.matched.value(partner);
            const PartnerChoice c = plan.unmatched.value(partner);
            if (c.kind == PartnerChoice::Existing)
                return c.ugyfel;
            if (c.kind == PartnerChoice::None)
                return 0;
            const QString folded = foldForMatch(partner);
            if (!createdClients.contains(folded)) {
                db.execute(
                    guard +
                    QStringLiteral("INSERT INTO ugyfel (ugyfel_nev) VALUES (%1)").arg(SqlText(partner)));
                createdClients.insert(folded, int(db.queryInt(QStringLiteral("SELECT LAST_INSERT_ID()"))));
                ++created;
            }
            return createdClients.value(folded);
        };
        int done = 0;
        for (const ImportRow *r : accepted) {
            try {
                const int ugyfel = clientOf(r->partner);
                // The date is NULL (which the procedure refuses) outside the transaction.
                QString call =
                    callKasszaIns(r->date, plan.kassza, r->kasszatip, std::abs(r->amount), r->text, ugyfel);
                const QString head = QStringLiteral("CALL sp_kassza_ins(") + SqlDate(r->date);
                if (call.startsWith(head))
                    call = QStringLiteral("CALL sp_kassza_ins(IF(@@in_transaction = 1, %1, NULL)")
                               .arg(SqlDate(r->date)) +
                           call.mid(head.size());
                else
                    call = guard + call;
                db.execute(
                    call +
                    QStringLiteral("INSERT INTO importforras (hid, kassza, fajl, sor, azonosito) VALUES "
                                   "(LAST_INSERT_ID(), %1, %2, %3, %4)")
                        .arg(plan.kassza)
                        .arg(file)
                        .arg(r->line)
                        .arg(r->reference.isEmpty() ? QStringLiteral("NULL") : SqlText(r->reference)));
            } catch (const EmySQLDatabaseError &e) {
                throw RowFailure{r->line, e.message()};
            }
            if (db.threadId() != thread)
                throw RowFailure{r->line, QStringLiteral("megszakadt a kapcsolat az adatbázissal.")};
            ++done;
            if (progress && (done % 50 == 0 || done == total) && !progress(done, total))
                throw RowFailure{0,
                                 QStringLiteral("A könyvelést leállította; semmi sem került könyvelésre.")};
        }
        db.execute(QStringLiteral("COMMIT"));
        if (db.threadId() != thread)
            throw RowFailure{
                0, QStringLiteral("Megszakadt a kapcsolat az adatbázissal a könyvelés végén; nézze meg a "
                                  "kassza tételeit, mielőtt újra importál.")};
    } catch (const RowFailure &f) {
        try {
            db.execute(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
        s.failure =
            f.line > 0
                ? QStringLiteral("A(z) %1. sor nem könyvelhető: %2\nAz importálás semmit sem könyvelt.")
                      .arg(f.line)
                      .arg(f.message)
                : f.message;
        return s;
    } catch (const EmySQLDatabaseError &e) {
        try {
            db.execute(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
        s.failure = QStringLiteral("Az importálás semmit sem könyvelt: %1").arg(e.message());
        return s;
    }
    s.booked = total;
    s.clientsCreated = created;
    return s;
}

}  // namespace zorva
