-- What a new database starts with when it gets no demo data: one cash box, a small set
-- of cash types, one catch-all client for entries without a particular partner (a new
-- entry always asks for a client), and the settings of loans and bills pointing at the types they book
-- with, so that entries, bills and loans can be booked without any further setting up.
-- Colours are 0x00BBGGRR values: green shades for income, warm ones for spending.

INSERT INTO kassza (kassza, kassza_nev, nyito, tizedesjegy) VALUES
    (1, 'Pénztárca', 0, 0);

INSERT INTO kasszatip (kasszatip, kasszatip_nev, szorzo, szin) VALUES
    (1, 'Fizetés', 1, 13434828),
    (2, 'Egyéb bevétel', 1, 15138790),
    (3, 'Kölcsönt visszakaptam', 1, 16770508),
    (4, 'Kölcsönt kaptam', 1, 16770508),
    (5, 'Élelmiszer', -1, 13434879),
    (6, 'Háztartás', -1, 13434879),
    (7, 'Rezsi, csekk', -1, 13428223),
    (8, 'Közlekedés', -1, 16766699),
    (9, 'Ruházat', -1, 13165040),
    (10, 'Egészség', -1, 14079743),
    (11, 'Szórakozás', -1, 15785215),
    (12, 'Kölcsönt adtam', -1, 15461355),
    (13, 'Kölcsönt törlesztek', -1, 15461355),
    (14, 'Egyéb kiadás', -1, 15785215);

INSERT INTO ugyfel (ugyfel, ugyfel_nev) VALUES
    (1, 'Egyéb');

UPDATE beallit
   SET kasszatip_ki = 12, kasszatip_vissza = 3, kapkasszatip_ki = 4, kapkasszatip_vissza = 13,
       kasszatip_csekk = 7
 WHERE beallit_id = 1;
