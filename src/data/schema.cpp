#include "schema.h"

#include "dberror.h"
#include "schemaupgrade.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdint>
#include <iterator>
#include <optional>
#include <sqlite3.h>

namespace data {

namespace {

// Keys are SQLite's 64-bit integers; the program holds them in at least 32
// bits, which the old engine's long keys never exceeded.
//
// Every text column is NOCASE: the old engine compared and sorted text
// without regard to case, and the screens' searches rely on it.
//
// OrderItem has no key of its own; an estimate's lines are read back in the
// order they were written, which is rowid order ("order by rowid"). VACUUM
// may renumber those rowids but keeps their order.
constexpr const char* schemaSql = R"sql(
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

// Numbered in alphabetical order of name.
constexpr const char* stateNames[] = {
    "Alabama",        "Alaska",         "Arizona",
    "Arkansas",       "California",     "Colorado",
    "Connecticut",    "Delaware",       "District of Columbia",
    "Florida",        "Georgia",        "Hawaii",
    "Idaho",          "Illinois",       "Indiana",
    "Iowa",           "Kansas",         "Kentucky",
    "Louisiana",      "Maine",          "Maryland",
    "Massachusetts",  "Michigan",       "Minnesota",
    "Mississippi",    "Missouri",       "Montana",
    "Nebraska",       "Nevada",         "New Hampshire",
    "New Jersey",     "New Mexico",     "New York",
    "North Carolina", "North Dakota",   "Ohio",
    "Oklahoma",       "Oregon",         "Pennsylvania",
    "Rhode Island",   "South Carolina", "South Dakota",
    "Tennessee",      "Texas",          "Utah",
    "Vermont",        "Virginia",       "Washington",
    "West Virginia",  "Wisconsin",      "Wyoming",
};
static_assert(std::size(stateNames) == 51);

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

[[noreturn]] void refuse(const QString& path)
{
    throw DbError(
        QStringLiteral("The file \"%1\" is not a Corvanel database. It was left unchanged.").arg(shown(path)));
}

// Closes a handle however the work with it ends.
struct Handle {
    sqlite3* db = nullptr;
    ~Handle() { close(); }
    int close()
    {
        const int rc = db ? sqlite3_close(db) : SQLITE_OK;
        if (rc == SQLITE_OK)
            db = nullptr;
        return rc;
    }
};

void exec(sqlite3* db, const QString& sql)
{
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString msg = err ? QString::fromUtf8(err) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(err);
        throw DbError(msg, rc & 0xff);
    }
}

// One integer from a PRAGMA; the extended SQLite code in rc on failure.
std::optional<std::int64_t> pragmaValue(sqlite3* db, const char* sql, int& rc)
{
    sqlite3_stmt* st = nullptr;
    rc = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    std::optional<std::int64_t> out;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(st);
        if (rc == SQLITE_ROW) {
            out = sqlite3_column_int64(st, 0);
            rc = SQLITE_OK;
        }
    }
    if (rc != SQLITE_OK)
        rc = sqlite3_extended_errcode(db);
    sqlite3_finalize(st);
    return out;
}

std::uint32_t bigEndian32(const QByteArray& bytes, int offset)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | std::uint8_t(bytes[offset + i]);
    return v;
}

void removeWithJournal(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

}  // namespace

