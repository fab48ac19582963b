-- The balance chain of a cash box, and the checks the procedures and triggers share.
--
-- Rules of the chain (kept by sp_kassza_ins, sp_kassza_edit, sp_kassza_del in entries.sql):
--   * Order inside a cash box: (datum, hazikassza, hid).  hazikassza, the entry number, is
--     unique per cash box (the next number is the box's highest + 1), so an entry booked
--     later on the same day comes after the earlier ones.
--   * The first entry's nyito is kassza.nyito; every later entry's nyito is the zaro of
--     the entry before it; zaro = nyito + osszeg.  idoszak = DATE_FORMAT(datum,'%Y%m'),
--     bevetel = osszeg when positive else 0, kiadas = osszeg when negative else 0.
--   * Amounts and balances are rounded to 4 decimals, so every balance is the exact sum
--     of the amounts before it and the chain never drifts, however often it is shifted.
--   * A change at one position only moves the balances after it by a constant, so the
--     procedures shift that tail in one set-based UPDATE (lanc_eltol) instead of
--     recomputing it.  lanc_ujraszamol recomputes a whole chain from the amounts; it is
--     the repair for data written around the procedures.
--   * Every change of a chain raises the box's number in kassza_valtozat (lanc_valtozik)
--     right after taking the box's lock and before reading the chain.  On one server the
--     lock alone serialises the writers; a Galera cluster certifies only written rows, so
--     it is this write that makes two changes of one box on different nodes collide: the
--     later one is refused with deadlock 1213, which the procedure hands to the client
--     (helyben_ujra), and the client sends the CALL again.

DELIMITER $$

DROP FUNCTION IF EXISTS helyben_ujra$$
-- Whether a procedure may run its work again itself after a deadlock (1213): on one server
-- yes.  On a Galera node no: there 1213 is mostly another node's write that won
-- certification, and the transaction it aborted must end together with the statement that
-- ran it; a handler that goes on in the same CALL can leave the cluster's applier waiting
-- on its locks.  So there the error goes to the client, which sends the whole CALL again.
-- Read from information_schema, so that a server built without Galera knows it too.
CREATE FUNCTION helyben_ujra() RETURNS BOOLEAN
    NOT DETERMINISTIC READS SQL DATA
BEGIN
    RETURN NOT EXISTS (SELECT 1 FROM information_schema.SESSION_VARIABLES
                        WHERE VARIABLE_NAME = 'WSREP_ON' AND VARIABLE_VALUE = 'ON');
END$$

DROP PROCEDURE IF EXISTS lanc_valtozik$$
-- Raises the number of p_kassza in kassza_valtozat; a box without its row gets one (an
-- unknown box gets nothing).
CREATE PROCEDURE lanc_valtozik(IN p_kassza INT)
    MODIFIES SQL DATA
BEGIN
    INSERT INTO kassza_valtozat (kassza, valtozat)
    SELECT kassza, 1 FROM kassza WHERE kassza = p_kassza
        ON DUPLICATE KEY UPDATE valtozat = valtozat + 1;
END$$

DROP PROCEDURE IF EXISTS lanc_eltol$$
-- Adds p_delta to nyito and zaro of every entry of p_kassza after the position
-- (p_datum, p_sorszam).  The expanded OR form is what the range optimiser can use on
-- the index hazikassza_lanc (a row-constructor comparison is not range-optimised).
CREATE PROCEDURE lanc_eltol(IN p_kassza INT, IN p_datum DATE, IN p_sorszam INT, IN p_delta DOUBLE)
    MODIFIES SQL DATA
BEGIN
    IF p_delta <> 0 THEN
        UPDATE hazikassza
           SET nyito = ROUND(nyito + p_delta, 4),
               zaro = ROUND(zaro + p_delta, 4)
         WHERE kassza = p_kassza
           AND (datum > p_datum OR (datum = p_datum AND hazikassza > p_sorszam));
    END IF;
END$$

DROP PROCEDURE IF EXISTS lanc_ujraszamol$$
-- Recomputes every derived column of the entries of p_kassza from datum, kasszatip and
-- the amount: the sign of osszeg from the cash type, idoszak, bevetel, kiadas, and the
-- balances as a running sum from kassza.nyito.  Set-based: one window-function UPDATE.
CREATE PROCEDURE lanc_ujraszamol(IN p_kassza INT)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_nyito DOUBLE DEFAULT 0;

    CALL lanc_valtozik(p_kassza);
    SELECT COALESCE(nyito, 0) INTO v_nyito FROM kassza WHERE kassza = p_kassza;

    -- A multi-table UPDATE does not promise the order of its assignments, so each one
    -- is written from ABS(osszeg), which none of them changes.  Zero stays +0.
    UPDATE hazikassza h
      JOIN kasszatip t ON t.kasszatip = h.kasszatip
       SET h.osszeg = IF(ROUND(ABS(h.osszeg), 4) = 0, 0,
                         IF(t.szorzo < 0, -ROUND(ABS(h.osszeg), 4), ROUND(ABS(h.osszeg), 4))),
           h.idoszak = DATE_FORMAT(h.datum, '%Y%m'),
           h.bevetel = IF(t.szorzo < 0 OR ROUND(ABS(h.osszeg), 4) = 0, 0, ROUND(ABS(h.osszeg), 4)),
           h.kiadas = IF(t.szorzo < 0 AND ROUND(ABS(h.osszeg), 4) <> 0, -ROUND(ABS(h.osszeg), 4), 0)
     WHERE h.kassza = p_kassza;

    UPDATE hazikassza h
      JOIN (SELECT hid,
                   SUM(osszeg) OVER (ORDER BY datum, hazikassza, hid
                                     ROWS BETWEEN UNBOUNDED PRECEDING AND CURRENT ROW) AS futo
              FROM hazikassza
             WHERE kassza = p_kassza) r ON r.hid = h.hid
       SET h.zaro = ROUND(v_nyito + r.futo, 4),
           h.nyito = ROUND(v_nyito + r.futo - h.osszeg, 4);
END$$

DROP PROCEDURE IF EXISTS ellenoriz_kassza$$
-- Refuses a cash box that does not exist.
CREATE PROCEDURE ellenoriz_kassza(IN p_kassza INT)
    READS SQL DATA
BEGIN
    DECLARE v_uzenet VARCHAR(200);
    IF p_kassza IS NULL OR NOT EXISTS (SELECT 1 FROM kassza WHERE kassza = p_kassza) THEN
        SET v_uzenet = CONCAT('Nem létező kassza (azonosító: ', COALESCE(p_kassza, 'nincs megadva'), ').');
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
    END IF;
END$$

DROP PROCEDURE IF EXISTS ellenoriz_kasszatip$$
-- Refuses a missing (NULL, 0, -1: an empty setting) or unknown cash type.
CREATE PROCEDURE ellenoriz_kasszatip(IN p_kasszatip INT)
    READS SQL DATA
BEGIN
    DECLARE v_uzenet VARCHAR(200);
    IF p_kasszatip IS NULL OR p_kasszatip <= 0 THEN
        SIGNAL SQLSTATE '45000'
            SET MESSAGE_TEXT = 'Nincs megadva kassza típus (ha a Beállításokból jön, ott válassza ki).';
    END IF;
    IF NOT EXISTS (SELECT 1 FROM kasszatip WHERE kasszatip = p_kasszatip) THEN
        SET v_uzenet = CONCAT('Nem létező kassza típus (azonosító: ', p_kasszatip, ').');
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
    END IF;
END$$

DROP PROCEDURE IF EXISTS ellenoriz_ugyfel$$
-- Refuses an unknown client; NULL (and 0, which callers turn into NULL) is "no client".
CREATE PROCEDURE ellenoriz_ugyfel(IN p_ugyfel INT)
    READS SQL DATA
BEGIN
    DECLARE v_uzenet VARCHAR(200);
    IF p_ugyfel IS NOT NULL AND p_ugyfel <> 0
       AND NOT EXISTS (SELECT 1 FROM ugyfel WHERE ugyfel = p_ugyfel) THEN
        SET v_uzenet = CONCAT('Nem létező ügyfél (azonosító: ', p_ugyfel, ').');
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
    END IF;
END$$

DROP PROCEDURE IF EXISTS ellenoriz_szoveg$$
-- Refuses a text longer than its column, instead of cutting it.
CREATE PROCEDURE ellenoriz_szoveg(IN p_szoveg TEXT, IN p_hossz INT, IN p_mi VARCHAR(40))
    NO SQL
BEGIN
    DECLARE v_uzenet VARCHAR(200);
    IF CHAR_LENGTH(p_szoveg) > p_hossz THEN
        SET v_uzenet = CONCAT(p_mi, ' legfeljebb ', p_hossz, ' karakter lehet (most ',
                              CHAR_LENGTH(p_szoveg), ').');
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
    END IF;
END$$

DELIMITER ;
