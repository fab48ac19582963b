-- Triggers: integrity with messages a user understands, "no client" as NULL, and the
-- columns the database derives outside the procedures.
--
-- Integrity.  An entry, fixed item, bill type, bill payment or loan cannot name a cash
-- box, cash type or client that does not exist (the foreign keys of tables.sql guarantee
-- it; the BEFORE triggers say so in Hungarian first).  A cash box, cash type, client or
-- bill type still in use cannot be deleted: the BEFORE DELETE triggers refuse it and
-- name what uses it.  Loans take their repayments with them (ON DELETE CASCADE); the
-- single rows of beallit and tulajdonos cannot be deleted.
--
-- The checks are skipped while FOREIGN_KEY_CHECKS is 0, exactly like the foreign keys,
-- so a backup script can be loaded table by table in any order after
-- SET FOREIGN_KEY_CHECKS=0.
--
-- ugyfel.tartozik is the client's outstanding balance: the marad of its claims
-- (tartozas 'I') minus the marad of its debts ('N'), recomputed after every insert,
-- update and delete of tartozik, whoever makes it.
--
-- A loan is settled exactly when nothing remains: marad = osszeg - torlesztve;
-- megadva 'I' and dat_megad = the day it became settled when marad is 0, otherwise
-- megadva 'N' and no dat_megad (a further loan on a settled record reopens it).

DELIMITER $$

-- ---------------------------------------------------------------- hazikassza

DROP TRIGGER IF EXISTS hazikassza_bi$$
-- Direct inserts (demo data, restored backups) get the same derived columns as the
-- procedures give; 0 as client means none.
CREATE TRIGGER hazikassza_bi BEFORE INSERT ON hazikassza FOR EACH ROW
BEGIN
    SET NEW.ugyfel = NULLIF(NEW.ugyfel, 0);
    SET NEW.idoszak = DATE_FORMAT(NEW.datum, '%Y%m');
    SET NEW.bevetel = IF(NEW.osszeg > 0, NEW.osszeg, 0);
    SET NEW.kiadas = IF(NEW.osszeg < 0, NEW.osszeg, 0);
END$$

-- ---------------------------------------------------------------- kassza

DROP TRIGGER IF EXISTS kassza_bi$$
CREATE TRIGGER kassza_bi BEFORE INSERT ON kassza FOR EACH ROW
BEGIN
    SET NEW.nyito = ROUND(COALESCE(NEW.nyito, 0), 4);
END$$

DROP TRIGGER IF EXISTS kassza_bu$$
CREATE TRIGGER kassza_bu BEFORE UPDATE ON kassza FOR EACH ROW
BEGIN
    SET NEW.nyito = ROUND(COALESCE(NEW.nyito, 0), 4);
END$$

DROP TRIGGER IF EXISTS kassza_au$$
-- A new opening amount moves every balance of the box by the difference.  The UPDATE
-- of the kassza row holds its lock, so no booking runs in between (on a cluster: the
-- box's number collides with a booking's on another node).
CREATE TRIGGER kassza_au AFTER UPDATE ON kassza FOR EACH ROW
BEGIN
    IF NEW.nyito <> OLD.nyito THEN
        CALL lanc_valtozik(NEW.kassza);
        UPDATE hazikassza
           SET nyito = ROUND(nyito + (NEW.nyito - OLD.nyito), 4),
               zaro = ROUND(zaro + (NEW.nyito - OLD.nyito), 4)
         WHERE kassza = NEW.kassza;
    END IF;
END$$

DROP TRIGGER IF EXISTS kassza_bd$$
CREATE TRIGGER kassza_bd BEFORE DELETE ON kassza FOR EACH ROW
BEGIN
    DECLARE v_db INT;
    DECLARE v_uzenet VARCHAR(200);
    IF @@foreign_key_checks THEN
        SELECT COUNT(*) INTO v_db FROM hazikassza WHERE kassza = OLD.kassza;
        IF v_db > 0 THEN
            SET v_uzenet = CONCAT('A kassza nem törölhető, mert ', v_db,
                                  ' kassza tétel tartozik hozzá.');
            SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
        END IF;
    END IF;
