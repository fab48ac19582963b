// Which column of a statement holds what, and how its values are written; kept by name in
// the settings file and offered again for a file with the same header line.
#pragma once

#include "csvfile.h"
#include "valueparse.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zorva {

struct ImportMapping {
    QString name;
    CsvFormat csv;
    AmountFormat amounts;
    QString dateFormat = QStringLiteral("yyyy.mm.dd");
    // column indexes, -1: none
    int dateColumn = -1;
    int amountColumn = -1;  // signed amount; or the two below
    int creditColumn = -1;  // jóváírás (income)
    int debitColumn = -1;   // terhelés (expense; its sign does not matter)
    int textColumn = -1;
    int partnerColumn = -1;
    int referenceColumn = -1;  // the bank's own id of the transaction
};

// The header line as the key of a saved mapping: the titles, trimmed, joined by '|'.
QString headerKey(const QStringList &header);

// A first guess from the header titles and the first rows' values: the date column is the
// first whose values all read as dates, amounts from titles ("összeg", "jóváírás",
// "terhelés", ...) or else the first column of amounts, text and partner from titles.
void guessColumns(ImportMapping &m, const QStringList &header, const QList<QStringList> &rows);

// A reason for the user when the mapping cannot read rows; empty when it can.
QString mappingProblem(const ImportMapping &m);

// --- the settings file: sections "ImportMinta1", "ImportMinta2", ... with Nev, Fejlec and
// the mapping's values.
void saveMapping(const QString &iniPath, const ImportMapping &m, const QString &headerKey);
QStringList savedMappingNames(const QString &iniPath);
// The mapping saved under `name`, or the one saved for `headerKey` when name is empty.
bool loadMapping(const QString &iniPath, const QString &name, const QString &headerKey, ImportMapping &m);

}  // namespace zorva
