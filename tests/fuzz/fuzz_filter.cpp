// The filter grammar of datasets: a text either parses or is refused with the data
// layer's error; a parsed filter runs over rows of every column type.
#include "fuzzdriver.h"

#include "db/errors.h"
#include "db/memtable.h"

namespace {

TkbmMemTable &rows()
{
    static TkbmMemTable *t = [] {
        auto *m = new TkbmMemTable;
        m->addFieldDef(QStringLiteral("kassza"), TFieldType::ftInteger);
        m->addFieldDef(QStringLiteral("osszeg"), TFieldType::ftFloat);
        m->addFieldDef(QStringLiteral("nev"), TFieldType::ftString, 20);
        m->addFieldDef(QStringLiteral("fizetve"), TFieldType::ftString, 1);
        m->open();
        const QList<std::tuple<int, double, QString, QString>> values = {
            {1, 1.5, "O'Neil", "I"}, {2, -3, "árvíztűrő", "N"}, {3, 0, "", "I"}, {-1, 1e300, "a\\b", ""}};
        for (const auto &[kassza, osszeg, nev, fizetve] : values) {
            m->append();
            m->fieldByName(QStringLiteral("kassza")).setAsInteger(kassza);
            m->fieldByName(QStringLiteral("osszeg")).setAsFloat(osszeg);
            m->fieldByName(QStringLiteral("nev")).setAsString(nev);
            m->fieldByName(QStringLiteral("fizetve")).setAsString(fizetve);
            m->post();
        }
        m->append();  // a row of NULLs
        m->post();
        return m;
    }();
    return *t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString expression = fuzz::text(data, size);
    TkbmMemTable &t = rows();
    try {
        t.setFilter(expression);
        t.setFiltered(true);
        int visible = 0;
        for (t.first(); !t.eof(); t.next())
            ++visible;
        FUZZ_CHECK(visible == t.recordCount() && visible <= 5, expression);
    } catch (const EmySQLDatabaseError &e) {
        FUZZ_CHECK(!e.message().isEmpty(), expression);
    }
    t.setFiltered(false);
    t.setFilter(QString());
    FUZZ_CHECK(t.recordCount() == 5, expression);
    return 0;
}
