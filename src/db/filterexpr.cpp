#include "filterexpr.h"

#include "cellconv.h"
#include "errors.h"
#include "rowstore.h"

enum class NodeKind { And, Or, Not, Compare };
enum class CompareOp { Eq, Ne, Lt, Gt, Le, Ge };

struct FilterExpr::Node {
    NodeKind kind = NodeKind::Compare;
    int left = -1;
    int right = -1;
    // comparison
    QString field;
    int column = -1;
    CompareOp op = CompareOp::Eq;
    bool numberLiteral = false;
    double number = 0;
    QString text;  // the literal as text (also for numbers)
    QDate date;    // the text literal read as a date, when it is one
};

FilterExpr::FilterExpr() = default;
FilterExpr::~FilterExpr() = default;

class FilterParser {
public:
    FilterParser(const QString &text, FilterExpr &expr) : m_text(text), m_expr(expr) {}

    int parseAll()
    {
        const int root = parseOr();
        skipSpaces();
        if (m_pos < m_text.size())
            fail(QStringLiteral("váratlan szöveg"));
        return root;
    }

private:
    const QString &m_text;
    FilterExpr &m_expr;
    qsizetype m_pos = 0;

    [[noreturn]] void fail(const QString &what) const
    {
        throw EmySQLDatabaseError(
            QStringLiteral("Hibás szűrőfeltétel (%1. karakter, %2): %3").arg(m_pos + 1).arg(what, m_text));
    }

    void skipSpaces()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    static bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'.'; }

    // The word (and / or / not) at the cursor, not followed by a name character.
    bool takeWord(QStringView word)
    {
        skipSpaces();
        if (m_text.size() - m_pos < word.size())
            return false;
        if (QStringView(m_text).mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype end = m_pos + word.size();
        if (end < m_text.size() && isNameChar(m_text[end]))
            return false;
        m_pos = end;
        return true;
    }

    int add(FilterExpr::Node node)
    {
        m_expr.m_nodes.push_back(std::move(node));
        return int(m_expr.m_nodes.size() - 1);
    }

    int parseOr()
    {
        int left = parseAnd();
        while (takeWord(u"or")) {
            FilterExpr::Node n;
            n.kind = NodeKind::Or;
            n.left = left;
            n.right = parseAnd();
            left = add(std::move(n));
        }
        return left;
    }

    int parseAnd()
    {
        int left = parseFactor();
        while (takeWord(u"and")) {
            FilterExpr::Node n;
            n.kind = NodeKind::And;
            n.left = left;
            n.right = parseFactor();
            left = add(std::move(n));
        }
        return left;
    }

    int parseFactor()
    {
        skipSpaces();
        if (m_pos < m_text.size() && m_text[m_pos] == u'(') {
            ++m_pos;
            const int inner = parseOr();
            skipSpaces();
            if (m_pos >= m_text.size() || m_text[m_pos] != u')')
                fail(QStringLiteral("hiányzó zárójel"));
            ++m_pos;
            return inner;
        }
        if (takeWord(u"not")) {
            FilterExpr::Node n;
            n.kind = NodeKind::Not;
            n.left = parseFactor();
            return add(std::move(n));
        }
        return parseComparison();
    }

    int parseComparison()
    {
        skipSpaces();
        FilterExpr::Node n;
        n.kind = NodeKind::Compare;
        const qsizetype start = m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == u'[') {
            const qsizetype close = m_text.indexOf(u']', m_pos);
            if (close < 0)
                fail(QStringLiteral("hiányzó ]"));
            n.field = m_text.mid(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
        } else {
            while (m_pos < m_text.size() && isNameChar(m_text[m_pos]))
                ++m_pos;
            n.field = m_text.mid(start, m_pos - start);
        }
        if (n.field.isEmpty())
            fail(QStringLiteral("mezőnév kell"));
        skipSpaces();
        n.op = parseOperator();
        skipSpaces();
        parseValue(n);
        return add(std::move(n));
    }

    CompareOp parseOperator()
    {
        auto at = [this](QStringView s) {
            if (QStringView(m_text).mid(m_pos).startsWith(s)) {
                m_pos += s.size();
                return true;
            }
            return false;
        };
        if (at(u"<>") || at(u"!="))
            return CompareOp::Ne;
        if (at(u"<="))
            return CompareOp::Le;
        if (at(u">="))
            return CompareOp::Ge;
        if (at(u"="))
            return CompareOp::Eq;
        if (at(u"<"))
            return CompareOp::Lt;
        if (at(u">"))
            return CompareOp::Gt;
        fail(QStringLiteral("összehasonlító jel kell"));
    }

    void parseValue(FilterExpr::Node &n)
    {
        if (m_pos >= m_text.size())
            fail(QStringLiteral("érték kell"));
        if (m_text[m_pos] == u'\'') {
            QString value;
            ++m_pos;
            for (;;) {
                if (m_pos >= m_text.size())
                    fail(QStringLiteral("lezáratlan szöveg"));
                const QChar c = m_text[m_pos++];
                if (c == u'\'') {
                    if (m_pos < m_text.size() && m_text[m_pos] == u'\'') {
                        value += u'\'';
                        ++m_pos;
                        continue;
                    }
                    break;
                }
                value += c;
            }
            n.text = value;
            n.date = dbconv::parseDateText(value);
            return;
        }
        const qsizetype start = m_pos;
        if (m_text[m_pos] == u'-' || m_text[m_pos] == u'+')
            ++m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos].isDigit() || m_text[m_pos] == u'.'))
            ++m_pos;
        const QString number = m_text.mid(start, m_pos - start);
        if (!dbconv::parseDouble(number, n.number))
            fail(QStringLiteral("szám vagy idézőjeles szöveg kell"));
        n.numberLiteral = true;
        n.text = number;
    }
};

