#pragma once
// A database as the program's first schema version made it, for the tests
// of bringing older files up to date: its tables, indexes and saved query,
// the marks of a file of ours, and no rows.

namespace schemav1 {

inline constexpr const char* sql = R"sql(
PRAGMA application_id = 1129469518;
PRAGMA user_version = 1;
CREATE TABLE Item (
    ItemId INTEGER PRIMARY KEY AUTOINCREMENT,
    ItemCode TEXT COLLATE NOCASE,
    ItemName TEXT COLLATE NOCASE,
    CategoryID INTEGER,
    UnitId INTEGER,
    Material REAL,
    Labor REAL,
    Qty REAL,
    TU TEXT COLLATE NOCASE,
    SubLabor REAL,
    Equipment REAL
);
CREATE INDEX Item_CategoryID ON Item (CategoryID);
CREATE INDEX Item_UnitId ON Item (UnitId);
CREATE INDEX Item_ItemCode ON Item (ItemCode);
CREATE INDEX Item_ItemName ON Item (ItemName);
CREATE INDEX Item_Material ON Item (Material);
CREATE INDEX Item_Qty ON Item (Qty);
CREATE INDEX Item_TU ON Item (TU);

CREATE TABLE Category (
    CatId INTEGER PRIMARY KEY AUTOINCREMENT,
    CatName TEXT COLLATE NOCASE,
    ParentCategory INTEGER
);
CREATE INDEX Category_CatName ON Category (CatName);

CREATE VIEW Categories (CatId, CatName, totitm, ParentCategory) AS
    SELECT c.CatId, c.CatName,
           (SELECT count(*) FROM Item i WHERE i.CategoryID = c.CatId),
           c.ParentCategory
    FROM Category c;

CREATE TABLE Rooms (
    Id INTEGER PRIMARY KEY AUTOINCREMENT,
    Name TEXT COLLATE NOCASE
);

CREATE TABLE Units (
    Id INTEGER PRIMARY KEY AUTOINCREMENT,
    Name TEXT COLLATE NOCASE
);

CREATE TABLE Customer (
    CustId INTEGER PRIMARY KEY AUTOINCREMENT,
    CustName TEXT COLLATE NOCASE,
    BStreet1 TEXT COLLATE NOCASE,
    BStreet2 TEXT COLLATE NOCASE,
    BCity TEXT COLLATE NOCASE,
    BState INTEGER,
    BZip TEXT COLLATE NOCASE,
    BCountry TEXT COLLATE NOCASE,
    BPhone TEXT COLLATE NOCASE,
    BFax TEXT COLLATE NOCASE,
    BMobile TEXT COLLATE NOCASE,
    BEmail TEXT COLLATE NOCASE,
    BUrl TEXT COLLATE NOCASE,
    BCCNo TEXT COLLATE NOCASE
);
CREATE INDEX Customer_CustName ON Customer (CustName);
CREATE INDEX Customer_BCity ON Customer (BCity);
CREATE INDEX Customer_BPhone ON Customer (BPhone);
CREATE INDEX Customer_BEmail ON Customer (BEmail);
CREATE INDEX Customer_BCCNo ON Customer (BCCNo);

CREATE TABLE States (
    StateId INTEGER PRIMARY KEY,
    StateName TEXT COLLATE NOCASE
);

CREATE TABLE OrderInfo (
    OrderNo INTEGER PRIMARY KEY,
    CustId INTEGER,
    RepId INTEGER,
    OrderDate TEXT COLLATE NOCASE,
    SStreet1 TEXT COLLATE NOCASE,
    SStreet2 TEXT COLLATE NOCASE,
    SCity TEXT COLLATE NOCASE,
    SState INTEGER,
    SZip TEXT COLLATE NOCASE,
    SCountry TEXT COLLATE NOCASE,
    SPhone TEXT COLLATE NOCASE,
    SMobile TEXT COLLATE NOCASE,
    SEmail TEXT COLLATE NOCASE,
    ShipId INTEGER,
    Amount REAL,
    Tax REAL,
    Total REAL,
    UPSTracking TEXT COLLATE NOCASE,
    Notes TEXT COLLATE NOCASE,
    Overhead REAL
);

CREATE TABLE OrderItem (
    OrderNo INTEGER,
    ItemId INTEGER,
    Qty REAL,
    Material REAL,
    RoomId INTEGER,
    UnitId INTEGER,
    Extension REAL,
    Labor REAL,
    Others REAL
);
CREATE INDEX OrderItem_OrderNo ON OrderItem (OrderNo);

CREATE TABLE Tax (
    Stateid INTEGER,
    TaxRate REAL
);

CREATE TABLE Representatives (
    RepId INTEGER PRIMARY KEY AUTOINCREMENT,
    RepName TEXT COLLATE NOCASE
);

CREATE TABLE Ship (
    ShipId INTEGER PRIMARY KEY AUTOINCREMENT,
    ShippingMedia TEXT COLLATE NOCASE
);

CREATE TABLE BlankNotes (
    Notes TEXT COLLATE NOCASE
);
INSERT INTO BlankNotes (Notes) VALUES ('');
)sql";

}  // namespace schemav1
