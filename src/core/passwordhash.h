// The passwords of the program's users, kept in felhasznalo.jelszo as salted, slow
// hashes (Argon2id in the text form "$argon2id$v=19$m=...,t=...,p=...$salt$hash").
// An older database holds them as typed (at most 10 characters): such a text is still
// accepted, and the caller replaces it by its hash at that sign-in.
#pragma once

#include <QString>

namespace zorva {

// A new salted hash of `password` (its UTF-8 bytes); every call gives another text.
// Throws std::runtime_error when the hash cannot be made (out of memory).
QString HashPassword(const QString &password);

// True when `stored` is a hash made by HashPassword, not a password stored as typed.
bool IsPasswordHash(const QString &stored);

enum class PasswordCheck {
    Wrong,
    Matches,         // matches its hash
    MatchesAsTyped,  // matches a password stored as typed: to be replaced by its hash
};

// Compares a typed password with the stored one.  An empty or NULL stored password
// matches only an empty typed one (a user who signs in without a password).
PasswordCheck CheckPassword(const QString &stored, const QString &typed);

}  // namespace zorva
