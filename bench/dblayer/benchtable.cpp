#include "benchtable.h"

#include "db/database.h"

#include <QDate>
#include <QRandomGenerator>
#include <QStringList>

BenchServer benchServerFromEnvironment()
{
    BenchServer s;
    s.host = qEnvironmentVariable("ZORVA_TEST_HOST", QStringLiteral("127.0.0.1"));
    s.port = qEnvironmentVariableIntValue("ZORVA_TEST_PORT");
    if (s.port <= 0)
        s.port = 3306;
    s.user = qEnvironmentVariable("ZORVA_TEST_USER", QStringLiteral("root"));
    s.password = qEnvironmentVariable("ZORVA_TEST_PASSWORD");
    return s;
}

void configure(TmySQLDatabase &db, const BenchServer &server, const QString &schema)
{
    db.setHost(server.host);
    db.setPort(server.port);
    db.setUserName(server.user);
    db.setUserPassword(server.password);
    db.setDatabaseName(schema);
    db.setConnectOptions(coCompress);
    db.setParams({QStringLiteral("Port=%1").arg(server.port), QStringLiteral("TIMEOUT=30")});
    db.setConnectionCharacterSet(QStringLiteral("latin2"));
    db.setConnectionCollation(QStringLiteral("latin2_hungarian_ci"));
}

void createBenchTable(TmySQLDatabase &db, const QString &schema, int rows)
{
    db.execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(schema));
    db.execute(
        QStringLiteral("CREATE DATABASE `%1` CHARACTER SET latin2 COLLATE latin2_hungarian_ci").arg(schema));
    db.execute(QStringLiteral("USE `%1`").arg(schema));
    db.execute(QStringLiteral(
        "CREATE TABLE hazikassza (hid int NOT NULL AUTO_INCREMENT PRIMARY KEY, hazikassza int, kassza int, "
        "idoszak char(6), ugyfel int, datum date, kasszatip int, nyito double, osszeg double, zaro double, "
        "szoveg varchar(255), bevetel double, kiadas double) ENGINE=InnoDB"));
    const QStringList words = {
        QStringLiteral("villanyszámla"), QStringLiteral("bevásárlás"), QStringLiteral("fizetés"),
        QStringLiteral("Kovács Ödön"),   QStringLiteral("tűzifa"),     QStringLiteral("kölcsön"),
        QStringLiteral("gázóra"),        QStringLiteral("ebéd"),       QStringLiteral("ÁRVÍZTŰRŐ")};
    QRandomGenerator rng(20240101);
    double balance = 100000;
    const QDate start(2005, 1, 1);
    QStringList values;
    for (int i = 1; i <= rows; ++i) {
        const double amount = (rng.bounded(2) ? 1 : -1) * double(rng.bounded(1, 500000)) / 100.0;
        const QDate date = start.addDays(i / 30);
        QString text;
        const int n = 1 + rng.bounded(6);
        for (int k = 0; k < n; ++k)
            text += words[rng.bounded(words.size())] + u' ';
        values << QStringLiteral("(%1,%2,'%3',%4,'%5',%6,%7,%8,%9,'%10',%11,%12)")
                      .arg(i)
                      .arg(1 + i % 3)
                      .arg(date.toString(u"yyyyMM"))
                      .arg(rng.bounded(200))
                      .arg(date.toString(u"yyyy-MM-dd"))
                      .arg(rng.bounded(40))
                      .arg(balance, 0, 'f', 2)
                      .arg(amount, 0, 'f', 2)
                      .arg(balance + amount, 0, 'f', 2)
                      .arg(text.trimmed())
                      .arg(amount > 0 ? amount : 0, 0, 'f', 2)
                      .arg(amount < 0 ? amount : 0, 0, 'f', 2);
        balance += amount;
        if (values.size() == 2000 || i == rows) {
            db.execute(
                QStringLiteral("INSERT INTO hazikassza (hazikassza,kassza,idoszak,ugyfel,datum,kasszatip,"
                               "nyito,osszeg,zaro,szoveg,bevetel,kiadas) VALUES ") +
                values.join(u','));
            values.clear();
        }
    }
}
