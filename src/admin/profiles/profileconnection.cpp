#include "profileconnection.h"

#include "core/programsettings.h"
#include "core/texthelpers.h"
#include "core/ui/messagebox.h"
#include "db/database.h"
#include "db/errors.h"

#include <QApplication>
#include <QCursor>

namespace zorva {

bool parsePort(const QString &text, int &port)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 5)
        return false;
    for (QChar c : t) {
        if (c < u'0' || c > u'9')
            return false;
    }
    const int value = t.toInt();
    if (value < 1 || value > 65535)
        return false;
    port = value;
    return true;
}

QString portErrorText(const QString &text)
{
    return QStringLiteral("Hibás port: \"%1\". A port 1 és 65535 közötti egész szám lehet.")
        .arg(text.trimmed());
}

void applyProfile(TmySQLDatabase &db, const QString &plain)
{
    const QString sep = QStringLiteral(";");
    const QString portText = FieldOf(sep, plain, 3);
    int port = 0;
    if (!parsePort(portText, port))
        throw EmySQLDatabaseError(portErrorText(portText));
    const ProfileFields f = splitConnectionProfile(plain);
    db.setDatabaseName(f.database);
    db.setHost(f.host);
    db.setPort(port);
    db.setUserName(f.user);
    db.setUserPassword(f.password);
}

bool TestProfileConnection(TmySQLDatabase &db, const QString &plain, QWidget *parent)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        db.close();
        applyProfile(db, plain);
        db.open();
        db.close();
    } catch (const EmySQLDatabaseError &e) {
        QApplication::restoreOverrideCursor();
        db.close();
        ShowError(QStringLiteral("Hiba: ") + e.message(), parent);
        return false;
    }
    QApplication::restoreOverrideCursor();
    return true;
}

}  // namespace zorva