END$$

-- ---------------------------------------------------------------- kasszatip

DROP TRIGGER IF EXISTS kasszatip_bi$$
CREATE TRIGGER kasszatip_bi BEFORE INSERT ON kasszatip FOR EACH ROW
BEGIN
    IF NEW.szorzo IS NULL OR NEW.szorzo NOT IN (1, -1) THEN
        SIGNAL SQLSTATE '45000'
            SET MESSAGE_TEXT = 'A szorzó csak 1 (bevétel) vagy -1 (kiadás) lehet.';
    END IF;
END$$

DROP TRIGGER IF EXISTS kasszatip_bu$$
CREATE TRIGGER kasszatip_bu BEFORE UPDATE ON kasszatip FOR EACH ROW
BEGIN
    IF NEW.szorzo IS NULL OR NEW.szorzo NOT IN (1, -1) THEN
        SIGNAL SQLSTATE '45000'
            SET MESSAGE_TEXT = 'A szorzó csak 1 (bevétel) vagy -1 (kiadás) lehet.';
    END IF;
END$$

DROP TRIGGER IF EXISTS kasszatip_au$$
-- Turning an income type into an expense type (or back) flips the sign of its entries:
-- every cash box that holds one is locked (in id order, as the procedures lock) and
-- its chain recomputed.
CREATE TRIGGER kasszatip_au AFTER UPDATE ON kasszatip FOR EACH ROW
BEGIN
    DECLARE v_kassza INT;
    DECLARE v_vege BOOLEAN DEFAULT FALSE;
    DECLARE c CURSOR FOR
        SELECT k.kassza FROM kassza k
         WHERE EXISTS (SELECT 1 FROM hazikassza h
                        WHERE h.kassza = k.kassza AND h.kasszatip = NEW.kasszatip)
         ORDER BY k.kassza
           FOR UPDATE;
    DECLARE CONTINUE HANDLER FOR NOT FOUND SET v_vege = TRUE;
    IF NEW.szorzo <> OLD.szorzo THEN
        OPEN c;
        dobozok: LOOP
            FETCH c INTO v_kassza;
            IF v_vege THEN
                LEAVE dobozok;
            END IF;
            CALL lanc_ujraszamol(v_kassza);
        END LOOP;
        CLOSE c;
    END IF;
END$$

DROP TRIGGER IF EXISTS kasszatip_bd$$
CREATE TRIGGER kasszatip_bd BEFORE DELETE ON kasszatip FOR EACH ROW
BEGIN
    DECLARE v_tetel INT;
    DECLARE v_fix INT;
    DECLARE v_uzenet VARCHAR(200);
    IF @@foreign_key_checks THEN
        SELECT COUNT(*) INTO v_tetel FROM hazikassza WHERE kasszatip = OLD.kasszatip;
        SELECT COUNT(*) INTO v_fix FROM fix WHERE kasszatip = OLD.kasszatip;
        IF v_tetel + v_fix > 0 THEN
            SET v_uzenet = CONCAT('A kassza típus nem törölhető, mert használják: ',
                                  CONCAT_WS(', ',
                                            IF(v_tetel > 0, CONCAT(v_tetel, ' kassza tétel'), NULL),
                                            IF(v_fix > 0, CONCAT(v_fix, ' fix tétel'), NULL)),
                                  '.');
            SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
        END IF;
    END IF;
END$$

-- ---------------------------------------------------------------- ugyfel

