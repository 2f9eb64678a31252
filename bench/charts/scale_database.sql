-- Scales a Korvel 3 property database by 100 (or by the factor in the temporary
-- table scale_factor, when the connection has created it: 1000 gives x1000)
-- for the benchmarks: every publication gets factor - 1 copies (new
-- identifiers, key with " #n" appended), and
-- every row that belongs to a publication (links, equations, temperature lines,
-- measured points, figures) is copied with it. Systems, compositions, molar
-- masses and eutectic sections stay as they are, so a query for one of the
-- original publications returns what it returned before, from tables 100 times
-- larger. The values are copies of the source database's values and are meant
-- for timing only. Run it on a copy: sqlite3 copy.sqlite < scale_database.sql
BEGIN;
CREATE TEMP TABLE k(n INTEGER PRIMARY KEY);
CREATE TEMP TABLE IF NOT EXISTS scale_factor(factor INTEGER);
INSERT INTO scale_factor SELECT 100 WHERE NOT EXISTS (SELECT 1 FROM scale_factor);
WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < (SELECT MAX(factor) FROM scale_factor) - 1)
  INSERT INTO k SELECT n FROM c;
CREATE TEMP TABLE m AS SELECT
  (SELECT IFNULL(MAX(ID_PUBLIKACJI), 0) FROM PUBLIKACJE) AS pub,
  (SELECT IFNULL(MAX(ID_DANE_WLA), 0) FROM DANE_WLASNOSCI) AS dw,
  (SELECT IFNULL(MAX(ID_DANE_WLA_T), 0) FROM DANE_WLASNOSCI_T) AS dwt,
  (SELECT IFNULL(MAX(ID_FIG), 0) FROM FIG) AS fig;

INSERT INTO PUBLIKACJE (ID_PUBLIKACJI, OZNACZENIE, NAZWISKA, TYTUL, CZASOPISMO, WOLUMIN, STRONY, ROK)
  SELECT p.ID_PUBLIKACJI + k.n * m.pub, p.OZNACZENIE || ' #' || k.n, p.NAZWISKA, p.TYTUL, p.CZASOPISMO,
         p.WOLUMIN, p.STRONY, p.ROK
  FROM PUBLIKACJE p, k, m WHERE p.ID_PUBLIKACJI <= m.pub;

INSERT INTO WLA_TAB_PUB (ID_WLASCIWOSCI, ID_TAB_UKL, ID_PUBLIKACJI)
  SELECT w.ID_WLASCIWOSCI, w.ID_TAB_UKL, w.ID_PUBLIKACJI + k.n * m.pub
  FROM WLA_TAB_PUB w, k, m WHERE w.ID_PUBLIKACJI <= m.pub;

INSERT INTO DANE_WLASNOSCI (ID_DANE_WLA, ID_WLASCIWOSCI, ID_TAB_UKL, ID_PUBLIKACJI, X, A, B)
  SELECT d.ID_DANE_WLA + k.n * m.dw, d.ID_WLASCIWOSCI, d.ID_TAB_UKL, d.ID_PUBLIKACJI + k.n * m.pub, d.X, d.A, d.B
  FROM DANE_WLASNOSCI d, k, m WHERE d.ID_DANE_WLA <= m.dw;

INSERT INTO DANE45 (ID_WLASCIWOSCI, ID_TAB_UKL, ID_PUBLIKACJI, ID_EUTEKTYKI, Nr, UKLAD, X, A, B)
  SELECT d.ID_WLASCIWOSCI, d.ID_TAB_UKL, d.ID_PUBLIKACJI + k.n * m.pub, d.ID_EUTEKTYKI, d.Nr, d.UKLAD, d.X, d.A, d.B
  FROM DANE45 d, k, m WHERE d.ID_PUBLIKACJI <= m.pub;

INSERT INTO DANE_WLASNOSCI_T (ID_DANE_WLA_T, ID_WLASCIWOSCI, ID_TAB_UKL, ID_PUBLIKACJI, X, T, A, B, Nr, Nr2)
  SELECT d.ID_DANE_WLA_T + k.n * m.dwt, d.ID_WLASCIWOSCI, d.ID_TAB_UKL, d.ID_PUBLIKACJI + k.n * m.pub, d.X, d.T,
         d.A, d.B, d.Nr, d.Nr2
  FROM DANE_WLASNOSCI_T d, k, m WHERE d.ID_DANE_WLA_T <= m.dwt;

INSERT INTO PUNKTY_D (ID_TAB_UKL, ID_PUBLIKACJI, ID_WLASCIWOSCI, X, T, Y, Nr, Nr2)
  SELECT d.ID_TAB_UKL, d.ID_PUBLIKACJI + k.n * m.pub, d.ID_WLASCIWOSCI, d.X, d.T, d.Y, d.Nr, d.Nr2
  FROM PUNKTY_D d, k, m WHERE d.ID_PUBLIKACJI <= m.pub;

INSERT INTO FIG (ID_FIG, ID_TAB_UKL, ID_WLASCIWOSCI, ID_PUBLIKACJI, UKLAD)
  SELECT f.ID_FIG + k.n * m.fig, f.ID_TAB_UKL, f.ID_WLASCIWOSCI, f.ID_PUBLIKACJI + k.n * m.pub, f.UKLAD
  FROM FIG f, k, m WHERE f.ID_FIG <= m.fig;

DROP TABLE k;
DROP TABLE m;
COMMIT;
