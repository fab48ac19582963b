-- The views the program reads.  All are MERGE views, so a WHERE on a view column reaches
-- the indexes of the underlying table.
--
-- vw_hazikassza.szoveg_rovid: the first line of szoveg, at most 100 characters; "..."
-- ends it when anything was left out (a further line or the rest of a long line).
-- vw_csekk.kellgenstr: kellgen as the word "igen" or "nem".
-- vw_torleszt.datum: the date as text "yyyy.mm.dd"; osszesen: the loan's outstanding
-- amount (tartozik.marad), the same on every row of the loan.
-- vw_ugyfel.cimstr: "postal code city, street address", empty parts left out.
-- vw_tulajdonos.irszvaros: "postal code city"; irszvaroscim: that and ", street address".

DELIMITER $$

CREATE OR REPLACE ALGORITHM=MERGE VIEW vw_hazikassza AS
SELECT h.hid, h.hazikassza, h.kassza, h.idoszak, h.ugyfel, h.datum, h.kasszatip,
       h.nyito, h.osszeg, h.zaro, h.szoveg, h.bevetel, h.kiadas, h.rogzitve,
       t.kasszatip_nev, t.szorzo, t.szin,
       u.ugyfel_nev,
       k.kassza_nev,
       CASE
           WHEN CHAR_LENGTH(SUBSTRING_INDEX(REPLACE(h.szoveg, CHAR(13 USING latin2), CHAR(10 USING latin2)),
                                            CHAR(10 USING latin2), 1)) > 100
               THEN CONCAT(LEFT(h.szoveg, 97), '...')
           WHEN LOCATE(CHAR(10 USING latin2), REPLACE(h.szoveg, CHAR(13 USING latin2), CHAR(10 USING latin2))) > 0
               THEN CONCAT(SUBSTRING_INDEX(REPLACE(h.szoveg, CHAR(13 USING latin2), CHAR(10 USING latin2)),
                                           CHAR(10 USING latin2), 1), ' ...')
           ELSE h.szoveg
       END AS szoveg_rovid
  FROM hazikassza h
  LEFT JOIN kasszatip t ON t.kasszatip = h.kasszatip
  LEFT JOIN ugyfel u ON u.ugyfel = h.ugyfel
  LEFT JOIN kassza k ON k.kassza = h.kassza$$

CREATE OR REPLACE ALGORITHM=MERGE VIEW vw_csekkfizet AS
SELECT f.csekkfizet, f.csekk, f.idoszak, f.dat_hatid, f.dat_fizetve, f.osszeg, f.ugyfel, f.fizetve,
       u.ugyfel_nev,
       c.csekk_nev
  FROM csekkfizet f
  LEFT JOIN ugyfel u ON u.ugyfel = f.ugyfel
  LEFT JOIN csekk c ON c.csekk = f.csekk$$

CREATE OR REPLACE ALGORITHM=MERGE VIEW vw_csekk AS
SELECT c.csekk, c.csekk_nev, c.kellgen, c.nap_hatid, c.osszeg, c.ugyfel,
       u.ugyfel_nev,
       IF(c.kellgen = 'I', _latin2'igen', _latin2'nem') AS kellgenstr
  FROM csekk c
  LEFT JOIN ugyfel u ON u.ugyfel = c.ugyfel$$

CREATE OR REPLACE ALGORITHM=MERGE VIEW vw_tartozik AS
SELECT t.tartozik, t.ugyfel, t.datum, t.dat_megad_kell, t.dat_megad, t.osszeg, t.torlesztve, t.marad,
       t.szoveg, t.megadva, t.tartozas, t.kassza, t.kasszatip_ki, t.kasszatip_vissza,
       u.ugyfel_nev
  FROM tartozik t
  LEFT JOIN ugyfel u ON u.ugyfel = t.ugyfel$$

CREATE OR REPLACE ALGORITHM=MERGE VIEW vw_torleszt AS
SELECT r.torleszt, r.tartozik,
       CONVERT(DATE_FORMAT(r.datum, '%Y.%m.%d') USING latin2) AS datum,
       r.osszeg, r.megjegyzes, r.novel,
       t.ugyfel,
       t.marad AS osszesen
  FROM torleszt r
  JOIN tartozik t ON t.tartozik = r.tartozik$$

CREATE OR REPLACE ALGORITHM=MERGE VIEW vw_ugyfel AS
SELECT u.ugyfel, u.ugyfel_nev, u.kapcsolat, u.telefon, u.emil,
       LEFT(CONCAT_WS(', ',
                      NULLIF(CONCAT_WS(' ', NULLIF(u.cim_irsz, ''), NULLIF(u.cim_varos, '')), ''),
                      NULLIF(u.cim_cim, '')), 86) AS cimstr,
       u.tartozik
  FROM ugyfel u$$

CREATE OR REPLACE ALGORITHM=MERGE VIEW vw_tulajdonos AS
SELECT o.tulajdonos, o.telefon, o.irsz, o.varos, o.cim,
       CONCAT_WS(' ', NULLIF(o.irsz, ''), NULLIF(o.varos, '')) AS irszvaros,
       CONCAT_WS(', ',
                 NULLIF(CONCAT_WS(' ', NULLIF(o.irsz, ''), NULLIF(o.varos, '')), ''),
                 NULLIF(o.cim, '')) AS irszvaroscim
  FROM tulajdonos o$$

DELIMITER ;
