#include "commandline_password.h"

#include <QFile>
#include <QIODevice>

#include <cstdio>

namespace zorva {

namespace {

QString firstLine(QIODevice &device)
{
    QByteArray line = device.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

}  // namespace

PasswordOption takePasswordOption(QStringList &args, QIODevice *input)
{
    PasswordOption o;
    for (qsizetype i = 0; i < args.size();) {
        const QString a = args.at(i);
        if (a == QLatin1String("--password-file")) {
            if (i + 1 >= args.size()) {
                o.error = QStringLiteral("A --password-file után a jelszót tartalmazó fájl neve kell.");
                return o;
            }
            const QString name = args.at(i + 1);
            args.remove(i, 2);
            QFile f(name);
            if (!f.open(QIODevice::ReadOnly)) {
                o.error = QStringLiteral("A jelszó fájl nem olvasható: %1 (%2)").arg(name, f.errorString());
                return o;
            }
            o.password = firstLine(f);
            o.overrides = true;
        } else if (a == QLatin1String("--password-stdin")) {
            args.remove(i);
            QFile in;
            QIODevice *source = input;
            if (!source) {
                if (!in.open(stdin, QIODevice::ReadOnly)) {
                    o.error = QStringLiteral("A szabványos bemenet nem olvasható.");
                    return o;
                }
                source = &in;
            }
            o.password = firstLine(*source);
            o.overrides = true;
        } else {
            ++i;
        }
    }
    if (!o.password) {
        const QByteArray env = qgetenv("ZORVA_PASSWORD");
        if (!env.isEmpty())
            o.password = QString::fromUtf8(env);
    }
    return o;
}

QString withPassword(const QString &connection, const QString &password, bool overrides, QString &error)
{
    if (connection.contains(QLatin1Char(';'))) {
        QStringList f = connection.split(QLatin1Char(';'));
        if (f.size() < 5 || (!overrides && !f.at(4).isEmpty()))
            return connection;
        if (password.contains(QLatin1Char(';'))) {
            error = QStringLiteral(
                "A kapcsolat mezőit ';' választja el, ezért a jelszó nem tartalmazhat ';' jelet.");
            return QString();
        }
        f[4] = password;
        return f.join(QLatin1Char(';'));
    }
    const qsizetype at = connection.lastIndexOf(QLatin1Char('@'));
    if (at <= 0)
        return connection;  // not a connection text; its own check reports it
    const QString account = connection.left(at);
    const qsizetype colon = account.indexOf(QLatin1Char(':'));
    if (colon >= 0 && colon + 1 < account.size() && !overrides)
        return connection;
    const QString user = colon < 0 ? account : account.left(colon);
    return user + QLatin1Char(':') + password + connection.mid(at);
}

}  // namespace zorva
