-- Table USDACOEFF of "USDACOEFF.rdb": the two sets of regression coefficients of the USDA rock
-- outlet protection per standard pipe diameter DIA (inches, as text). The published values
-- are not part of this source: the columns stay NULL.
CREATE TABLE USDACOEFF (
    DIA  TEXT COLLATE NOCASE NOT NULL,
    A1   REAL,
    B1   REAL,
    C1   REAL,
    D1   REAL,
    E1   REAL,
    A2   REAL,
    B2   REAL,
    C2   REAL,
    D2   REAL,
    E2   REAL
);
CREATE UNIQUE INDEX USDACOEFF_KEY ON USDACOEFF (DIA);
