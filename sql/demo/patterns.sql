-- Demo data: what the generated cash-book entries look like.  Two session tables that
-- the entry generator joins to a stream of numbers (see demodata.cpp):
--   demo_minta: everyday entries, drawn at random with the weight suly;
--   demo_havi:  entries of every month on a fixed day.
-- fajta is the kind of cash box: 'P' wallet (cash), 'B' current account, 'E' euro
-- account.  Amounts are drawn between tol and ig in steps of lepes.  The household's
-- master data (household.sql) must be loaded: types and clients are given by id, and
-- szorzo is taken from the cash types.

DROP TEMPORARY TABLE IF EXISTS demo_minta;
CREATE TEMPORARY TABLE demo_minta (
    minta      INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    fajta      CHAR(1) NOT NULL,
    kasszatip  INT NOT NULL,
    ugyfel     INT NULL,
    tol        DOUBLE NOT NULL,
    ig         DOUBLE NOT NULL,
    lepes      DOUBLE NOT NULL,
    szoveg     VARCHAR(255) NOT NULL,
    suly       INT NOT NULL,
    suly_tol   INT NULL,
    suly_ig    INT NULL,
    szorzo     INT NULL
) ENGINE=MEMORY DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci;

INSERT INTO demo_minta (fajta, kasszatip, ugyfel, tol, ig, lepes, szoveg, suly) VALUES
    ('P', 10, 5, 1200, 9800, 10, 'Bevásárlás a Sparban', 30),
    ('P', 10, 8, 380, 2600, 10, 'Kenyér, péksütemény', 25),
    ('P', 10, 29, 900, 6500, 10, 'Zöldség, gyümölcs a piacon', 15),
    ('P', 10, 6, 2500, 18000, 10, 'Heti nagybevásárlás', 12),
    ('P', 10, 7, 1800, 14500, 10, 'Lidl: tej, sajt, hús', 12),
    ('P', 11, 4, 1500, 12000, 10, 'Mosószer, tisztítószerek', 6),
    ('P', 14, 15, 450, 900, 5, 'Vonaljegy', 6),
    ('P', 14, 16, 1800, 9500, 5, 'Vonatjegy Debrecenbe', 2),
    ('P', 17, 18, 800, 9800, 10, 'Gyógyszertár', 6),
    ('P', 17, 19, 2000, 6000, 500, 'Orvosi igazolás, beutaló', 1),
    ('P', 18, 20, 2200, 7600, 100, 'Mozijegyek', 3),
    ('P', 18, 22, 2990, 12990, 10, 'Könyv ajándékba', 2),
    ('P', 19, 21, 1200, 8900, 10, 'Kávé és sütemény\nbarátokkal', 6),
    ('P', 20, 2, 1500, 15000, 500, 'Osztálypénz, kirándulás', 2),
    ('P', 20, 0, 1000, 5000, 500, 'Zsebpénz', 4),
    ('P', 24, 0, 3000, 25000, 500, 'Születésnapi ajándék', 1),
    ('P', 7, 24, 5000, 20000, 1000, 'Nagyapától kaptuk', 1),
    ('P', 6, 26, 2000, 30000, 500, 'Használt bicikli eladva', 1),
    ('P', 5, 30, 25000, 75000, 5000, 'Készpénzfelvétel', 14),
    ('B', 15, 17, 8000, 24000, 10, 'Tankolás', 10),
    ('B', 16, 23, 4990, 39990, 10, 'Sportcipő, melegítő', 3),
    ('B', 16, 4, 2990, 19990, 10, 'Ruha a gyerekeknek', 4),
    ('B', 10, 4, 6500, 32000, 10, 'Tesco nagybevásárlás kártyával', 10),
    ('B', 18, 0, 3000, 15000, 100, 'Színházjegy, internetes vásárlás', 2),
    ('B', 19, 0, 6000, 24000, 100, 'Vacsora étteremben', 3),
    ('B', 21, 30, 25000, 75000, 5000, 'Készpénzfelvétel automatából', 14),
    ('B', 4, 30, 15, 420, 1, 'Számlakamat', 2),
    ('B', 2, 1, 50000, 250000, 5000, 'Negyedéves prémium', 1),
    ('E', 19, 0, 8.5, 64.9, 0.01, 'Kávé és ebéd Bécsben', 5),
    ('E', 18, 0, 12, 89, 0.01, 'Múzeumjegy, kiállítás', 3),
    ('E', 15, 0, 35, 78, 0.01, 'Tankolás külföldön', 3),
    ('E', 16, 0, 19.99, 129.99, 0.01, 'Webáruházas rendelés', 3),
    ('E', 6, 0, 10, 150, 0.01, 'Eladás külföldi piactéren', 2),
    ('E', 4, 30, 0.05, 2.75, 0.01, 'Euró számla kamata', 1);

-- Cumulative weights per kind: an entry whose random number r (0 <= r < total weight of
-- its kind) falls into [suly_tol, suly_ig) takes that pattern.
UPDATE demo_minta m
  JOIN (SELECT minta, SUM(suly) OVER (PARTITION BY fajta ORDER BY minta) AS futo FROM demo_minta) w
    ON w.minta = m.minta
   SET m.suly_ig = w.futo, m.suly_tol = w.futo - m.suly;
UPDATE demo_minta m JOIN kasszatip t ON t.kasszatip = m.kasszatip SET m.szorzo = t.szorzo;

DROP TEMPORARY TABLE IF EXISTS demo_havi;
CREATE TEMPORARY TABLE demo_havi (
    havi       INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
    fajta      CHAR(1) NOT NULL,
    nap        INT NOT NULL,
    kasszatip  INT NOT NULL,
    ugyfel     INT NULL,
    tol        DOUBLE NOT NULL,
    ig         DOUBLE NOT NULL,
    lepes      DOUBLE NOT NULL,
    szoveg     VARCHAR(255) NOT NULL,
    szorzo     INT NULL
) ENGINE=MEMORY DEFAULT CHARSET=latin2 COLLATE=latin2_hungarian_ci;

INSERT INTO demo_havi (fajta, nap, kasszatip, ugyfel, tol, ig, lepes, szoveg) VALUES
    ('B', 10, 1, 1, 598000, 626000, 1000, 'Havi fizetés'),
    ('B', 12, 3, 3, 25000, 25000, 1, 'Családi pótlék'),
    ('B', 5, 13, 13, 32400, 32400, 1, 'Közös költség átutalás'),
    ('B', 10, 12, 9, 9800, 14500, 10, 'Villanyszámla (csekk)'),
    ('B', 15, 12, 10, 6200, 24800, 10, 'Gázszámla (csekk)'),
    ('B', 20, 12, 11, 5400, 8100, 10, 'Vízdíj (csekk)'),
    ('B', 25, 12, 12, 9990, 9990, 1, 'Telefon és internet (csekk)'),
    ('B', 28, 12, 14, 4250, 4250, 1, 'Lakásbiztosítás (csekk)'),
    ('P', 1, 14, 15, 8950, 8950, 1, 'BKV havibérlet'),
    ('P', 3, 20, 2, 3000, 9000, 500, 'Menza befizetés'),
    ('E', 2, 1, 1, 150, 150, 1, 'Külföldi megbízás díja');
UPDATE demo_havi m JOIN kasszatip t ON t.kasszatip = m.kasszatip SET m.szorzo = t.szorzo;
