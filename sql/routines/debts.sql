-- Loans: sp_torleszt (a repayment) and sp_megkolcsonad (a further loan).
--
-- Each records one torleszt row dated today (novel 'N' for a repayment, 'I' for a
-- further loan) and changes the loan in the same transaction: a repayment adds to
-- torlesztve, a further loan to osszeg.  The tartozik triggers (triggers.sql) then keep
-- marad = osszeg - torlesztve, settle the loan exactly when nothing remains (megadva
-- 'I', dat_megad today) and reopen it when a further loan comes (megadva 'N', no
-- dat_megad), and keep the client's ugyfel.tartozik.
--
-- Refused, with nothing written: a loan that does not exist; an amount of 0; a
-- repayment on a settled loan, one larger than what remains, or one against the sign
-- of what remains; a further loan against the sign of the loan; a remark longer than
-- 50 characters.  Amounts are rounded to 4 decimals.

DELIMITER $$

DROP PROCEDURE IF EXISTS tartozas_mozgas$$
-- p_novel 'N': repayment; 'I': further loan.  No transaction control.
CREATE PROCEDURE tartozas_mozgas(IN p_tartozik INT, IN p_osszeg DOUBLE, IN p_megjegyzes TEXT, IN p_novel CHAR(1))
    MODIFIES SQL DATA
BEGIN
    DECLARE v_uzenet VARCHAR(200);
    DECLARE v_marad DOUBLE DEFAULT NULL;
    DECLARE v_kolcson DOUBLE;
    DECLARE v_osszeg DOUBLE;
    DECLARE CONTINUE HANDLER FOR NOT FOUND BEGIN END;

    SELECT marad, osszeg INTO v_marad, v_kolcson FROM tartozik WHERE tartozik = p_tartozik FOR UPDATE;
    IF v_marad IS NULL THEN
        SET v_uzenet = CONCAT('Nem létező tartozás (azonosító: ', COALESCE(p_tartozik, 'nincs'), ').');
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
    END IF;
    IF p_osszeg IS NULL THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Nincs megadva az összeg.';
    END IF;
    SET v_osszeg = ROUND(p_osszeg, 4);
    IF v_osszeg = 0 THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Az összeg nem lehet 0.';
    END IF;

    IF p_novel = 'N' THEN
        IF v_marad = 0 THEN
            SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Ez a tartozás már rendezve van, nincs mit törleszteni.';
        END IF;
        IF SIGN(v_osszeg) <> SIGN(v_marad) OR ABS(v_osszeg) > ABS(v_marad) THEN
            SET v_uzenet = CONCAT('A törlesztés (', v_osszeg, ') nem lehet több a még fennálló összegnél (',
                                  v_marad, ').');
            SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
        END IF;
        INSERT INTO torleszt (tartozik, datum, osszeg, megjegyzes, novel)
        VALUES (p_tartozik, CURDATE(), v_osszeg, COALESCE(p_megjegyzes, ''), 'N');
        UPDATE tartozik SET torlesztve = ROUND(torlesztve + v_osszeg, 4) WHERE tartozik = p_tartozik;
    ELSE
        IF v_kolcson <> 0 AND SIGN(v_osszeg) <> SIGN(v_kolcson) THEN
            SET v_uzenet = CONCAT('A további kölcsön (', v_osszeg, ') előjele nem térhet el a kölcsönétől (',
                                  v_kolcson, ').');
            SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
        END IF;
        INSERT INTO torleszt (tartozik, datum, osszeg, megjegyzes, novel)
        VALUES (p_tartozik, CURDATE(), v_osszeg, COALESCE(p_megjegyzes, ''), 'I');
        UPDATE tartozik SET osszeg = ROUND(osszeg + v_osszeg, 4) WHERE tartozik = p_tartozik;
    END IF;
END$$

DROP PROCEDURE IF EXISTS tartozas_mozgas_tranzakcioban$$
CREATE PROCEDURE tartozas_mozgas_tranzakcioban(IN p_tartozik INT, IN p_osszeg DOUBLE, IN p_megjegyzes TEXT,
                                                IN p_novel CHAR(1))
    MODIFIES SQL DATA
BEGIN
    DECLARE v_proba INT DEFAULT 0;
    CALL ellenoriz_szoveg(p_megjegyzes, 50, 'A megjegyzés');
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
            CALL tartozas_mozgas(p_tartozik, p_osszeg, p_megjegyzes, p_novel);
            COMMIT;
            LEAVE ujra;
        END;
    END LOOP;
END$$

DROP PROCEDURE IF EXISTS sp_torleszt$$
CREATE PROCEDURE sp_torleszt(IN p_tartozik INT, IN p_osszeg DOUBLE, IN p_megjegyzes TEXT)
    MODIFIES SQL DATA
BEGIN
    CALL tartozas_mozgas_tranzakcioban(p_tartozik, p_osszeg, p_megjegyzes, 'N');
END$$

DROP PROCEDURE IF EXISTS sp_megkolcsonad$$
CREATE PROCEDURE sp_megkolcsonad(IN p_tartozik INT, IN p_osszeg DOUBLE, IN p_megjegyzes TEXT)
    MODIFIES SQL DATA
BEGIN
    CALL tartozas_mozgas_tranzakcioban(p_tartozik, p_osszeg, p_megjegyzes, 'I');
END$$

DELIMITER ;
