// The password of a command, given without putting it on the command line (where every
// user of the machine could read it in the process list).
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QIODevice;

namespace zorva {

struct PasswordOption {
    std::optional<QString> password;  // nothing when none was given
    bool overrides = false;           // given by an option: wins over one in the connection text
    QString error;                    // set when the named source could not be read
};

// Takes "--password-file FILE" (the file's first line) and "--password-stdin" (the first
// line of standard input, or of `input` when given) out of `args`; without either, the
// environment variable ZORVA_PASSWORD when it is set.
PasswordOption takePasswordOption(QStringList &args, QIODevice *input = nullptr);

// The connection text with the password put in: "user@host:port/db" becomes
// "user:password@host:port/db", the fifth field of a profile "db;host;port;user;;name" is
// filled.  A password already in the text is kept unless `overrides`.  Empty with `error`
// set when the password cannot go into a profile (it holds ';').
QString withPassword(const QString &connection, const QString &password, bool overrides, QString &error);

}  // namespace zorva
