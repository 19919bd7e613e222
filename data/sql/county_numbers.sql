-- Numbers the counties of VARAINFALL 1, 2, ... in the order in which their keys were added.
UPDATE VARAINFALL SET COUNTY_NO = _rowid_;
