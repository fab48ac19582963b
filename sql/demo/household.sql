-- Demo data: the master data of a Hungarian household (the Kovács family of Budapest).
-- Loaded into an empty database by the installer's demo generator, which then adds the
-- cash-book entries (see patterns.sql), two years of bill payments and the loans.
-- Dates are relative to the day of loading.

INSERT INTO tulajdonos (tulajdonos_id, tulajdonos, telefon, mobil, fax, irsz, varos, cim, adoszam, bankszamlaszam)
VALUES (1, 'Kovács Péter és Kovácsné Szabó Éva', '06-1-365-2214', '06-30-412-7789', '', '1117', 'Budapest',
        'Bartók Béla út 42. III/12.', '84512376142', '117730161234567800000000')
ON DUPLICATE KEY UPDATE tulajdonos = VALUES(tulajdonos), telefon = VALUES(telefon), mobil = VALUES(mobil),
    fax = VALUES(fax), irsz = VALUES(irsz), varos = VALUES(varos), cim = VALUES(cim),
    adoszam = VALUES(adoszam), bankszamlaszam = VALUES(bankszamlaszam);

INSERT INTO kassza (kassza, kassza_nev, nyito, tizedesjegy) VALUES
    (1, 'Pénztárca', 28500, 0),
    (2, 'Folyószámla', 412300, 0),
    (3, 'Euró számla', 1250.00, 2);

-- Colours are 0x00BBGGRR values: green shades for income, warm ones for spending.
INSERT INTO kasszatip (kasszatip, kasszatip_nev, szorzo, szin) VALUES
    (1, 'Fizetés', 1, 13434828),
    (2, 'Prémium, jutalom', 1, 15138790),
    (3, 'Családi pótlék', 1, 13168860),
    (4, 'Kamat', 1, 15138790),
    (5, 'Készpénz felvét', 1, 16777164),
    (6, 'Eladás', 1, 13168860),
    (7, 'Kapott ajándék', 1, 15785215),
    (8, 'Kölcsönt visszakaptam', 1, 16770508),
    (9, 'Kölcsönt kaptam', 1, 16770508),
    (10, 'Élelmiszer', -1, 13434879),
    (11, 'Háztartási cikk', -1, 13434879),
    (12, 'Rezsi, csekk', -1, 13428223),
    (13, 'Közös költség', -1, 13428223),
    (14, 'Közlekedés', -1, 16766699),
    (15, 'Üzemanyag', -1, 16766699),
    (16, 'Ruházat', -1, 13165040),
    (17, 'Egészség, gyógyszer', -1, 14079743),
    (18, 'Szórakozás, kultúra', -1, 15785215),
    (19, 'Étterem, kávézó', -1, 15785215),
    (20, 'Oktatás, gyerekek', -1, 16770508),
    (21, 'Pénzfelvét, átvezetés', -1, 16777164),
    (22, 'Kölcsönt adtam', -1, 15461355),
    (23, 'Kölcsönt törlesztek', -1, 15461355),
    (24, 'Ajándék', -1, 15785215);

INSERT INTO irsz (irsz, varos) VALUES
    ('1011', 'Budapest'), ('1052', 'Budapest'), ('1062', 'Budapest'), ('1073', 'Budapest'),
    ('1085', 'Budapest'), ('1091', 'Budapest'), ('1106', 'Budapest'), ('1117', 'Budapest'),
    ('1119', 'Budapest'), ('1134', 'Budapest'), ('1138', 'Budapest'), ('1145', 'Budapest'),
    ('2000', 'Szentendre'), ('2030', 'Érd'), ('2040', 'Budaörs'), ('2100', 'Gödöllő'),
    ('3300', 'Eger'), ('3530', 'Miskolc'), ('4024', 'Debrecen'), ('5000', 'Szolnok'),
    ('6000', 'Kecskemét'), ('6720', 'Szeged'), ('7621', 'Pécs'), ('8000', 'Székesfehérvár'),
    ('8200', 'Veszprém'), ('8230', 'Balatonfüred'), ('8360', 'Keszthely'), ('9021', 'Győr'),
    ('9400', 'Sopron'), ('2440', 'Százhalombatta'), ('2600', 'Vác'), ('2660', 'Balassagyarmat'),
    ('1054', 'Budapest'), ('1072', 'Budapest'), ('1081', 'Budapest'), ('1087', 'Budapest'),
    ('1088', 'Budapest'), ('1097', 'Budapest'), ('1114', 'Budapest'), ('1132', 'Budapest');

