// The tables the start-up and the sign-in read, created in a test schema with a few rows.
#pragma once

#include "db/database.h"
#include "support/testserver.h"

#include <QString>

namespace testsupport {

inline void createStartupTables(TmySQLDatabase &db)
{
    db.execute(QStringLiteral(
        "CREATE TABLE felhasznalo (felhasznalo VARCHAR(20) NOT NULL, felhasznalo_nev VARCHAR(20) NULL, "
        "jelszo VARCHAR(128) NULL, rendszergazda CHAR(1) NOT NULL DEFAULT 'N', "
        "torzsszerkeszt CHAR(1) NOT NULL DEFAULT 'N', szerkeszthet CHAR(1) NOT NULL DEFAULT 'N', "
        "torolhet CHAR(1) NOT NULL DEFAULT 'N', PRIMARY KEY (felhasznalo)) "
        "ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci"));
    db.execute(QStringLiteral(
        "CREATE TABLE beallit (beallit_id TINYINT NOT NULL DEFAULT 1, vanbelep CHAR(1) NOT NULL DEFAULT 'N', "
        "kasszatip_ki INT NULL, kasszatip_vissza INT NULL, kapkasszatip_ki INT NULL, "
        "kapkasszatip_vissza INT NULL, kasszatip_csekk INT NULL, PRIMARY KEY (beallit_id)) "
        "ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci"));
    db.execute(QStringLiteral(
        "CREATE TABLE tulajdonos (tulajdonos_id TINYINT NOT NULL DEFAULT 1, tulajdonos VARCHAR(100) NULL, "
        "PRIMARY KEY (tulajdonos_id)) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci"));
    db.execute(QStringLiteral(
        "INSERT INTO felhasznalo VALUES ('Anna', 'Kovács Anna', 'Titok1', 'N', 'I', 'N', 'N'), "
        "('Béla', 'Nagy Béla', 'jelszó', 'I', 'N', 'N', 'I')"));
    db.execute(QStringLiteral("INSERT INTO beallit (vanbelep, kasszatip_ki, kasszatip_csekk) VALUES ('N', 7, 12)"));
    db.execute(QStringLiteral("INSERT INTO tulajdonos (tulajdonos) VALUES ('Kovács Árpád')"));
}

// A plain profile of the test server's schema.
inline QString profileOf(const QString &schema, const QString &displayName, int port = 0)
{
    const ServerParams p = serverParams();
    return QStringLiteral("%1;%2;%3;%4;%5;%6")
        .arg(schema, p.host, QString::number(port ? port : p.port), p.user, p.password, displayName);
}

}  // namespace testsupport