DROP TRIGGER IF EXISTS ugyfel_bd$$
CREATE TRIGGER ugyfel_bd BEFORE DELETE ON ugyfel FOR EACH ROW
BEGIN
    DECLARE v_tetel INT;
    DECLARE v_fix INT;
    DECLARE v_csekk INT;
    DECLARE v_befizetes INT;
    DECLARE v_tartozas INT;
    DECLARE v_uzenet VARCHAR(250);
    IF @@foreign_key_checks THEN
        SELECT COUNT(*) INTO v_tetel FROM hazikassza WHERE ugyfel = OLD.ugyfel;
        SELECT COUNT(*) INTO v_fix FROM fix WHERE ugyfel = OLD.ugyfel;
        SELECT COUNT(*) INTO v_csekk FROM csekk WHERE ugyfel = OLD.ugyfel;
        SELECT COUNT(*) INTO v_befizetes FROM csekkfizet WHERE ugyfel = OLD.ugyfel;
        SELECT COUNT(*) INTO v_tartozas FROM tartozik WHERE ugyfel = OLD.ugyfel;
        IF v_tetel + v_fix + v_csekk + v_befizetes + v_tartozas > 0 THEN
            SET v_uzenet = CONCAT('Az ügyfél nem törölhető, mert hivatkoznak rá: ',
                                  CONCAT_WS(', ',
                                            IF(v_tetel > 0, CONCAT(v_tetel, ' kassza tétel'), NULL),
                                            IF(v_fix > 0, CONCAT(v_fix, ' fix tétel'), NULL),
                                            IF(v_csekk > 0, CONCAT(v_csekk, ' csekk'), NULL),
                                            IF(v_befizetes > 0, CONCAT(v_befizetes, ' csekk befizetés'), NULL),
                                            IF(v_tartozas > 0, CONCAT(v_tartozas, ' tartozás'), NULL)),
                                  '.');
            SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
        END IF;
    END IF;
END$$

-- ---------------------------------------------------------------- fix

DROP TRIGGER IF EXISTS fix_bi$$
CREATE TRIGGER fix_bi BEFORE INSERT ON fix FOR EACH ROW
BEGIN
    SET NEW.ugyfel = NULLIF(NEW.ugyfel, 0);
    SET NEW.kasszatip = NULLIF(NEW.kasszatip, 0);
    IF @@foreign_key_checks THEN
        IF NEW.kasszatip IS NULL THEN
            SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'A fix tételhez kassza típust kell választani.';
        END IF;
        CALL ellenoriz_kasszatip(NEW.kasszatip);
        CALL ellenoriz_ugyfel(NEW.ugyfel);
    END IF;
END$$

DROP TRIGGER IF EXISTS fix_bu$$
CREATE TRIGGER fix_bu BEFORE UPDATE ON fix FOR EACH ROW
BEGIN
    SET NEW.ugyfel = NULLIF(NEW.ugyfel, 0);
    SET NEW.kasszatip = NULLIF(NEW.kasszatip, 0);
    IF @@foreign_key_checks THEN
        IF NEW.kasszatip IS NULL THEN
            SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'A fix tételhez kassza típust kell választani.';
        END IF;
        CALL ellenoriz_kasszatip(NEW.kasszatip);
        CALL ellenoriz_ugyfel(NEW.ugyfel);
    END IF;
END$$

-- ---------------------------------------------------------------- csekk

DROP TRIGGER IF EXISTS csekk_bi$$
CREATE TRIGGER csekk_bi BEFORE INSERT ON csekk FOR EACH ROW
BEGIN
    SET NEW.ugyfel = NULLIF(NEW.ugyfel, 0);
    SET NEW.kellgen = COALESCE(NEW.kellgen, 'N');
    IF @@foreign_key_checks THEN
        CALL ellenoriz_ugyfel(NEW.ugyfel);
    END IF;
END$$

