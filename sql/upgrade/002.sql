-- User passwords are kept as salted Argon2id hashes ("$argon2id$v=19$m=...$salt$hash",
-- under 128 characters) instead of as typed.  A password still stored as typed is
-- replaced by its hash at the user's next sign-in.
ALTER TABLE felhasznalo MODIFY COLUMN jelszo VARCHAR(128) NULL;