INSERT INTO ugyfel (ugyfel, ugyfel_nev, kapcsolat, telefon, emil, cim_irsz, cim_varos, cim_cim, bankszamla) VALUES
    (1, 'Pixelgyár Informatikai Kft.', 'Bérszámfejtés', '06-1-555-0101', 'berszamfejtes@pixelgyar.hu',
        '1134', 'Budapest', 'Váci út 45.', '10918001-00000012-34560001'),
    (2, 'Fővárosi Általános Iskola', 'Titkárság', '06-1-209-4455', 'titkarsag@fovarosi-iskola.hu',
        '1119', 'Budapest', 'Etele út 18.', ''),
    (3, 'Magyar Államkincstár', 'Családtámogatás', '06-1-452-2900', '', '1054', 'Budapest', 'Hold utca 4.', ''),
    (4, 'Tesco Budaörs', '', '06-23-444-100', '', '2040', 'Budaörs', 'Kinizsi út 1-3.', ''),
    (5, 'Spar Bartók Béla út', '', '06-1-466-3210', '', '1117', 'Budapest', 'Bartók Béla út 61.', ''),
    (6, 'Aldi Fehérvári út', '', '', '', '1119', 'Budapest', 'Fehérvári út 84.', ''),
    (7, 'Lidl Etele út', '', '', '', '1119', 'Budapest', 'Etele út 59.', ''),
    (8, 'Rózsa Pékség', 'Rózsa Ilona', '06-20-345-1122', '', '1117', 'Budapest', 'Karinthy Frigyes út 9.', ''),
    (9, 'Budapesti Elektromos Művek', 'Ügyfélszolgálat', '06-1-238-3838', 'ugyfelszolgalat@bem.hu',
        '1132', 'Budapest', 'Váci út 72-74.', '10700024-04009205-51100005'),
    (10, 'Fővárosi Gázszolgáltató', 'Ügyfélszolgálat', '06-1-474-9999', 'ugyfel@fogaz-demo.hu',
        '1081', 'Budapest', 'II. János Pál pápa tér 20.', '10700024-24764207-51100005'),
    (11, 'Fővárosi Vízművek', 'Ügyfélszolgálat', '06-1-247-7777', '', '1134', 'Budapest', 'Váci út 23-27.',
        '10200971-21520013-00000000'),
    (12, 'Telefonos Távközlési Zrt.', 'Lakossági ügyfélszolgálat', '1414', 'info@tavkozles-demo.hu',
        '1097', 'Budapest', 'Könyves Kálmán krt. 36.', '10800007-90000001-12345678'),
    (13, 'Bartók 42. Társasház', 'Horváth Zoltán közös képviselő', '06-30-987-6543', 'tarsashaz42@freemail.hu',
        '1117', 'Budapest', 'Bartók Béla út 42.', '11713005-20123456-00000000'),
    (14, 'Biztos Pont Biztosító Zrt.', 'Üzletkötő: Kiss Márta', '06-40-421-421', 'ugyfel@biztospont.hu',
        '1087', 'Budapest', 'Könyves Kálmán krt. 48-52.', '10300002-10100101-49020017'),
    (15, 'BKV Zrt.', 'Jegypénztár', '06-1-258-4636', '', '1072', 'Budapest', 'Akácfa utca 15.', ''),
    (16, 'MÁV-Start Zrt.', '', '06-1-349-4949', '', '1087', 'Budapest', 'Kerepesi út 2-6.', ''),
    (17, 'Mol töltőállomás Budaörs', '', '', '', '2040', 'Budaörs', 'Szabadság út 115.', ''),
    (18, 'Patika a Gesztenyéshez', 'dr. Fekete Ágnes gyógyszerész', '06-1-385-1200', '',
        '1117', 'Budapest', 'Fehérvári út 12.', ''),
    (19, 'dr. Molnár István háziorvos', 'Rendelő', '06-1-365-7788', '', '1117', 'Budapest', 'Bocskai út 39.', ''),
    (20, 'Uránia Nemzeti Filmszínház', '', '06-1-486-3400', '', '1088', 'Budapest', 'Rákóczi út 21.', ''),
    (21, 'Csiga Kávézó', 'Bognár Lilla', '06-70-211-3344', 'hello@csigakavezo.hu', '1085', 'Budapest',
        'Vásár utca 2.', ''),
    (22, 'Libri könyvesbolt Allee', '', '06-1-372-7070', '', '1117', 'Budapest', 'Október huszonharmadika utca 8-10.', ''),
    (23, 'Decathlon Budaörs', '', '06-23-886-100', '', '2040', 'Budaörs', 'Sport utca 2-4.', ''),
    (24, 'Kovács Ödön (nagyapa)', '', '06-52-412-380', '', '4024', 'Debrecen', 'Piac utca 51.', ''),
    (25, 'Szabó Gábor (sógor)', '', '06-30-555-7412', 'szabo.gabor@citromail.hu', '6720', 'Szeged',
        'Kárász utca 6.', '11735005-20556677-00000000'),
    (26, 'Nagy Anna', 'szomszéd', '06-20-888-1234', 'nagy.anna@gmail.com', '1117', 'Budapest',
        'Bartók Béla út 42. II/7.', ''),
    (27, 'Tóth Bence', 'egyetemi barát', '06-70-123-9876', 'bence.toth@freemail.hu', '9021', 'Győr',
        'Baross Gábor út 12.', '10402142-50526688-12341005'),
    (28, 'Varga Zsuzsanna', 'munkatárs', '06-30-246-8101', 'varga.zsuzsa@pixelgyar.hu', '2030', 'Érd',
        'Budai út 17.', ''),
    (29, 'Piactéri Zöldséges', 'Bíró néni', '', '', '1117', 'Budapest', 'Fehérvári úti vásárcsarnok', ''),
    (30, 'Otthon Bank Zrt.', 'Fiók: Móricz Zsigmond körtér', '06-1-366-3333', '', '1114', 'Budapest',
        'Bartók Béla út 59.', '11700000-00000000-00000000');

