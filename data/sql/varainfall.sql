-- Table VARAINFALL: the legacy county coefficients A, B of i = A / (Tc + B) (Tc in minutes,
-- i in in/hr) per county and storm frequency in years; there is no 5-year storm.
-- COUNTY_NO numbers the counties in list order (county_numbers.sql). The published values are
-- not part of this source: the columns stay NULL.
CREATE TABLE VARAINFALL (
    COUNTY_NO   INTEGER,
    COUNTY_NAME TEXT COLLATE NOCASE NOT NULL,
    YEAR2A      REAL,
    YEAR2B      REAL,
    YEAR10A     REAL,
    YEAR10B     REAL,
    YEAR25A     REAL,
    YEAR25B     REAL,
    YEAR50A     REAL,
    YEAR50B     REAL,
    YEAR100A    REAL,
    YEAR100B    REAL
);
CREATE UNIQUE INDEX VARAINFALL_KEY ON VARAINFALL (COUNTY_NAME);