DROP TRIGGER IF EXISTS csekk_bu$$
CREATE TRIGGER csekk_bu BEFORE UPDATE ON csekk FOR EACH ROW
BEGIN
    SET NEW.ugyfel = NULLIF(NEW.ugyfel, 0);
    SET NEW.kellgen = COALESCE(NEW.kellgen, 'N');
    IF @@foreign_key_checks THEN
        CALL ellenoriz_ugyfel(NEW.ugyfel);
    END IF;
END$$

DROP TRIGGER IF EXISTS csekk_bd$$
CREATE TRIGGER csekk_bd BEFORE DELETE ON csekk FOR EACH ROW
BEGIN
    DECLARE v_db INT;
    DECLARE v_uzenet VARCHAR(200);
    IF @@foreign_key_checks THEN
        SELECT COUNT(*) INTO v_db FROM csekkfizet WHERE csekk = OLD.csekk;
        IF v_db > 0 THEN
            SET v_uzenet = CONCAT('A csekk nem törölhető, mert ', v_db,
                                  ' befizetése van; előbb azokat kell törölni.');
            SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
        END IF;
    END IF;
END$$

-- ---------------------------------------------------------------- csekkfizet

DROP TRIGGER IF EXISTS csekkfizet_bi$$
CREATE TRIGGER csekkfizet_bi BEFORE INSERT ON csekkfizet FOR EACH ROW
BEGIN
    DECLARE v_uzenet VARCHAR(200);
    SET NEW.ugyfel = NULLIF(NEW.ugyfel, 0);
    SET NEW.fizetve = COALESCE(NEW.fizetve, 'N');
    IF @@foreign_key_checks THEN
        IF NEW.csekk IS NULL OR NOT EXISTS (SELECT 1 FROM csekk WHERE csekk = NEW.csekk) THEN
            SET v_uzenet = CONCAT('Nem létező csekk (azonosító: ', COALESCE(NEW.csekk, 'nincs megadva'), ').');
            SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
        END IF;
        CALL ellenoriz_ugyfel(NEW.ugyfel);
    END IF;
END$$

DROP TRIGGER IF EXISTS csekkfizet_bu$$
CREATE TRIGGER csekkfizet_bu BEFORE UPDATE ON csekkfizet FOR EACH ROW
BEGIN
    DECLARE v_uzenet VARCHAR(200);
    SET NEW.ugyfel = NULLIF(NEW.ugyfel, 0);
    SET NEW.fizetve = COALESCE(NEW.fizetve, 'N');
    IF @@foreign_key_checks THEN
        IF NEW.csekk IS NULL OR NOT EXISTS (SELECT 1 FROM csekk WHERE csekk = NEW.csekk) THEN
            SET v_uzenet = CONCAT('Nem létező csekk (azonosító: ', COALESCE(NEW.csekk, 'nincs megadva'), ').');
            SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
        END IF;
        CALL ellenoriz_ugyfel(NEW.ugyfel);
    END IF;
END$$

-- ---------------------------------------------------------------- tartozik

DROP PROCEDURE IF EXISTS ugyfel_tartozas_frissit$$
-- Recomputes ugyfel.tartozik of one client from its loans.
CREATE PROCEDURE ugyfel_tartozas_frissit(IN p_ugyfel INT)
    MODIFIES SQL DATA
BEGIN
    IF p_ugyfel IS NOT NULL THEN
        UPDATE ugyfel
           SET tartozik = (SELECT COALESCE(ROUND(SUM(IF(t.tartozas = 'I', t.marad, -t.marad)), 4), 0)
                             FROM tartozik t
                            WHERE t.ugyfel = p_ugyfel)
         WHERE ugyfel = p_ugyfel;
    END IF;
END$$

