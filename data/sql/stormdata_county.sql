-- Table STORMDATA of "VARMSTORM.rdb": the coefficients B, D, E of i = B / (Tc + D)^E
-- (Tc in minutes, i in in/hr) per county and storm frequency in years, for projects of the
-- older release. The published values are not part of this source: the columns stay NULL.
CREATE TABLE STORMDATA (
    COUNTY_NAME TEXT COLLATE NOCASE NOT NULL,
    YEAR2B      REAL,
    YEAR2D      REAL,
    YEAR2E      REAL,
    YEAR5B      REAL,
    YEAR5D      REAL,
    YEAR5E      REAL,
    YEAR10B     REAL,
    YEAR10D     REAL,
    YEAR10E     REAL,
    YEAR25B     REAL,
    YEAR25D     REAL,
    YEAR25E     REAL,
    YEAR50B     REAL,
    YEAR50D     REAL,
    YEAR50E     REAL,
    YEAR100B    REAL,
    YEAR100D    REAL,
    YEAR100E    REAL
);
CREATE UNIQUE INDEX STORMDATA_KEY ON STORMDATA (COUNTY_NAME);
