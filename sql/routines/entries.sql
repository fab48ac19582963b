-- The cash-book procedures: sp_kassza_ins, sp_kassza_edit, sp_kassza_del and the totals
-- procedure sp_hazikasszasum.  The chain rules are in chain.sql.
--
-- Arguments:
--   * osszeg comes without sign; the procedure stores ABS(osszeg) with the sign of the
--     cash type's szorzo, rounded to 4 decimals.
--   * ugyfel 0 or NULL means "no client" (stored as NULL); any other id must exist, as
--     must the cash box and the cash type (-1, an empty setting, is refused with a hint).
--   * szoveg longer than 255 characters is refused, not cut.
--
-- Concurrency.  Each call is one transaction (READ COMMITTED) that first locks the row
-- of its cash box with SELECT ... FOR UPDATE, so writers of one cash box take turns and
-- always see the chain as the previous one left it; then it raises the box's number in
-- kassza_valtozat, which makes writers on different nodes of a cluster collide (chain.sql).  An edit that moves an entry to
-- another cash box locks both rows, lower id first, as everybody does.  A deadlock
-- rolls the attempt back and the procedure runs it again (up to 10 times); any other
-- error rolls back and reaches the caller, so nothing is ever half done.  A transaction
-- the caller had open is committed first (as START TRANSACTION always does); only
-- sp_kassza_ins joins it instead (the statement import books many entries as one unit):
-- then the caller commits or rolls back, and a deadlock reaches it at once.
--
-- The new entry's id: after CALL sp_kassza_ins(...) the same connection's
-- SELECT LAST_INSERT_ID(); returns the hid of the entry this call inserted, whatever
-- other users booked meanwhile (SELECT MAX(hid) would not).

DELIMITER $$

-- ---------------------------------------------------------------- bodies (no transaction control)

DROP PROCEDURE IF EXISTS kassza_osszeg_elojellel$$
-- The stored amount: ABS(p_osszeg) rounded to 4 decimals with the sign of the cash type.
CREATE PROCEDURE kassza_osszeg_elojellel(IN p_osszeg DOUBLE, IN p_kasszatip INT, OUT o_osszeg DOUBLE)
    READS SQL DATA
BEGIN
    DECLARE v_szorzo INT DEFAULT 1;
    DECLARE CONTINUE HANDLER FOR NOT FOUND BEGIN END;
    IF p_osszeg IS NULL THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Nincs megadva a tétel összege.';
    END IF;
    SELECT szorzo INTO v_szorzo FROM kasszatip WHERE kasszatip = p_kasszatip;
    SET o_osszeg = ROUND(ABS(p_osszeg), 4);
    IF v_szorzo < 0 AND o_osszeg <> 0 THEN
        SET o_osszeg = -o_osszeg;
    END IF;
END$$