DROP TRIGGER IF EXISTS tartozik_bi$$
CREATE TRIGGER tartozik_bi BEFORE INSERT ON tartozik FOR EACH ROW
BEGIN
    SET NEW.ugyfel = NULLIF(NEW.ugyfel, 0);
    IF NEW.tartozas IS NULL OR NEW.tartozas NOT IN ('I', 'N') THEN
        SIGNAL SQLSTATE '45000'
            SET MESSAGE_TEXT = 'A tartozás iránya csak I (nekem tartoznak) vagy N (én tartozom) lehet.';
    END IF;
    IF @@foreign_key_checks THEN
        CALL ellenoriz_ugyfel(NEW.ugyfel);
    END IF;
    SET NEW.osszeg = ROUND(COALESCE(NEW.osszeg, 0), 4);
    SET NEW.torlesztve = ROUND(COALESCE(NEW.torlesztve, 0), 4);
    SET NEW.marad = ROUND(NEW.osszeg - NEW.torlesztve, 4);
    IF NEW.marad = 0 THEN
        SET NEW.megadva = 'I';
        SET NEW.dat_megad = COALESCE(NEW.dat_megad, CURDATE());
    ELSE
        SET NEW.megadva = 'N';
        SET NEW.dat_megad = NULL;
    END IF;
END$$

DROP TRIGGER IF EXISTS tartozik_bu$$
CREATE TRIGGER tartozik_bu BEFORE UPDATE ON tartozik FOR EACH ROW
BEGIN
    SET NEW.ugyfel = NULLIF(NEW.ugyfel, 0);
    IF NEW.tartozas IS NULL OR NEW.tartozas NOT IN ('I', 'N') THEN
        SIGNAL SQLSTATE '45000'
            SET MESSAGE_TEXT = 'A tartozás iránya csak I (nekem tartoznak) vagy N (én tartozom) lehet.';
    END IF;
    IF @@foreign_key_checks THEN
        CALL ellenoriz_ugyfel(NEW.ugyfel);
    END IF;
    SET NEW.osszeg = ROUND(COALESCE(NEW.osszeg, 0), 4);
    SET NEW.torlesztve = ROUND(COALESCE(NEW.torlesztve, 0), 4);
    SET NEW.marad = ROUND(NEW.osszeg - NEW.torlesztve, 4);
    IF NEW.marad = 0 THEN
        SET NEW.megadva = 'I';
        IF OLD.megadva <> 'I' OR NEW.dat_megad IS NULL THEN
            SET NEW.dat_megad = CURDATE();
        END IF;
    ELSE
        SET NEW.megadva = 'N';
        SET NEW.dat_megad = NULL;
    END IF;
END$$

DROP TRIGGER IF EXISTS tartozik_ai$$
CREATE TRIGGER tartozik_ai AFTER INSERT ON tartozik FOR EACH ROW
BEGIN
    CALL ugyfel_tartozas_frissit(NEW.ugyfel);
END$$

DROP TRIGGER IF EXISTS tartozik_au$$
CREATE TRIGGER tartozik_au AFTER UPDATE ON tartozik FOR EACH ROW
BEGIN
    CALL ugyfel_tartozas_frissit(NEW.ugyfel);
    IF NOT (OLD.ugyfel <=> NEW.ugyfel) THEN
        CALL ugyfel_tartozas_frissit(OLD.ugyfel);
    END IF;
END$$

DROP TRIGGER IF EXISTS tartozik_ad$$
CREATE TRIGGER tartozik_ad AFTER DELETE ON tartozik FOR EACH ROW
BEGIN
    CALL ugyfel_tartozas_frissit(OLD.ugyfel);
END$$

-- ---------------------------------------------------------------- single rows

DROP TRIGGER IF EXISTS beallit_bd$$
CREATE TRIGGER beallit_bd BEFORE DELETE ON beallit FOR EACH ROW
BEGIN
    SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'A beállítások sora nem törölhető.';
END$$

DROP TRIGGER IF EXISTS tulajdonos_bd$$
CREATE TRIGGER tulajdonos_bd BEFORE DELETE ON tulajdonos FOR EACH ROW
BEGIN
    SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'A tulajdonos adatainak sora nem törölhető.';
END$$

DELIMITER ;
