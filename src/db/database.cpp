#include "database.h"

#include "dataset.h"
#include "dberror_p.h"
#include "textcodec.h"
#include "valueconv.h"

#include <algorithm>
#include <QPointer>
#include <QRandomGenerator>

#include <chrono>
#include <optional>
#include <thread>

#include <poll.h>

#include <mysql.h>

namespace {

QString paramValue(const QStringList &params, QStringView key)
{
    for (const QString &line : params) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && QStringView(line).left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1).trimmed();
    }
    return QString();
}

QString quoted(const QString &value)
{
    QString v = value;
    v.replace(u'\'', QStringLiteral("''"));
    return u'\'' + v + u'\'';
}

// A statement that lost a deadlock (1213) or waited too long for a lock (1205) was rolled
// back by the server as a whole, so it can be sent again.  A replicated cluster also answers
// a write that clashed with another node's write with 1213.
bool retryableCode(int code)
{
    return code == 1213 || code == 1205;
}

// A procedure on a Galera node leaves every clash with another node's write to the client,
// so a busy cash box can lose several attempts in a row there.
constexpr int kStatementAttempts = 30;
constexpr int kUnitAttempts = 3;

// A short random pause before the next attempt, growing with the attempt up to the tenth,
// so that the writers that clashed do not meet again at once.
void backOff(int attempt)
{
    const int ms = QRandomGenerator::global()->bounded(10, 50) * std::min(attempt, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

struct TmySQLDatabase::Private {
    QString databaseName;
    QString host = QStringLiteral("localhost");
    int port = 0;  // 0: from Params, else 3306
    QString userName = QStringLiteral("root");
    QString password;
    int connectOptions = 0;
    QString charset;
    QString collation;
    QStringList params;

    MYSQL *mysql = nullptr;
    unsigned long threadId = 0;
    std::shared_ptr<const TextCodec> codec = std::make_shared<TextCodec>(QStringLiteral("utf8mb4"));
    QList<QPointer<TDataSet>> dataSets;
    quint64 affectedRows = 0;
    quint64 lastInsertId = 0;
    bool inReconnectHandler = false;
    bool lost = false;  // the last statement lost the connection: set up a new one before the next

    int effectivePort() const
    {
        if (port > 0)
            return port;
        const int fromParams = paramValue(params, u"Port").toInt();
        return fromParams > 0 ? fromParams : 3306;
    }

    // The statement that puts the connection's character set and collation in force; empty
    // when neither is set.
    QString namesStatement() const
    {
        if (!charset.isEmpty() && !collation.isEmpty())
            return QStringLiteral("SET NAMES %1 COLLATE %2").arg(quoted(charset), quoted(collation));
        if (!charset.isEmpty())
            return QStringLiteral("SET NAMES %1").arg(quoted(charset));
        if (!collation.isEmpty())
            return QStringLiteral("SET collation_connection = %1").arg(quoted(collation));
        return QString();
    }

    void updateCodec()
    {
        const QString name = QString::fromLatin1(mysql_character_set_name(mysql));
        if (name.compare(codec->name(), Qt::CaseInsensitive) != 0)
            codec = std::make_shared<TextCodec>(name);
    }
};

TmySQLDatabase::TmySQLDatabase(QObject *parent) : QObject(parent), d(std::make_unique<Private>()) {}

TmySQLDatabase::~TmySQLDatabase()
{
    close();
}

QString TmySQLDatabase::databaseName() const
{
    return d->databaseName;
}
void TmySQLDatabase::setDatabaseName(const QString &name)
{
    d->databaseName = name;
}
QString TmySQLDatabase::host() const
{
    return d->host;
}
void TmySQLDatabase::setHost(const QString &host)
{
    d->host = host;
}
int TmySQLDatabase::port() const
{
    return d->effectivePort();
}
void TmySQLDatabase::setPort(int port)
{
    d->port = port;
}
QString TmySQLDatabase::userName() const
{
    return d->userName;
}
void TmySQLDatabase::setUserName(const QString &user)
{
    d->userName = user;
}
QString TmySQLDatabase::userPassword() const
{
    return d->password;
}
void TmySQLDatabase::setUserPassword(const QString &password)
{
    d->password = password;
}
int TmySQLDatabase::connectOptions() const
{
    return d->connectOptions;
}
void TmySQLDatabase::setConnectOptions(int options)
{
    d->connectOptions = options;
}
QString TmySQLDatabase::connectionCharacterSet() const
{
    return d->charset;
}
void TmySQLDatabase::setConnectionCharacterSet(const QString &charset)
{
    d->charset = charset;
}
QString TmySQLDatabase::connectionCollation() const
{
    return d->collation;
}
void TmySQLDatabase::setConnectionCollation(const QString &collation)
{
    d->collation = collation;
}
QStringList TmySQLDatabase::params() const
{
    return d->params;
}
void TmySQLDatabase::setParams(const QStringList &params)
{
    d->params = params;
}

bool TmySQLDatabase::connected() const
{
    return d->mysql != nullptr;
}

void TmySQLDatabase::setConnected(bool on)
{
    if (on)
        open();
    else
        close();
}

namespace {

// Runs one statement on a handle and reads away whatever it returns.
void runOnHandle(MYSQL *m, const TextCodec &codec, const QString &sql)
{
    const QByteArray bytes = codec.encode(sql);
    if (mysql_real_query(m, bytes.constData(), static_cast<unsigned long>(bytes.size())) != 0)
        throw dbError(m, codec);
    int status = 0;
    do {
        if (MYSQL_RES *res = mysql_store_result(m))
            mysql_free_result(res);
        else if (mysql_field_count(m) != 0)
            throw dbError(m, codec);
        status = mysql_next_result(m);
        if (status > 0)
            throw dbError(m, codec);
    } while (status == 0);
}

// True when the server closed an idle connection (or left a notice on it, as KILL does):
// nothing may be waiting on a connection between two statements.
bool idleConnectionDropped(MYSQL *m)
{
    const my_socket fd = mysql_get_socket(m);
    if (fd < 0)
        return false;
    pollfd p{int(fd), POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
}

// True while the session has a transaction of its own open (or autocommit is off): then a
// failed statement has taken the whole transaction with it and must not be sent alone again.
bool inTransaction(MYSQL *m)
{
    unsigned int status = 0;
    if (mariadb_get_infov(m, MARIADB_CONNECTION_SERVER_STATUS, &status) != 0)
        return true;
    return (status & SERVER_STATUS_IN_TRANS) != 0 || (status & SERVER_STATUS_AUTOCOMMIT) == 0;
}

}  // namespace

// A new session with every property applied: options, account, schema, character set and
// collation.  Throws the client's or the server's refusal.
st_mysql *TmySQLDatabase::connectSession()
{
    MYSQL *m = mysql_init(nullptr);
    if (!m)
        throw EmySQLDatabaseError(QStringLiteral("Nincs elég memória a kapcsolathoz"));

    my_bool reconnect = 1;
    mysql_optionsv(m, MYSQL_OPT_RECONNECT, &reconnect);
    if (d->connectOptions & coCompress)
        mysql_optionsv(m, MYSQL_OPT_COMPRESS, nullptr);
    const int timeout = paramValue(d->params, u"TIMEOUT").toInt();
    if (timeout > 0) {
        const unsigned int t = static_cast<unsigned int>(timeout);
        mysql_optionsv(m, MYSQL_OPT_CONNECT_TIMEOUT, &t);
        mysql_optionsv(m, MYSQL_OPT_READ_TIMEOUT, &t);
        mysql_optionsv(m, MYSQL_OPT_WRITE_TIMEOUT, &t);
    }
    const QByteArray charset = d->charset.toLatin1();
    if (!charset.isEmpty())
        mysql_optionsv(m, MYSQL_SET_CHARSET_NAME, charset.constData());
    // A port is always meant: "localhost" would otherwise go through the default socket.
    const QString socketPath = paramValue(d->params, u"Socket");
    unsigned int protocol = socketPath.isEmpty() ? MYSQL_PROTOCOL_TCP : MYSQL_PROTOCOL_SOCKET;
    mysql_optionsv(m, MYSQL_OPT_PROTOCOL, &protocol);

    // Account names and passwords travel in the character set asked for.
    const TextCodec wire(d->charset.isEmpty() ? QStringLiteral("utf8mb4") : d->charset);
    const QByteArray host = d->host.toUtf8();
    const QByteArray user = wire.encode(d->userName);
    const QByteArray password = wire.encode(d->password);
    const QByteArray schema = wire.encode(d->databaseName);
    const QByteArray socket = socketPath.toLocal8Bit();
    if (!mysql_real_connect(m, host.isEmpty() ? nullptr : host.constData(), user.constData(),
                            password.constData(), schema.isEmpty() ? nullptr : schema.constData(),
                            static_cast<unsigned int>(d->effectivePort()),
                            socket.isEmpty() ? nullptr : socket.constData(),
                            CLIENT_MULTI_STATEMENTS | CLIENT_MULTI_RESULTS)) {
        const EmySQLDatabaseError error = dbError(m, wire);
        mysql_close(m);
        throw error;
    }
    const QString names = d->namesStatement();
    if (!names.isEmpty()) {
        try {
            runOnHandle(m, TextCodec(QString::fromLatin1(mysql_character_set_name(m))), names);
        } catch (...) {
            mysql_close(m);
            throw;
        }
    }
    return m;
}

void TmySQLDatabase::open()
{
    if (d->mysql)
        return;
    d->mysql = connectSession();
    d->threadId = mysql_thread_id(d->mysql);
    d->updateCodec();
    emit afterConnect();
}

// The server dropped the connection while it was idle: a new session is set up before the
// next statement, so that the statement already runs with the connection's settings.
void TmySQLDatabase::reconnectIdle()
{
    mysql_close(d->mysql);
    d->mysql = nullptr;
    d->mysql = connectSession();  // on failure the connection stays closed; the next use tries again
    d->threadId = mysql_thread_id(d->mysql);
    d->updateCodec();
    emit onReconnect();
}

void TmySQLDatabase::close()
{
    if (!d->mysql)
        return;
    closeDataSets();
    mysql_close(d->mysql);
    d->mysql = nullptr;
    d->threadId = 0;
}

void TmySQLDatabase::closeDataSets()
{
    const auto sets = d->dataSets;
    for (const QPointer<TDataSet> &ds : sets)
        if (ds)
            ds->close();
}

st_mysql *TmySQLDatabase::handle()
{
    open();
    return d->mysql;
}

EmySQLDatabaseError TmySQLDatabase::lastError() const
{
    if (!d->mysql)
        return EmySQLDatabaseError(QStringLiteral("Nincs megnyitott adatbázis-kapcsolat"));
    return dbError(d->mysql, *d->codec);
}

std::shared_ptr<const TextCodec> TmySQLDatabase::codec() const
{
    return d->codec;
}

QByteArray TmySQLDatabase::encode(const QString &text) const
{
    return d->codec->encode(text);
}

QString TmySQLDatabase::decode(const char *data, size_t length) const
{
    return d->codec->decode(data, static_cast<qsizetype>(length));
}

// Sends the text and walks every result it produces.  `keep` receives the first result set
// with columns when it is not null; every other result set is freed.  A re-established
// connection is noticed here, after the results were read away.
st_mysql_res *TmySQLDatabase::openResult(const QString &sql)
{
    if (sql.trimmed().isEmpty())
        throw EmySQLDatabaseError(QStringLiteral("Üres SQL utasítás"));
    MYSQL *m = handle();
    // Left to the client library, the next statement would run on its new session before
    // the character set and collation are put back.
    if (!d->inReconnectHandler && (d->lost || idleConnectionDropped(m))) {
        d->lost = false;
        d->inReconnectHandler = true;
        try {
            reconnectIdle();
        } catch (...) {
            d->inReconnectHandler = false;
            throw;
        }
        d->inReconnectHandler = false;
        m = d->mysql;
    }
    const QByteArray bytes = d->codec->encode(sql);
    MYSQL_RES *first = nullptr;
    bool firstStatement = true;
    std::optional<EmySQLDatabaseError> failure;

    // Only a text refused as a whole at its first statement is sent again: nothing of it
    // took effect.  A later statement of a multi-statement text fails after the earlier
    // ones were done, and inside a transaction the transaction itself was lost.
    const bool mayRetry = !inTransaction(m);
    for (int attempt = 1;; ++attempt) {
        if (mysql_real_query(m, bytes.constData(), static_cast<unsigned long>(bytes.size())) == 0)
            break;
        failure = dbError(m, *d->codec);
        if (!mayRetry || attempt >= kStatementAttempts || !retryableCode(failure->errorCode()) ||
            mysql_thread_id(m) != d->threadId)
            break;
        failure.reset();
        backOff(attempt);
    }
    if (!failure) {
        int status = 0;
        do {
            MYSQL_RES *res = mysql_store_result(m);
            if (firstStatement) {
                d->affectedRows = res ? mysql_num_rows(res) : mysql_affected_rows(m);
                d->lastInsertId = mysql_insert_id(m);
                firstStatement = false;
            }
            if (res) {
                if (!first)
                    first = res;
                else
                    mysql_free_result(res);
            } else if (mysql_field_count(m) != 0) {
                failure = dbError(m, *d->codec);  // the rows could not be read
                break;
            }
            status = mysql_next_result(m);
            if (status > 0) {
                failure = dbError(m, *d->codec);
                break;
            }
        } while (status == 0);
    }

    // The client library re-established a connection that dropped during the statement.
    if (mysql_thread_id(m) != d->threadId) {
        d->threadId = mysql_thread_id(m);
        if (!d->inReconnectHandler) {
            // The new session starts with the collation of the handshake: put ours back first.
            d->inReconnectHandler = true;
            try {
                const QString names = d->namesStatement();
                if (!names.isEmpty())
                    execute(names);
                emit onReconnect();
            } catch (...) {
                d->inReconnectHandler = false;
                if (first)
                    mysql_free_result(first);
                throw;
            }
            d->inReconnectHandler = false;
        }
    }
    d->updateCodec();

    if (failure) {
        const int code = failure->errorCode();
        d->lost = code == 2006 || code == 2013 || code == 2055 || code == 1927 || code == 1053;
        if (first)
            mysql_free_result(first);
        throw *failure;
    }
    return first;
}

void TmySQLDatabase::runUnit(const std::function<void()> &unit)
{
    const bool mayRetry = !inTransaction(handle());
    for (int attempt = 1;; ++attempt) {
        try {
            unit();
            return;
        } catch (const EmySQLDatabaseError &e) {
            if (!mayRetry || attempt >= kUnitAttempts || !retryableCode(e.errorCode()))
                throw;
        }
        backOff(attempt);
    }
}

void TmySQLDatabase::execute(const QString &sql)
{
    MYSQL_RES *res = openResult(sql);
    if (res)
        mysql_free_result(res);
}

quint64 TmySQLDatabase::affectedRows() const
{
    return d->affectedRows;
}

quint64 TmySQLDatabase::lastInsertId() const
{
    return d->lastInsertId;
}

namespace {

// First column of the first row; nullopt when no row (or no such column) came back.
struct FirstValue {
    bool found = false;
    bool isNull = true;
    QByteArray bytes;
};

FirstValue firstValue(TmySQLDatabase &db, const QString &sql)
{
    FirstValue v;
    MYSQL_RES *res = db.openResult(sql);
    if (!res)
        return v;
    MYSQL_ROW row = mysql_num_fields(res) >= 1 ? mysql_fetch_row(res) : nullptr;
    if (row) {
        v.found = true;
        if (row[0]) {
            v.isNull = false;
            v.bytes = QByteArray(row[0], static_cast<qsizetype>(mysql_fetch_lengths(res)[0]));
        }
    }
    mysql_free_result(res);
    return v;
}

}  // namespace

QString TmySQLDatabase::queryText(const QString &sql, const QString &defaultValue)
{
    const FirstValue v = firstValue(*this, sql);
    if (!v.found)
        return defaultValue;
    return v.isNull ? QString() : d->codec->decode(v.bytes);
}

qint64 TmySQLDatabase::queryInt(const QString &sql, qint64 defaultValue)
{
    const FirstValue v = firstValue(*this, sql);
    if (!v.found)
        return defaultValue;
    qint64 n = 0;
    if (v.isNull || !dbconv::parseInt64(v.bytes.constData(), v.bytes.size(), n))
        return 0;
    return n;
}

double TmySQLDatabase::queryFloat(const QString &sql, double defaultValue)
{
    const FirstValue v = firstValue(*this, sql);
    if (!v.found)
        return defaultValue;
    double x = 0;
    if (v.isNull || !dbconv::parseDouble(v.bytes.constData(), v.bytes.size(), x))
        return 0;
    return x;
}

QStringList TmySQLDatabase::tableNames()
{
    QStringList names;
    MYSQL_RES *res = openResult(QStringLiteral("SHOW FULL TABLES WHERE Table_type = 'BASE TABLE'"));
    if (!res)
        return names;
    while (MYSQL_ROW row = mysql_fetch_row(res)) {
        if (row[0])
            names << d->codec->decode(row[0], static_cast<qsizetype>(mysql_fetch_lengths(res)[0]));
    }
    mysql_free_result(res);
    return names;
}

unsigned long TmySQLDatabase::threadId() const
{
    return d->mysql ? mysql_thread_id(d->mysql) : 0;
}

QString TmySQLDatabase::serverVersion() const
{
    return d->mysql ? QString::fromLatin1(mysql_get_server_info(d->mysql)) : QString();
}

void TmySQLDatabase::registerDataSet(TDataSet *ds)
{
    for (const QPointer<TDataSet> &p : d->dataSets)
        if (p == ds)
            return;
    d->dataSets.removeAll(QPointer<TDataSet>());
    d->dataSets.append(ds);
}

void TmySQLDatabase::unregisterDataSet(TDataSet *ds)
{
    d->dataSets.removeIf([ds](const QPointer<TDataSet> &p) { return p.isNull() || p == ds; });
}