DROP PROCEDURE IF EXISTS kassza_tetel_modosit$$
-- o_ujra is set when the entry moved to another cash box between reading and locking;
-- the caller then rolls back and tries again.
CREATE PROCEDURE kassza_tetel_modosit(IN p_hid INT, IN p_datum DATE, IN p_kassza INT, IN p_kasszatip INT,
                                      IN p_osszeg DOUBLE, IN p_szoveg TEXT, IN p_ugyfel INT,
                                      OUT o_ujra BOOLEAN)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_uzenet VARCHAR(200);
    DECLARE v_lat_kassza INT DEFAULT NULL;
    DECLARE v_kassza INT DEFAULT NULL;
    DECLARE v_datum DATE;
    DECLARE v_sorszam INT;
    DECLARE v_regi_osszeg DOUBLE;
    DECLARE v_nyito DOUBLE;
    DECLARE v_osszeg DOUBLE;
    DECLARE v_uj_sorszam INT;
    DECLARE v_elozo DOUBLE;
    DECLARE v_zarolt INT;
    DECLARE CONTINUE HANDLER FOR NOT FOUND BEGIN END;

    SET o_ujra = FALSE;
    IF p_datum IS NULL THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Nincs megadva a tétel dátuma.';
    END IF;
    CALL ellenoriz_kasszatip(p_kasszatip);
    CALL ellenoriz_ugyfel(p_ugyfel);
    CALL kassza_osszeg_elojellel(p_osszeg, p_kasszatip, v_osszeg);

    SELECT kassza INTO v_lat_kassza FROM hazikassza WHERE hid = p_hid;
    IF v_lat_kassza IS NULL THEN
        SET v_uzenet = CONCAT('A módosítandó tétel nem létezik (azonosító: ', COALESCE(p_hid, 'nincs'),
                              '); lehet, hogy közben törölték.');
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
    END IF;
    CALL ellenoriz_kassza(p_kassza);

    -- Both cash boxes, lower id first.
    SELECT kassza INTO v_zarolt FROM kassza WHERE kassza = LEAST(v_lat_kassza, p_kassza) FOR UPDATE;
    SELECT kassza INTO v_zarolt FROM kassza WHERE kassza = GREATEST(v_lat_kassza, p_kassza) FOR UPDATE;
    CALL lanc_valtozik(LEAST(v_lat_kassza, p_kassza));
    IF p_kassza <> v_lat_kassza THEN
        CALL lanc_valtozik(GREATEST(v_lat_kassza, p_kassza));
    END IF;

    SELECT kassza, datum, hazikassza, osszeg, nyito
      INTO v_kassza, v_datum, v_sorszam, v_regi_osszeg, v_nyito
      FROM hazikassza WHERE hid = p_hid FOR UPDATE;
    IF v_kassza IS NULL THEN
        SET v_uzenet = CONCAT('A módosítandó tétel nem létezik (azonosító: ', p_hid,
                              '); közben törölték.');
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
    END IF;
    IF v_kassza <> v_lat_kassza THEN
        SET o_ujra = TRUE;
    ELSEIF v_kassza = p_kassza AND v_datum = p_datum THEN
        -- Same place in the chain: only the tail moves, by the change of the amount.
        UPDATE hazikassza
           SET kasszatip = p_kasszatip, ugyfel = NULLIF(p_ugyfel, 0), szoveg = COALESCE(p_szoveg, ''),
               osszeg = v_osszeg, zaro = ROUND(v_nyito + v_osszeg, 4),
               bevetel = IF(v_osszeg > 0, v_osszeg, 0), kiadas = IF(v_osszeg < 0, v_osszeg, 0)
         WHERE hid = p_hid;
        CALL lanc_eltol(v_kassza, v_datum, v_sorszam, ROUND(v_osszeg - v_regi_osszeg, 4));
    ELSE
        -- Out of the old place, into the new one.
        CALL lanc_eltol(v_kassza, v_datum, v_sorszam, -v_regi_osszeg);
        IF v_kassza = p_kassza THEN
            SET v_uj_sorszam = v_sorszam;
        ELSE
            SELECT COALESCE(MAX(hazikassza), 0) + 1 INTO v_uj_sorszam FROM hazikassza WHERE kassza = p_kassza;
        END IF;
        SELECT nyito INTO v_elozo FROM kassza WHERE kassza = p_kassza;
        SELECT zaro INTO v_elozo
          FROM hazikassza
         WHERE kassza = p_kassza AND hid <> p_hid
           AND (datum < p_datum OR (datum = p_datum AND hazikassza < v_uj_sorszam))
         ORDER BY datum DESC, hazikassza DESC
         LIMIT 1;
        UPDATE hazikassza
           SET kassza = p_kassza, hazikassza = v_uj_sorszam, datum = p_datum,
               idoszak = DATE_FORMAT(p_datum, '%Y%m'),
               kasszatip = p_kasszatip, ugyfel = NULLIF(p_ugyfel, 0), szoveg = COALESCE(p_szoveg, ''),
               osszeg = v_osszeg, nyito = v_elozo, zaro = ROUND(v_elozo + v_osszeg, 4),
               bevetel = IF(v_osszeg > 0, v_osszeg, 0), kiadas = IF(v_osszeg < 0, v_osszeg, 0)
         WHERE hid = p_hid;
        CALL lanc_eltol(p_kassza, p_datum, v_uj_sorszam, v_osszeg);
    END IF;