INSERT INTO fix (fix, kasszatip, osszeg, szoveg, ugyfel) VALUES
    (1, 13, 32400, 'Közös költség', 13),
    (2, 14, 8950, 'BKV havibérlet', 15),
    (3, 20, 5000, 'Zsebpénz a gyerekeknek', 0),
    (4, 10, 1450, 'Kenyér, kifli', 8),
    (5, 1, 612000, 'Havi fizetés', 1),
    (6, 3, 25000, 'Családi pótlék', 3),
    (7, 21, 40000, 'Készpénzfelvétel automatából\r\nOtthon Bank, Móricz', 30),
    (8, 5, 40000, 'Készpénz a folyószámláról', 30);

INSERT INTO csekk (csekk, csekk_nev, kellgen, nap_hatid, osszeg, ugyfel) VALUES
    (1, 'Villany', 'I', 10, 11850, 9),
    (2, 'Gáz', 'I', 15, 14300, 10),
    (3, 'Víz, csatorna', 'I', 20, 6780, 11),
    (4, 'Telefon, internet', 'I', 25, 9990, 12),
    (5, 'Közös költség', 'I', 5, 32400, 13),
    (6, 'Lakásbiztosítás', 'I', 31, 4250, 14),
    (7, 'Kábeltévé (lemondva)', 'N', 12, 3990, 12);

UPDATE beallit
   SET vanbelep = 'N', kasszatip_ki = 22, kasszatip_vissza = 8, kapkasszatip_ki = 9, kapkasszatip_vissza = 23,
       kasszatip_csekk = 12
 WHERE beallit_id = 1;

