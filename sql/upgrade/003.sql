-- Version 3: importing bank statements.
--
-- importszabaly: the cash-type rules of the import window, applied in the order of
-- sorrend: an imported row whose text or counterparty contains minta (compared without
-- case and accents) gets the cash type kasszatip, when that type has the row's sign.
--
-- importforras: where each imported entry came from: the file name, the line of the file
-- the row began on, and the bank's own id of the transaction when the file has one.  The
-- row goes with its entry; a second import of the same statement finds its rows here (by
-- id) or among the entries (by date, amount and text) and books nothing.

CREATE TABLE IF NOT EXISTS importszabaly (
    importszabaly  INT NOT NULL AUTO_INCREMENT,
    sorrend        INT NOT NULL DEFAULT 0,
    minta          VARCHAR(100) NOT NULL,
    kasszatip      INT NOT NULL,
    PRIMARY KEY (importszabaly),
    KEY importszabaly_sorrend (sorrend, importszabaly),
    CONSTRAINT importszabaly_kasszatip FOREIGN KEY (kasszatip) REFERENCES kasszatip (kasszatip) ON DELETE CASCADE
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci;

CREATE TABLE IF NOT EXISTS importforras (
    hid        INT NOT NULL,
    kassza     INT NOT NULL,
    fajl       VARCHAR(255) NOT NULL,
    sor        INT NOT NULL,
    azonosito  VARCHAR(100) NULL,
    PRIMARY KEY (hid),
    KEY importforras_azonosito (kassza, azonosito),
    CONSTRAINT importforras_hid FOREIGN KEY (hid) REFERENCES hazikassza (hid) ON DELETE CASCADE
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci;