END$$

DROP PROCEDURE IF EXISTS kassza_tetel_torol$$
CREATE PROCEDURE kassza_tetel_torol(IN p_hid INT, OUT o_ujra BOOLEAN)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_lat_kassza INT DEFAULT NULL;
    DECLARE v_kassza INT DEFAULT NULL;
    DECLARE v_datum DATE;
    DECLARE v_sorszam INT;
    DECLARE v_osszeg DOUBLE;
    DECLARE v_zarolt INT;
    DECLARE CONTINUE HANDLER FOR NOT FOUND BEGIN END;

    SET o_ujra = FALSE;
    SELECT kassza INTO v_lat_kassza FROM hazikassza WHERE hid = p_hid;
    -- An entry that is not there (already deleted, or the id 0 of an empty list) is
    -- gone as asked: nothing to do.
    IF v_lat_kassza IS NOT NULL THEN
        SELECT kassza INTO v_zarolt FROM kassza WHERE kassza = v_lat_kassza FOR UPDATE;
        CALL lanc_valtozik(v_lat_kassza);
        SELECT kassza, datum, hazikassza, osszeg INTO v_kassza, v_datum, v_sorszam, v_osszeg
          FROM hazikassza WHERE hid = p_hid FOR UPDATE;
        IF v_kassza IS NOT NULL THEN
            IF v_kassza <> v_lat_kassza THEN
                SET o_ujra = TRUE;
            ELSE
                DELETE FROM hazikassza WHERE hid = p_hid;
                CALL lanc_eltol(v_kassza, v_datum, v_sorszam, -v_osszeg);
            END IF;
        END IF;
    END IF;
END$$

-- ---------------------------------------------------------------- the program's procedures