-- Sign-in stays off (beallit.vanbelep); these users are there to try it out.
INSERT INTO felhasznalo (felhasznalo, felhasznalo_nev, jelszo, rendszergazda, torzsszerkeszt, szerkeszthet, torolhet)
VALUES ('admin', 'Rendszergazda', 'admin', 'I', 'I', 'I', 'I'),
       ('peter', 'Kovács Péter', 'peter', 'N', 'I', 'I', 'I'),
       ('eva', 'Kovácsné Szabó Éva', 'eva', 'N', 'I', 'I', 'N'),
       ('bori', 'Kovács Borbála', 'bori', 'N', 'I', 'N', 'N');

-- Loans: claims (the client owes us) and debts (we owe the client), with their
-- movements.  The triggers work out marad, megadva, dat_megad and ugyfel.tartozik.
INSERT INTO tartozik (tartozik, ugyfel, datum, dat_megad_kell, osszeg, torlesztve, marad, szoveg, tartozas) VALUES
    (1, 25, DATE_SUB(CURDATE(), INTERVAL 400 DAY), DATE_SUB(CURDATE(), INTERVAL 200 DAY), 150000, 0, 150000,
        'Autójavításra', 'I'),
    (2, 26, DATE_SUB(CURDATE(), INTERVAL 75 DAY), DATE_SUB(CURDATE(), INTERVAL 45 DAY), 20000, 0, 20000,
        'Fűnyíróra', 'I'),
    (3, 27, DATE_SUB(CURDATE(), INTERVAL 320 DAY), DATE_ADD(CURDATE(), INTERVAL 40 DAY), 80000, 0, 80000,
        'Költözéshez', 'I'),
    (4, 24, DATE_SUB(CURDATE(), INTERVAL 600 DAY), DATE_ADD(CURDATE(), INTERVAL 130 DAY), 300000, 0, 300000,
        'Nagyapától a nyaralásra', 'N'),
    (5, 28, DATE_SUB(CURDATE(), INTERVAL 20 DAY), DATE_ADD(CURDATE(), INTERVAL 10 DAY), 5000, 0, 5000,
        'Ebédpénz', 'N');

INSERT INTO torleszt (tartozik, datum, osszeg, megjegyzes, novel) VALUES
    (1, DATE_SUB(CURDATE(), INTERVAL 350 DAY), 50000, 'első részlet', 'N'),
    (1, DATE_SUB(CURDATE(), INTERVAL 300 DAY), 50000, '', 'N'),
    (1, DATE_SUB(CURDATE(), INTERVAL 240 DAY), 30000, 'még kellett a gumikra', 'I'),
    (1, DATE_SUB(CURDATE(), INTERVAL 180 DAY), 80000, 'a maradék', 'N'),
    (3, DATE_SUB(CURDATE(), INTERVAL 250 DAY), 20000, '', 'N'),
    (3, DATE_SUB(CURDATE(), INTERVAL 120 DAY), 15000, 'karácsony előtt', 'N'),
    (4, DATE_SUB(CURDATE(), INTERVAL 540 DAY), 50000, '', 'N'),
    (4, DATE_SUB(CURDATE(), INTERVAL 420 DAY), 50000, '', 'N'),
    (4, DATE_SUB(CURDATE(), INTERVAL 300 DAY), 50000, 'Ödön papa szülinapjára vittük', 'N');

UPDATE tartozik t
   SET t.osszeg = t.osszeg + (SELECT COALESCE(SUM(r.osszeg), 0) FROM torleszt r
                               WHERE r.tartozik = t.tartozik AND r.novel = 'I'),
       t.torlesztve = (SELECT COALESCE(SUM(r.osszeg), 0) FROM torleszt r
                        WHERE r.tartozik = t.tartozik AND r.novel = 'N');

-- A settled claim keeps the day of its last repayment.
UPDATE tartozik t
   SET t.dat_megad = (SELECT MAX(r.datum) FROM torleszt r WHERE r.tartozik = t.tartozik AND r.novel = 'N')
 WHERE t.megadva = 'I';