std::unique_ptr<FilterExpr> FilterExpr::parse(const QString &text)
{
    std::unique_ptr<FilterExpr> expr(new FilterExpr);
    FilterParser parser(text, *expr);
    expr->m_root = parser.parseAll();
    return expr;
}

QStringList FilterExpr::fieldNames() const
{
    QStringList names;
    for (const Node &n : m_nodes)
        if (n.kind == NodeKind::Compare)
            names << n.field;
    return names;
}

void FilterExpr::bind(const std::function<int(const QString &)> &columnOf)
{
    for (Node &n : m_nodes)
        if (n.kind == NodeKind::Compare)
            n.column = columnOf(n.field);
}

namespace {

template <typename T>
int threeWay(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

bool holds(CompareOp op, int cmp)
{
    switch (op) {
        case CompareOp::Eq:
            return cmp == 0;
        case CompareOp::Ne:
            return cmp != 0;
        case CompareOp::Lt:
            return cmp < 0;
        case CompareOp::Gt:
            return cmp > 0;
        case CompareOp::Le:
            return cmp <= 0;
        case CompareOp::Ge:
            return cmp >= 0;
    }
    return false;
}

}  // namespace

bool FilterExpr::matches(const RowStore &store, int row) const
{
    return m_root < 0 || eval(store, row, m_root);
}

bool FilterExpr::eval(const RowStore &store, int row, int node) const
{
    const Node &n = m_nodes[size_t(node)];
    switch (n.kind) {
        case NodeKind::And:
            return eval(store, row, n.left) && eval(store, row, n.right);
        case NodeKind::Or:
            return eval(store, row, n.left) || eval(store, row, n.right);
        case NodeKind::Not:
            return !eval(store, row, n.left);
        case NodeKind::Compare:
            break;
    }
    const CellRef cell = store.cell(row, n.column);
    if (cell.isNull())
        return false;
    const ColumnInfo &col = store.column(n.column);
    if (isNumericType(col.type)) {
        double literal = n.number;
        if (n.numberLiteral || dbconv::parseDouble(n.text, literal))
            return holds(n.op, threeWay(cellconv::toDouble(cell, col), literal));
    } else if (col.type == TFieldType::ftDate || col.type == TFieldType::ftDateTime) {
        if (n.date.isValid())
            return holds(n.op, threeWay(cellconv::toDate(cell, col).toJulianDay(), n.date.toJulianDay()));
    } else if (n.numberLiteral) {
        double value;
        const QString text = cellconv::toString(cell, col, store.codec());
        if (dbconv::parseDouble(text, value))
            return holds(n.op, threeWay(value, n.number));
        return holds(n.op, QString::compare(text, n.text));
    }
    return holds(n.op, QString::compare(cellconv::toString(cell, col, store.codec()), n.text));
}