DROP PROCEDURE IF EXISTS sp_kassza_ins$$
-- Booking is the most frequent call, so its body is written out here rather than called:
-- the checks of the arguments come first, outside the transaction; inside it one
-- statement takes the lock with the box's opening amount and the cash type's sign, one
-- looks at the box's numbers and last entry, then the insert, and a shift only when
-- later entries exist.
CREATE PROCEDURE sp_kassza_ins(IN p_datum DATE, IN p_kassza INT, IN p_kasszatip INT,
                               IN p_osszeg DOUBLE, IN p_szoveg TEXT, IN p_ugyfel INT)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_proba INT DEFAULT 0;
    DECLARE v_szorzo INT DEFAULT NULL;
    DECLARE v_osszeg DOUBLE;
    DECLARE v_kassza_nyito DOUBLE;
    DECLARE v_elozo DOUBLE;
    DECLARE v_utolso_datum DATE;
    DECLARE v_sorszam INT;
    DECLARE v_sajat BOOLEAN DEFAULT (@@in_transaction = 0);  -- false: the caller's transaction
    DECLARE CONTINUE HANDLER FOR NOT FOUND BEGIN END;

    IF p_datum IS NULL THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Nincs megadva a tétel dátuma.';
    END IF;
    IF p_osszeg IS NULL THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Nincs megadva a tétel összege.';
    END IF;
    IF CHAR_LENGTH(p_szoveg) > 255 THEN
        CALL ellenoriz_szoveg(p_szoveg, 255, 'A szöveg');
    END IF;

    ujra: LOOP
        BEGIN
            DECLARE EXIT HANDLER FOR 1213
            BEGIN
                ROLLBACK;
                SET v_proba = v_proba + 1;
                IF v_proba >= 10 OR NOT v_sajat OR NOT helyben_ujra() THEN
                    RESIGNAL;
                END IF;
            END;
            DECLARE EXIT HANDLER FOR SQLEXCEPTION
            BEGIN
                IF v_sajat THEN
                    ROLLBACK;
                END IF;
                RESIGNAL;
            END;
            BEGIN
                DECLARE CONTINUE HANDLER FOR 1568 BEGIN END;
                SET TRANSACTION ISOLATION LEVEL READ COMMITTED;
            END;
            IF v_sajat THEN
                START TRANSACTION;
            END IF;
            -- The box's lock, its opening amount and the sign of the cash type in one
            -- statement (the cash type is read, not locked; without the box's row the
            -- sign stays unknown and is checked all the same).  The refusals keep their
            -- order: cash type, client, cash box.
            SET v_kassza_nyito = NULL, v_szorzo = NULL;
            SELECT nyito, (SELECT t.szorzo FROM kasszatip t WHERE t.kasszatip = p_kasszatip)
              INTO v_kassza_nyito, v_szorzo
              FROM kassza WHERE kassza = p_kassza FOR UPDATE;
            IF v_szorzo IS NULL THEN
                CALL ellenoriz_kasszatip(p_kasszatip);
            END IF;
            IF p_ugyfel <> 0 THEN
                CALL ellenoriz_ugyfel(p_ugyfel);
            END IF;
            IF v_kassza_nyito IS NULL THEN
                CALL ellenoriz_kassza(p_kassza);
            END IF;
            -- The box's number (lanc_valtozik written out): what a cluster certifies.
            INSERT INTO kassza_valtozat (kassza, valtozat) VALUES (p_kassza, 1)
                ON DUPLICATE KEY UPDATE valtozat = valtozat + 1;
            SET v_osszeg = ROUND(ABS(p_osszeg), 4);
            IF v_szorzo < 0 AND v_osszeg <> 0 THEN
                SET v_osszeg = -v_osszeg;
            END IF;

            -- The new entry gets the highest number of its box, so it comes after every
            -- entry of its day: its predecessor is the last entry dated on or before it.
            -- Booking after the box's last entry (the usual case) shifts nothing.
            -- The indexes are named: otherwise the optimiser weighs every index that
            -- starts with kassza on each booking, a good part of a booking's own cost.
            SET v_elozo = v_kassza_nyito, v_utolso_datum = NULL, v_sorszam = 1;
            SELECT (SELECT COALESCE(MAX(m.hazikassza), 0) + 1
                      FROM hazikassza m FORCE INDEX (hazikassza_sorszam)
                     WHERE m.kassza = p_kassza),
                   l.datum, l.zaro
              INTO v_sorszam, v_utolso_datum, v_elozo
              FROM hazikassza l FORCE INDEX (hazikassza_lanc)
             WHERE l.kassza = p_kassza
             ORDER BY l.datum DESC, l.hazikassza DESC
             LIMIT 1;
            IF v_utolso_datum > p_datum THEN
                SET v_elozo = v_kassza_nyito;
                SELECT zaro INTO v_elozo
                  FROM hazikassza
                 WHERE kassza = p_kassza AND datum <= p_datum
                 ORDER BY datum DESC, hazikassza DESC
                 LIMIT 1;
            END IF;

            -- LAST_INSERT_ID() of the connection is this row's hid from here on.
            INSERT INTO hazikassza (hazikassza, kassza, idoszak, ugyfel, datum, kasszatip,
                                    nyito, osszeg, zaro, szoveg, bevetel, kiadas)
            VALUES (v_sorszam, p_kassza, DATE_FORMAT(p_datum, '%Y%m'), NULLIF(p_ugyfel, 0), p_datum, p_kasszatip,
                    v_elozo, v_osszeg, ROUND(v_elozo + v_osszeg, 4), COALESCE(p_szoveg, ''),
                    IF(v_osszeg > 0, v_osszeg, 0), IF(v_osszeg < 0, v_osszeg, 0));
            IF v_utolso_datum > p_datum THEN
                CALL lanc_eltol(p_kassza, p_datum, v_sorszam, v_osszeg);
            END IF;
            IF v_sajat THEN
                COMMIT;
            END IF;
            LEAVE ujra;
        END;
    END LOOP;
END$$