OpenOutcome ensureDatabase(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        createFreshDatabase(path);
        return OpenOutcome::Created;
    }

    // The header is read with plain file access first, so that a file of
    // another kind never reaches SQLite, which could otherwise write to it.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("The file \"%1\" could not be read: %2. It was left unchanged.")
                          .arg(shown(path), file.errorString()));
    const QByteArray header = file.read(100);
    file.close();
    static const QByteArray magic("SQLite format 3\0", 16);
    if (header.size() < 16 || !header.startsWith(magic))
        refuse(path);

    std::int64_t appId = 0;
    std::int64_t version = 0;
    {
        Handle h;
        int rc = sqlite3_open_v2(path.toUtf8().constData(), &h.db, SQLITE_OPEN_READONLY, nullptr);
        // Another program's write lock is waited for as every statement
        // waits; only a lock that outlasts the wait is reported, as such.
        if (h.db)
            sqlite3_busy_timeout(h.db, busyTimeoutMs());
        std::optional<std::int64_t> a, v;
        if (rc == SQLITE_OK)
            a = pragmaValue(h.db, "PRAGMA application_id", rc);
        if (rc == SQLITE_OK)
            v = pragmaValue(h.db, "PRAGMA user_version", rc);
        if (rc == SQLITE_READONLY_ROLLBACK && header.size() == 100) {
            // A write of ours was cut short and left a hot journal, which a
            // read-only handle may not roll back. The header fields are
            // written once at creation, so the file's own bytes still tell;
            // the program's first read-write open completes the rollback.
            a = bigEndian32(header, 68);
            v = bigEndian32(header, 60);
        } else if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) {
            throw DbError(QStringLiteral("The database \"%1\" is in use by another program, so Corvanel cannot "
                                         "start now. Please try again when that program has finished. The file "
                                         "was left unchanged.")
                              .arg(shown(path)),
                          rc & 0xff);
        } else if (!a || !v) {
            const QString why = h.db ? QString::fromUtf8(sqlite3_errmsg(h.db)) : QString::fromUtf8(sqlite3_errstr(rc));
            throw DbError(QStringLiteral("The file \"%1\" is not a Corvanel database (%2). It was left unchanged.")
                              .arg(shown(path), why),
                          rc & 0xff);
        }
        appId = std::int32_t(std::uint32_t(*a));
        version = *v;
    }
    if (appId != applicationId)
        refuse(path);
    if (version > schemaVersion)
        throw DbError(QStringLiteral("The file \"%1\" was made by a newer version of Corvanel (database version %2; "
                                     "this version reads version %3 and older). It was left unchanged.")
                          .arg(shown(path))
                          .arg(version)
                          .arg(schemaVersion));
    if (version < schemaVersion)
        upgradeDatabaseFile(path);
    return OpenOutcome::Opened;
}

void createFreshDatabase(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink())
        throw DbError(QStringLiteral("The file \"%1\" already exists; no new database was made.").arg(shown(path)));

    // Built under a temporary name beside the target and renamed into place
    // when complete, so that a failure never leaves a half-made database
    // where the program would take it for a good one.
    const QString folder = info.absolutePath();
    QString temp;
    do {
        temp = QStringLiteral("%1/.%2.%3.tmp")
                   .arg(folder, info.fileName(), QString::number(QRandomGenerator::global()->generate64(), 16));
    } while (QFileInfo::exists(temp));

    try {
        Handle h;
        const int rc = sqlite3_open_v2(temp.toUtf8().constData(), &h.db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXRESCODE, nullptr);
        if (rc != SQLITE_OK)
            throw DbError(QStringLiteral("A new database could not be made in \"%1\": %2")
                              .arg(shown(folder), QString::fromUtf8(h.db ? sqlite3_errmsg(h.db) : sqlite3_errstr(rc))),
                          rc & 0xff);
        exec(h.db, QStringLiteral("PRAGMA journal_mode=DELETE"));
        exec(h.db, QStringLiteral("BEGIN"));
        exec(h.db, QString::fromUtf8(schemaSql));
        applySchemaSteps(h.db, 1);
        QString states = QStringLiteral("INSERT INTO States (StateId, StateName) VALUES ");
        for (std::size_t i = 0; i < std::size(stateNames); ++i)
            states += QStringLiteral("%1(%2, '%3')")
                          .arg(i ? QStringLiteral(", ") : QString())
                          .arg(int(i) + 1)
                          .arg(QLatin1String(stateNames[i]));
        exec(h.db, states);
        exec(h.db, QStringLiteral("PRAGMA application_id = %1").arg(applicationId));
        exec(h.db, QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion));
        exec(h.db, QStringLiteral("COMMIT"));
        const int crc = h.close();
        if (crc != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errstr(crc)), crc & 0xff);
    } catch (...) {
        removeWithJournal(temp);
        throw;
    }
    // QFile::rename never replaces an existing file, so a database that
    // appeared in the meantime is kept.
    QFile tempFile(temp);
    if (!tempFile.rename(path)) {
        const QString why = tempFile.errorString();
        removeWithJournal(temp);
        throw DbError(QStringLiteral("The new database \"%1\" could not be put in place: %2").arg(shown(path), why));
    }
}

}  // namespace data
