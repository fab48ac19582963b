-- Version 4: writes that make concurrent changes of one cash box (or one bill period)
-- collide on a replicated cluster.
--
-- A Galera cluster certifies a transaction against the rows other nodes wrote meanwhile,
-- not against the locks it took: SELECT ... FOR UPDATE on a kassza row serialises the
-- chain procedures on one server only.  So every procedure that changes a box's chain
-- also raises that box's number in kassza_valtozat, first thing after taking the lock;
-- two such transactions on different nodes write the same row, and the later one is
-- refused (deadlock 1213) and run again.  The table has no triggers and nothing reads it;
-- a box gets its row here or, when it has none, at its first change.
--
-- csekkgen_idoszak does the same for sp_csekkgen: one row per generated period, written
-- before the period's payments are looked for, so two nodes cannot both create them.

CREATE TABLE IF NOT EXISTS kassza_valtozat (
    kassza    INT NOT NULL,
    valtozat  BIGINT NOT NULL DEFAULT 0,
    PRIMARY KEY (kassza),
    CONSTRAINT kassza_valtozat_kassza FOREIGN KEY (kassza) REFERENCES kassza (kassza) ON DELETE CASCADE
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci;

INSERT IGNORE INTO kassza_valtozat (kassza, valtozat) SELECT kassza, 0 FROM kassza;

CREATE TABLE IF NOT EXISTS csekkgen_idoszak (
    idoszak   CHAR(6) NOT NULL,
    valtozat  BIGINT NOT NULL DEFAULT 0,
    PRIMARY KEY (idoszak)
) ENGINE=InnoDB DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci;