DROP PROCEDURE IF EXISTS sp_kassza_edit$$
CREATE PROCEDURE sp_kassza_edit(IN p_hid INT, IN p_datum DATE, IN p_kassza INT, IN p_kasszatip INT,
                                IN p_osszeg DOUBLE, IN p_szoveg TEXT, IN p_ugyfel INT)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_proba INT DEFAULT 0;
    DECLARE v_ujra BOOLEAN DEFAULT FALSE;
    CALL ellenoriz_szoveg(p_szoveg, 255, 'A szöveg');
    ujra: LOOP
        BEGIN
            DECLARE EXIT HANDLER FOR 1213
            BEGIN
                ROLLBACK;
                SET v_proba = v_proba + 1;
                IF v_proba >= 10 OR NOT helyben_ujra() THEN
                    RESIGNAL;
                END IF;
            END;
            DECLARE EXIT HANDLER FOR SQLEXCEPTION
            BEGIN
                ROLLBACK;
                RESIGNAL;
            END;
            BEGIN
                DECLARE CONTINUE HANDLER FOR 1568 BEGIN END;
                SET TRANSACTION ISOLATION LEVEL READ COMMITTED;
            END;
            START TRANSACTION;
            CALL kassza_tetel_modosit(p_hid, p_datum, p_kassza, p_kasszatip, p_osszeg, p_szoveg, p_ugyfel,
                                      v_ujra);
            IF v_ujra THEN
                ROLLBACK;
                SET v_proba = v_proba + 1;
                IF v_proba >= 10 THEN
                    SIGNAL SQLSTATE '45000'
                        SET MESSAGE_TEXT = 'A tételt közben folyamatosan módosítják; próbálja újra.';
                END IF;
            ELSE
                COMMIT;
                LEAVE ujra;
            END IF;
        END;
    END LOOP;
END$$

DROP PROCEDURE IF EXISTS sp_kassza_del$$
CREATE PROCEDURE sp_kassza_del(IN p_hid INT)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_proba INT DEFAULT 0;
    DECLARE v_ujra BOOLEAN DEFAULT FALSE;
    ujra: LOOP
        BEGIN
            DECLARE EXIT HANDLER FOR 1213
            BEGIN
                ROLLBACK;
                SET v_proba = v_proba + 1;
                IF v_proba >= 10 OR NOT helyben_ujra() THEN
                    RESIGNAL;
                END IF;
            END;
            DECLARE EXIT HANDLER FOR SQLEXCEPTION
            BEGIN
                ROLLBACK;
                RESIGNAL;
            END;
            BEGIN
                DECLARE CONTINUE HANDLER FOR 1568 BEGIN END;
                SET TRANSACTION ISOLATION LEVEL READ COMMITTED;
            END;
            START TRANSACTION;
            CALL kassza_tetel_torol(p_hid, v_ujra);
            IF v_ujra THEN
                ROLLBACK;
                SET v_proba = v_proba + 1;
                IF v_proba >= 10 THEN
                    SIGNAL SQLSTATE '45000'
                        SET MESSAGE_TEXT = 'A tételt közben folyamatosan módosítják; próbálja újra.';
                END IF;
            ELSE
                COMMIT;
                LEAVE ujra;
            END IF;
        END;
    END LOOP;
END$$

DROP PROCEDURE IF EXISTS sp_hazikasszasum$$
-- Totals of one cash box, always exactly one row: kassza, osszeg, bevetel, kiadas,
-- pnyito, pzaro.
--   * pidoszak empty (or NULL): the whole cash box; pnyito is kassza.nyito, pzaro the
--     balance after its last entry.
--   * pidoszak a period 'yyyymm': the entries of that period; pnyito is the balance
--     before its first entry, pzaro the balance after its last one.  A period without
--     entries gives zero totals and the balance carried into it as both.
--   * pidoszak that is not a period (say a half-typed '2024'): no entries, zero totals,
--     and the cash box's present balance as both balances.
--   * An unknown cash box gives zeros.
-- The balances around a period are found through its date range (idoszak follows
-- datum) on the index hazikassza_lanc, its totals through hazikassza_kassza_idoszak;
-- osszeg is bevetel + kiadas (one of the two is 0 on every entry).  One SELECT each, so
-- the totals and the balances come from the same moment.
CREATE PROCEDURE sp_hazikasszasum(IN pkassza INT, IN pidoszak VARCHAR(20))
    READS SQL DATA
