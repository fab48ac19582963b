#include "passwordhash.h"

#include <sodium.h>

#include <stdexcept>

namespace zorva {

namespace {

// Passwords stored as typed were at most this long; every hash is longer.
constexpr int LongestTypedPassword = 10;

void initSodium()
{
    static const int ready = sodium_init();
    if (ready < 0)
        throw std::runtime_error("libsodium could not be initialised");
}

}  // namespace

QString HashPassword(const QString &password)
{
    initSodium();
    const QByteArray bytes = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, bytes.constData(), quint64(bytes.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("the password hash could not be made");
    return QString::fromLatin1(out);
}

bool IsPasswordHash(const QString &stored)
{
    return stored.size() > LongestTypedPassword && stored.startsWith(QLatin1String("$argon2"));
}

PasswordCheck CheckPassword(const QString &stored, const QString &typed)
{
    if (stored.isEmpty())
        return typed.isEmpty() ? PasswordCheck::Matches : PasswordCheck::Wrong;
    if (!IsPasswordHash(stored))
        return stored == typed ? PasswordCheck::MatchesAsTyped : PasswordCheck::Wrong;
    initSodium();
    const QByteArray hash = stored.toLatin1();
    const QByteArray bytes = typed.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), bytes.constData(), quint64(bytes.size())) == 0
               ? PasswordCheck::Matches
               : PasswordCheck::Wrong;
}

}  // namespace zorva
