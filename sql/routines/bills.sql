-- Bill payments: sp_csekkgen and sp_csekkfizet.
--
-- sp_csekkgen(period 'yyyymm') creates, for every bill type with kellgen 'I' that has
-- no payment in that period yet, one unpaid payment: the type's amount and payee, due
-- on day nap_hatid of the period, or on the month's last day when the month is shorter
-- (a missing or smaller-than-1 day counts as day 1).  Generating a period again creates
-- nothing new, also when two users generate it at the same moment (the bill types are
-- locked while the period is generated, and on a cluster the period's row of
-- csekkgen_idoszak is written first).  A period that is not six digits with a month
-- from 01 to 12 is refused.
--
-- sp_csekkfizet(id) flips the paid flag: an unpaid payment ('N') becomes paid ('I') with
-- dat_fizetve today; a paid one (any other value) becomes unpaid with no dat_fizetve.
-- An id that does not exist is refused, so nothing is booked for a payment that is not
-- there.

DELIMITER $$

DROP PROCEDURE IF EXISTS sp_csekkgen$$
CREATE PROCEDURE sp_csekkgen(IN p_idoszak VARCHAR(100))
    MODIFIES SQL DATA
BEGIN
    DECLARE v_uzenet VARCHAR(200);
    DECLARE v_elso DATE DEFAULT NULL;
    DECLARE v_proba INT DEFAULT 0;
    DECLARE v_zarolt INT;

    IF p_idoszak REGEXP '^[0-9]{6}$' AND CAST(RIGHT(p_idoszak, 2) AS UNSIGNED) BETWEEN 1 AND 12
       AND CAST(LEFT(p_idoszak, 4) AS UNSIGNED) >= 1000 THEN
        SET v_elso = STR_TO_DATE(CONCAT(p_idoszak, '01'), '%Y%m%d');
    END IF;
    IF v_elso IS NULL THEN
        SET v_uzenet = CONCAT('Érvénytelen időszak: "', COALESCE(p_idoszak, ''),
                              '". Hat számjegy kell (év és hónap), például 202403.');
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
    END IF;

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
            SELECT COUNT(*) INTO v_zarolt FROM csekk WHERE kellgen = 'I' FOR UPDATE;
            -- The lock serialises one server; on a cluster two nodes generating the same
            -- period collide on this row instead.
            INSERT INTO csekkgen_idoszak (idoszak, valtozat) VALUES (p_idoszak, 1)
                ON DUPLICATE KEY UPDATE valtozat = valtozat + 1;
            INSERT INTO csekkfizet (csekk, idoszak, dat_hatid, dat_fizetve, osszeg, ugyfel, fizetve)
            SELECT c.csekk, p_idoszak,
                   DATE_ADD(v_elso, INTERVAL LEAST(GREATEST(COALESCE(c.nap_hatid, 1), 1),
                                                   DAY(LAST_DAY(v_elso))) - 1 DAY),
                   NULL, COALESCE(c.osszeg, 0), c.ugyfel, 'N'
              FROM csekk c
             WHERE c.kellgen = 'I'
               AND NOT EXISTS (SELECT 1 FROM csekkfizet f WHERE f.csekk = c.csekk AND f.idoszak = p_idoszak)
             ORDER BY c.csekk;
            COMMIT;
            LEAVE ujra;
        END;
    END LOOP;
END$$

DROP PROCEDURE IF EXISTS sp_csekkfizet$$
CREATE PROCEDURE sp_csekkfizet(IN p_csekkfizet INT)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_uzenet VARCHAR(200);
    -- One statement, so it is atomic on its own.  dat_fizetve is assigned first and
    -- both expressions read the old flag, whatever the order of assignments.
    UPDATE csekkfizet
       SET dat_fizetve = IF(fizetve = 'N', CURDATE(), NULL),
           fizetve = IF(fizetve = 'N', 'I', 'N')
     WHERE csekkfizet = p_csekkfizet;
    IF ROW_COUNT() = 0 THEN
        SET v_uzenet = CONCAT('Nem létező csekk befizetés (azonosító: ', COALESCE(p_csekkfizet, 'nincs'), ').');
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = v_uzenet;
    END IF;
END$$

DELIMITER ;
