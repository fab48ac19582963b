// The connection to a MariaDB/MySQL server.
#pragma once

#include "errors.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TDataSet;
class TextCodec;
struct st_mysql;
struct st_mysql_res;

enum TConnectOption { coCompress = 1 };

class TmySQLDatabase : public QObject {
    Q_OBJECT
public:
    explicit TmySQLDatabase(QObject *parent = nullptr);
    ~TmySQLDatabase() override;

    // Properties, set before open().
    QString databaseName() const;
    void setDatabaseName(const QString &name);
    QString host() const;
    void setHost(const QString &host);
    int port() const;
    void setPort(int port);
    QString userName() const;
    void setUserName(const QString &user);
    QString userPassword() const;
    void setUserPassword(const QString &password);
    int connectOptions() const;  // TConnectOption flags
    void setConnectOptions(int options);
    QString connectionCharacterSet() const;
    void setConnectionCharacterSet(const QString &charset);
    QString connectionCollation() const;
    void setConnectionCollation(const QString &collation);
    // name=value lines; "Port=3306" and "TIMEOUT=30" (network time-out, seconds) are understood.
    QStringList params() const;
    void setParams(const QStringList &params);

    bool connected() const;
    void setConnected(bool on);
    void open();   // does nothing when open
    void close();  // closes every dataset of the connection first
    void closeDataSets();

    // Statements given as text without parameters.  A statement the server rolled back for
    // a deadlock or a lock wait time-out (1213, 1205; on a replicated cluster also a clash
    // with another node's write) is sent again a few times after a short random pause before
    // the error is raised; never inside a transaction of the session's own.
    void execute(const QString &sql);  // statement that returns no rows (results are drained)
    quint64 affectedRows() const;      // of the last execute()
    quint64 lastInsertId() const;      // of the last execute()

    // One value: first column of the first row; the default only when no row comes back.
    QString queryText(const QString &sql, const QString &defaultValue = QString());
    qint64 queryInt(const QString &sql, qint64 defaultValue = 0);      // NULL / not a number -> 0
    double queryFloat(const QString &sql, double defaultValue = 0.0);  // NULL / not a number -> 0

    // Statements that belong together (paying a bill and booking it): `unit` runs again as a
    // whole, a few times, when it raises a deadlock or lock wait time-out, outside a
    // transaction only.  The unit itself takes back what it did before it raises.
    void runUnit(const std::function<void()> &unit);

    QStringList tableNames();  // base tables of the current schema, views left out

    unsigned long threadId() const;  // server connection id; changes after a re-connection
    QString serverVersion() const;

    // Text conversion between the program and the wire, by the connection's character set.
    QByteArray encode(const QString &text) const;
    QString decode(const char *data, size_t length) const;

    st_mysql *handle();  // opens the connection first
    // The failure of the last call made on handle(), as the layer raises it (a lost server
    // said in Hungarian, a refusal with its number).
    EmySQLDatabaseError lastError() const;

    // Runs a statement (text without parameters) and returns the first result set that has
    // columns, the whole result in memory; every further result is read away.  nullptr when
    // no statement of the text returned columns.  The caller frees it with mysql_free_result.
    st_mysql_res *openResult(const QString &sql);
    // The codec of the connection's character set (shared, so that rows read earlier keep
    // theirs when a statement changes the character set).
    std::shared_ptr<const TextCodec> codec() const;

    // Datasets register themselves so that close() can close them.
    void registerDataSet(TDataSet *ds);
    void unregisterDataSet(TDataSet *ds);

signals:
    void afterConnect();
    void onReconnect();  // a dropped connection was re-established (character set and collation
                         // are already back in force when this fires)

private:
    st_mysql *connectSession();
    void reconnectIdle();
    struct Private;
    std::unique_ptr<Private> d;
};
