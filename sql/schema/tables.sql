-- Zorva database: the tables of schema version 1.
--
-- Every table is InnoDB with latin2 / latin2_hungarian_ci.  Money is DOUBLE; the
-- procedures keep every amount and balance rounded to 4 decimals (see lanc.sql), so a
-- balance is the exact sum of the amounts before it.
--
-- "No client" is NULL in every client column.  The program writes 0 for it; the
-- procedures and the BEFORE triggers (triggers.sql) turn 0 into NULL, so 0 is always
-- accepted and the foreign keys stay strict.
--
-- Run by the installer statement by statement (DELIMITER lines are understood), or by
-- the mariadb client.  Version steps after version 1 live in ../upgrade/.

DELIMITER $$

CREATE TABLE kassza (
    kassza        INT NOT NULL AUTO_INCREMENT,
    kassza_nev    VARCHAR(25) NULL,
    -- opening amount: the balance before the first entry of the cash box
    nyito         DOUBLE NOT NULL DEFAULT 0,
    tizedesjegy   INT NULL DEFAULT 0,
    PRIMARY KEY (kassza)
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

CREATE TABLE kasszatip (
    kasszatip      INT NOT NULL AUTO_INCREMENT,
    kasszatip_nev  VARCHAR(50) NULL,
    -- 1 income, -1 expense (checked by a trigger)
    szorzo         INT NOT NULL DEFAULT 1,
    -- row colour, 0x00BBGGRR; a system colour as its (negative) system code
    szin           INT NULL,
    PRIMARY KEY (kasszatip),
    KEY kasszatip_nev (kasszatip_nev)
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

CREATE TABLE ugyfel (
    ugyfel      INT NOT NULL AUTO_INCREMENT,
    ugyfel_nev  VARCHAR(50) NULL,
    kapcsolat   VARCHAR(50) NULL,
    telefon     VARCHAR(50) NULL,
    emil        VARCHAR(100) NULL,
    cim_irsz    VARCHAR(10) NULL,
    cim_varos   VARCHAR(30) NULL,
    cim_cim     VARCHAR(50) NULL,
    bankszamla  VARCHAR(40) NULL,
    -- claims minus debts still outstanding; kept by the triggers of tartozik
    tartozik    DOUBLE NOT NULL DEFAULT 0,
    PRIMARY KEY (ugyfel),
    KEY ugyfel_nev (ugyfel_nev)
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

-- One row per cash-book entry, written by sp_kassza_ins / sp_kassza_edit / sp_kassza_del.
-- Chain order inside a cash box: (datum, hazikassza, hid); hazikassza (the entry number)
-- is unique per cash box, so hid never decides in practice.
CREATE TABLE hazikassza (
    hid         INT NOT NULL AUTO_INCREMENT,
    hazikassza  INT NOT NULL,
    kassza      INT NOT NULL,
    idoszak     CHAR(6) NOT NULL,
    ugyfel      INT NULL,
    datum       DATE NOT NULL,
    kasszatip   INT NOT NULL,
    nyito       DOUBLE NOT NULL DEFAULT 0,
    osszeg      DOUBLE NOT NULL DEFAULT 0,
    zaro        DOUBLE NOT NULL DEFAULT 0,
    szoveg      VARCHAR(255) NULL,
    bevetel     DOUBLE NOT NULL DEFAULT 0,
    kiadas      DOUBLE NOT NULL DEFAULT 0,
    -- when the entry was recorded (kept on edits)
    rogzitve    DATETIME NOT NULL DEFAULT CURRENT_TIMESTAMP,
    PRIMARY KEY (hid),
    -- the main list: WHERE kassza = ... ORDER BY hazikassza
    UNIQUE KEY hazikassza_sorszam (kassza, hazikassza),
    -- the balance chain, the "last month" filter and the per-box date reports
    KEY hazikassza_lanc (kassza, datum, hazikassza),
    -- the period filter and the period totals of sp_hazikasszasum
    KEY hazikassza_kassza_idoszak (kassza, idoszak, datum, hazikassza),
    -- reports and charts over every cash box
    KEY hazikassza_datum (datum),
    KEY hazikassza_idoszak (idoszak),
    KEY hazikassza_kasszatip (kasszatip, datum),
    KEY hazikassza_ugyfel (ugyfel, datum),
    CONSTRAINT hazikassza_kassza FOREIGN KEY (kassza) REFERENCES kassza (kassza),
    CONSTRAINT hazikassza_kasszatip FOREIGN KEY (kasszatip) REFERENCES kasszatip (kasszatip),
    CONSTRAINT hazikassza_ugyfel FOREIGN KEY (ugyfel) REFERENCES ugyfel (ugyfel)
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

CREATE TABLE fix (
    fix        INT NOT NULL AUTO_INCREMENT,
    kasszatip  INT NULL,
    osszeg     DOUBLE NULL DEFAULT 0,
    szoveg     VARCHAR(255) NULL,
    ugyfel     INT NULL,
    PRIMARY KEY (fix),
    CONSTRAINT fix_kasszatip FOREIGN KEY (kasszatip) REFERENCES kasszatip (kasszatip),
    CONSTRAINT fix_ugyfel FOREIGN KEY (ugyfel) REFERENCES ugyfel (ugyfel)
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

CREATE TABLE csekk (
    csekk      INT NOT NULL AUTO_INCREMENT,
    csekk_nev  VARCHAR(25) NULL,
    kellgen    CHAR(1) NOT NULL DEFAULT 'I',
    nap_hatid  INT NULL DEFAULT 1,
    osszeg     DOUBLE NULL DEFAULT 0,
    ugyfel     INT NULL,
    PRIMARY KEY (csekk),
    CONSTRAINT csekk_ugyfel FOREIGN KEY (ugyfel) REFERENCES ugyfel (ugyfel)
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

CREATE TABLE csekkfizet (
    csekkfizet   INT NOT NULL AUTO_INCREMENT,
    csekk        INT NOT NULL,
    idoszak      CHAR(6) NULL,
    dat_hatid    DATE NULL,
    dat_fizetve  DATE NULL,
    osszeg       DOUBLE NULL DEFAULT 0,
    ugyfel       INT NULL,
    fizetve      CHAR(1) NOT NULL DEFAULT 'N',
    PRIMARY KEY (csekkfizet),
    -- sp_csekkgen: is the payment of this period there already?
    KEY csekkfizet_csekk_idoszak (csekk, idoszak),
    -- the due list and the unpaid total
    KEY csekkfizet_fizetve (fizetve, dat_hatid),
    KEY csekkfizet_idoszak (idoszak),
    CONSTRAINT csekkfizet_csekk FOREIGN KEY (csekk) REFERENCES csekk (csekk),
    CONSTRAINT csekkfizet_ugyfel FOREIGN KEY (ugyfel) REFERENCES ugyfel (ugyfel)
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

-- A loan between the user and a client.  marad, megadva and dat_megad follow osszeg and
-- torlesztve (trigger); osszeg and torlesztve change through sp_megkolcsonad / sp_torleszt.
CREATE TABLE tartozik (
    tartozik          INT NOT NULL AUTO_INCREMENT,
    ugyfel            INT NULL,
    datum             DATE NULL,
    dat_megad_kell    DATE NULL,
    dat_megad         DATE NULL,
    osszeg            DOUBLE NOT NULL DEFAULT 0,
    torlesztve        DOUBLE NOT NULL DEFAULT 0,
    marad             DOUBLE NOT NULL DEFAULT 0,
    szoveg            VARCHAR(50) NULL,
    megadva           CHAR(1) NOT NULL DEFAULT 'N',
    -- 'I': the client owes the user (claim); 'N': the user owes the client (debt)
    tartozas          CHAR(1) NOT NULL DEFAULT 'I',
    kassza            INT NULL,
    kasszatip_ki      INT NULL,
    kasszatip_vissza  INT NULL,
    PRIMARY KEY (tartozik),
    KEY tartozik_ugyfel (ugyfel),
    KEY tartozik_lista (tartozas, megadva),
    CONSTRAINT tartozik_ugyfel FOREIGN KEY (ugyfel) REFERENCES ugyfel (ugyfel),
    CONSTRAINT tartozik_kassza FOREIGN KEY (kassza) REFERENCES kassza (kassza)
        ON DELETE SET NULL,
    CONSTRAINT tartozik_kasszatip_ki FOREIGN KEY (kasszatip_ki) REFERENCES kasszatip (kasszatip)
        ON DELETE SET NULL,
    CONSTRAINT tartozik_kasszatip_vissza FOREIGN KEY (kasszatip_vissza) REFERENCES kasszatip (kasszatip)
        ON DELETE SET NULL
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

-- Repayments ('N') and further loans ('I') of a loan; they go with their loan.
CREATE TABLE torleszt (
    torleszt    INT NOT NULL AUTO_INCREMENT,
    tartozik    INT NOT NULL,
    datum       DATE NULL,
    osszeg      DOUBLE NOT NULL DEFAULT 0,
    megjegyzes  VARCHAR(50) NULL,
    novel       CHAR(1) NOT NULL DEFAULT 'N',
    PRIMARY KEY (torleszt),
    KEY torleszt_tartozik (tartozik, datum),
    CONSTRAINT torleszt_tartozik FOREIGN KEY (tartozik) REFERENCES tartozik (tartozik)
        ON DELETE CASCADE
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

-- The owner's data: exactly one row (tulajdonos_id = 1).
CREATE TABLE tulajdonos (
    tulajdonos_id   TINYINT NOT NULL DEFAULT 1,
    tulajdonos      VARCHAR(100) NULL,
    telefon         VARCHAR(25) NULL,
    mobil           VARCHAR(25) NULL,
    fax             VARCHAR(25) NULL,
    irsz            VARCHAR(5) NULL,
    varos           VARCHAR(25) NULL,
    cim             VARCHAR(50) NULL,
    adoszam         VARCHAR(11) NULL,
    bankszamlaszam  VARCHAR(24) NULL,
    PRIMARY KEY (tulajdonos_id),
    CONSTRAINT tulajdonos_egy_sor CHECK (tulajdonos_id = 1)
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

-- Database-wide settings: exactly one row (beallit_id = 1).  A deleted cash type leaves
-- an empty setting behind.
CREATE TABLE beallit (
    beallit_id           TINYINT NOT NULL DEFAULT 1,
    vanbelep             CHAR(1) NOT NULL DEFAULT 'N',
    kasszatip_ki         INT NULL,
    kasszatip_vissza     INT NULL,
    kapkasszatip_ki      INT NULL,
    kapkasszatip_vissza  INT NULL,
    kasszatip_csekk      INT NULL,
    PRIMARY KEY (beallit_id),
    CONSTRAINT beallit_egy_sor CHECK (beallit_id = 1),
    CONSTRAINT beallit_kasszatip_ki FOREIGN KEY (kasszatip_ki) REFERENCES kasszatip (kasszatip)
        ON DELETE SET NULL,
    CONSTRAINT beallit_kasszatip_vissza FOREIGN KEY (kasszatip_vissza) REFERENCES kasszatip (kasszatip)
        ON DELETE SET NULL,
    CONSTRAINT beallit_kapkasszatip_ki FOREIGN KEY (kapkasszatip_ki) REFERENCES kasszatip (kasszatip)
        ON DELETE SET NULL,
    CONSTRAINT beallit_kapkasszatip_vissza FOREIGN KEY (kapkasszatip_vissza) REFERENCES kasszatip (kasszatip)
        ON DELETE SET NULL,
    CONSTRAINT beallit_kasszatip_csekk FOREIGN KEY (kasszatip_csekk) REFERENCES kasszatip (kasszatip)
        ON DELETE SET NULL
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

CREATE TABLE felhasznalo (
    felhasznalo      VARCHAR(20) NOT NULL,
    felhasznalo_nev  VARCHAR(20) NULL,
    jelszo           VARCHAR(10) NULL,
    rendszergazda    CHAR(1) NOT NULL DEFAULT 'N',
    torzsszerkeszt   CHAR(1) NOT NULL DEFAULT 'N',
    szerkeszthet     CHAR(1) NOT NULL DEFAULT 'N',
    torolhet         CHAR(1) NOT NULL DEFAULT 'N',
    PRIMARY KEY (felhasznalo)
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

-- Postal codes; one code may serve several towns.
CREATE TABLE irsz (
    irsz   VARCHAR(10) NOT NULL,
    varos  VARCHAR(30) NOT NULL,
    PRIMARY KEY (irsz, varos)
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

-- Schema versions installed, written with three digits ('001') so that MAX(verzio)
-- compares them correctly as text.
CREATE TABLE verzio (
    verzio     VARCHAR(15) NOT NULL,
    leiras     VARCHAR(255) NULL,
    telepitve  DATETIME NOT NULL DEFAULT CURRENT_TIMESTAMP,
    PRIMARY KEY (verzio)
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci$$

-- The single rows exist from the start: no sign-in, no cash types chosen, no owner yet.
INSERT INTO beallit (beallit_id, vanbelep) VALUES (1, 'N')$$
INSERT INTO tulajdonos (tulajdonos_id, tulajdonos) VALUES (1, '')$$

INSERT INTO verzio (verzio, leiras) VALUES ('001', 'Az adatbázis első változata')$$

DELIMITER ;