BEGIN
    DECLARE v_tol DATE DEFAULT NULL;
    DECLARE v_ig DATE DEFAULT NULL;

    IF pidoszak REGEXP '^[0-9]{6}$' AND CAST(RIGHT(pidoszak, 2) AS UNSIGNED) BETWEEN 1 AND 12
       AND CAST(LEFT(pidoszak, 4) AS UNSIGNED) >= 1000 THEN
        SET v_tol = STR_TO_DATE(CONCAT(pidoszak, '01'), '%Y%m%d');
        SET v_ig = DATE_ADD(v_tol, INTERVAL 1 MONTH);
    END IF;

    IF pidoszak IS NULL OR pidoszak = '' THEN
        SELECT pkassza AS kassza,
               CAST(COALESCE(ROUND(SUM(h.bevetel) + SUM(h.kiadas), 4), 0) AS DOUBLE) AS osszeg,
               CAST(COALESCE(ROUND(SUM(h.bevetel), 4), 0) AS DOUBLE) AS bevetel,
               CAST(COALESCE(ROUND(SUM(h.kiadas), 4), 0) AS DOUBLE) AS kiadas,
               CAST(COALESCE((SELECT k.nyito FROM kassza k WHERE k.kassza = pkassza), 0) AS DOUBLE) AS pnyito,
               CAST(COALESCE((SELECT l.zaro FROM hazikassza l
                               WHERE l.kassza = pkassza
                               ORDER BY l.datum DESC, l.hazikassza DESC LIMIT 1),
                             (SELECT k.nyito FROM kassza k WHERE k.kassza = pkassza),
                             0) AS DOUBLE) AS pzaro
          FROM hazikassza h
         WHERE h.kassza = pkassza;
    ELSEIF v_tol IS NULL THEN
        SELECT z.kassza, CAST(0 AS DOUBLE) AS osszeg, CAST(0 AS DOUBLE) AS bevetel, CAST(0 AS DOUBLE) AS kiadas,
               z.egyenleg AS pnyito, z.egyenleg AS pzaro
          FROM (SELECT pkassza AS kassza,
                       CAST(COALESCE((SELECT l.zaro FROM hazikassza l
                                       WHERE l.kassza = pkassza
                                       ORDER BY l.datum DESC, l.hazikassza DESC LIMIT 1),
                                     (SELECT k.nyito FROM kassza k WHERE k.kassza = pkassza),
                                     0) AS DOUBLE) AS egyenleg) z;
    ELSE
        SELECT pkassza AS kassza,
               CAST(COALESCE(ROUND(SUM(h.bevetel) + SUM(h.kiadas), 4), 0) AS DOUBLE) AS osszeg,
               CAST(COALESCE(ROUND(SUM(h.bevetel), 4), 0) AS DOUBLE) AS bevetel,
               CAST(COALESCE(ROUND(SUM(h.kiadas), 4), 0) AS DOUBLE) AS kiadas,
               CAST(COALESCE((SELECT f.nyito FROM hazikassza f
                               WHERE f.kassza = pkassza AND f.datum >= v_tol AND f.datum < v_ig
                               ORDER BY f.datum, f.hazikassza LIMIT 1),
                             (SELECT e.zaro FROM hazikassza e
                               WHERE e.kassza = pkassza AND e.datum < v_tol
                               ORDER BY e.datum DESC, e.hazikassza DESC LIMIT 1),
                             (SELECT k.nyito FROM kassza k WHERE k.kassza = pkassza),
                             0) AS DOUBLE) AS pnyito,
               CAST(COALESCE((SELECT l.zaro FROM hazikassza l
                               WHERE l.kassza = pkassza AND l.datum >= v_tol AND l.datum < v_ig
                               ORDER BY l.datum DESC, l.hazikassza DESC LIMIT 1),
                             (SELECT e.zaro FROM hazikassza e
                               WHERE e.kassza = pkassza AND e.datum < v_tol
                               ORDER BY e.datum DESC, e.hazikassza DESC LIMIT 1),
                             (SELECT k.nyito FROM kassza k WHERE k.kassza = pkassza),
                             0) AS DOUBLE) AS pzaro
          FROM hazikassza h
         WHERE h.kassza = pkassza AND h.idoszak = pidoszak;
    END IF;
END$$

DELIMITER ;
