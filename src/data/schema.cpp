#include "schema.h"

#include "connection.h"
#include "connectionhandle.h"
#include "dberror.h"
#include "schemaupgrade.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

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
        throw DbError(msg, primaryCode(db, rc));
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

// Every file of ours holds the text of its own table definitions; they
// survive when the first page, and with it the header, is overwritten.
// Only read when the file cannot be opened, so the time a large file takes
// is spent on the way to an error.
bool holdsOurSchema(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray marks[] = {QByteArrayLiteral("CREATE TABLE OrderItem ("),
                                QByteArrayLiteral("CREATE TABLE BlankNotes (")};
    bool found[std::size(marks)] = {};
    const qsizetype overlap = 64;
    QByteArray window;
    for (;;) {
        const QByteArray chunk = file.read(1 << 20);
        if (chunk.isEmpty())
            return false;
        window = window.right(overlap) + chunk;
        bool all = true;
        for (std::size_t i = 0; i < std::size(marks); ++i) {
            found[i] = found[i] || window.contains(marks[i]);
            all = all && found[i];
        }
        if (all)
            return true;
    }
}

bool headerSaysOurs(const QByteArray& header)
{
    return header.size() >= 72 && std::int32_t(bigEndian32(header, 68)) == applicationId;
}

// This version's schema, read once from a fresh database in memory: the
// tables and the saved query with their columns, and the indexes and views
// that an upgrade may have to add.
struct ReferenceSchema {
    struct Table {
        QString name;
        QStringList columns;
    };
    std::vector<Table> tables;
    struct Derived {
        QString name;
        QString sql;
    };
    std::vector<Derived> derived;
    QSet<QString> columnNames;  // lower case
};

QStringList columnsOf(sqlite3* db, const QString& table, int* rcOut = nullptr)
{
    QStringList out;
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db, "SELECT name FROM pragma_table_info(?1) ORDER BY cid", -1, &st, nullptr);
    if (rc == SQLITE_OK) {
        const QByteArray name = table.toUtf8();
        sqlite3_bind_text(st, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        while ((rc = sqlite3_step(st)) == SQLITE_ROW)
            out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        if (rc == SQLITE_DONE)
            rc = SQLITE_OK;
    }
    sqlite3_finalize(st);
    if (rcOut)
        *rcOut = rc;
    return out;
}

// The schema of a fresh database: the first version's tables, and with
// `laterVersions` what every later step added.
ReferenceSchema readReferenceSchema(bool laterVersions)
{
    ReferenceSchema ref;
    Handle h;
    if (sqlite3_open_v2(":memory:", &h.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        return ref;
    exec(h.db, QString::fromUtf8(schemaSql));
    if (laterVersions)
        applySchemaSteps(h.db, 1);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h.db,
                       "SELECT type, name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite%' AND sql IS NOT NULL "
                       "ORDER BY rowid",
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        const QString sql = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 2)));
        if (type == QLatin1String("table") || type == QLatin1String("view"))
            ref.tables.push_back({name, {}});
        if (type == QLatin1String("index") || type == QLatin1String("view"))
            ref.derived.push_back({name, sql});
    }
    sqlite3_finalize(st);
    for (ReferenceSchema::Table& t : ref.tables) {
        t.columns = columnsOf(h.db, t.name);
        for (const QString& c : t.columns)
            ref.columnNames.insert(c.toLower());
    }
    return ref;
}

const ReferenceSchema& referenceSchema()
{
    static const ReferenceSchema ref = readReferenceSchema(true);
    return ref;
}

const ReferenceSchema& firstVersionSchema()
{
    static const ReferenceSchema ref = readReferenceSchema(false);
    return ref;
}

// The indexes and the saved query of the first version that the database
// lacks, made anew; they hold no data of their own.
void addMissingDerived(Connection& c)
{
    for (const ReferenceSchema::Derived& d : firstVersionSchema().derived)
        if (c.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = ? COLLATE NOCASE"), {d.name})
                .toInt() == 0)
            c.execute(d.sql);
}

QString newerMessage(const QString& path, std::int64_t version)
{
    return QStringLiteral("The file \"%1\" was made by a newer version of Corvanel (database version %2; "
                          "this version reads version %3 and older). It was left unchanged.")
        .arg(shown(path))
        .arg(version)
        .arg(schemaVersion);
}

}  // namespace

QString describeMissing(const std::vector<MissingPart>& parts)
{
    QStringList named;
    const std::size_t shownParts = std::min<std::size_t>(parts.size(), 6);
    for (std::size_t i = 0; i < shownParts; ++i) {
        const MissingPart& p = parts[i];
        named << (p.column.isEmpty() ? QStringLiteral("table \"%1\"").arg(p.table)
                                     : QStringLiteral("column \"%1\" of table \"%2\"").arg(p.column, p.table));
    }
    QString text = named.join(QStringLiteral(", "));
    if (parts.size() > shownParts)
        text += QStringLiteral(" and %1 more").arg(parts.size() - shownParts);
    return text;
}

IncompleteDatabaseError::IncompleteDatabaseError(const QString& file, std::vector<MissingPart> missing)
    : DbError(QStringLiteral("The database \"%1\" is not a whole Corvanel database: it has no %2. "
                             "It was left unchanged.")
                  .arg(shown(file), describeMissing(missing)),
              SQLITE_ERROR),
      missing_(std::move(missing))
{}

bool backupCanReplace(const DbError& e)
{
    return dynamic_cast<const IncompleteDatabaseError*>(&e) || failureKind(e) == Failure::Damaged;
}

namespace {

std::vector<MissingPart> missingPartsOf(sqlite3* db, const ReferenceSchema& reference)
{
    std::vector<MissingPart> missing;
    for (const ReferenceSchema::Table& t : reference.tables) {
        int rc = SQLITE_OK;
        const QStringList present = columnsOf(db, t.name, &rc);
        const int primary = rc & 0xff;
        if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_BUSY ||
            primary == SQLITE_LOCKED || primary == SQLITE_IOERR || primary == SQLITE_NOMEM)
            throwFailure(db, rc);
        // A query whose columns cannot be read (it names a missing column)
        // is as good as missing.
        if (present.isEmpty() || rc != SQLITE_OK) {
            missing.push_back({t.name, QString()});
            continue;
        }
        QSet<QString> have;
        for (const QString& c : present)
            have.insert(c.toLower());
        for (const QString& c : t.columns)
            if (!have.contains(c.toLower()))
                missing.push_back({t.name, c});
    }
    return missing;
}

}  // namespace

std::vector<MissingPart> missingParts(sqlite3* db) { return missingPartsOf(db, referenceSchema()); }

bool isSchemaColumn(const QString& name) { return referenceSchema().columnNames.contains(name.toLower()); }

bool isSchemaTable(const QString& name)
{
    for (const ReferenceSchema::Table& t : referenceSchema().tables)
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void bringUpToDate(Connection& c)
{
    sqlite3* db = handleOf(c);
    if (!db)
        throw DbError(QStringLiteral("The database is not open."), SQLITE_MISUSE);
    const std::int64_t version = c.scalar(QStringLiteral("PRAGMA user_version")).toInt64();
    if (version > schemaVersion)
        throw DbError(newerMessage(c.path(), version));
    if (version == schemaVersion) {
        std::vector<MissingPart> missing = missingParts(db);
        if (!missing.empty())
            throw IncompleteDatabaseError(c.path(), std::move(missing));
        return;
    }
    Transaction t(c);
    try {
        // Files made before the version was kept hold the tables of version
        // 1, perhaps without all of its indexes; every later version is a
        // step of schemaupgrade.cpp, which a new version adds to (raising
        // schemaVersion), so that an older file, the live one when it is
        // opened and a backup when it is restored, gets the steps it lacks.
        if (version < 1)
            addMissingDerived(c);
        applySchemaSteps(c, int(std::max<std::int64_t>(version, 1)));
        c.execute(QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion));
    } catch (const DbError&) {
        // A step that fails on a table or column the file lacks is told as
        // that, not as the statement's error. What later steps were to add
        // is not asked for: the failed step may be the one adding it.
        std::vector<MissingPart> missing = missingPartsOf(db, firstVersionSchema());
        if (!missing.empty())
            throw IncompleteDatabaseError(c.path(), std::move(missing));
        throw;
    }
    std::vector<MissingPart> missing = missingParts(db);
    if (!missing.empty())
        throw IncompleteDatabaseError(c.path(), std::move(missing));
    t.commit();
}

FileIdentity identifyFile(const QString& path)
{
    using Kind = FileIdentity::Kind;
    FileIdentity id;
    // The header is read with plain file access first, so that a file of
    // another kind never reaches SQLite, which could otherwise write to it.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        id.kind = Kind::Unreadable;
        id.reason = file.errorString();
        return id;
    }
    const QByteArray header = file.read(100);
    file.close();
    static const QByteArray magic("SQLite format 3\0", 16);
    if (header.size() < 16 || !header.startsWith(magic)) {
        id.kind = holdsOurSchema(path) ? Kind::Damaged : Kind::Foreign;
        return id;
    }
    if (header.size() < 100) {
        // An SQLite file cut short inside its own header.
        id.kind = Kind::Damaged;
        return id;
    }

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
    if (rc == SQLITE_READONLY_ROLLBACK) {
        // A write of ours was cut short and left a hot journal, which a
        // read-only handle may not roll back. The header fields are
        // written once at creation, so the file's own bytes still tell;
        // the program's first read-write open completes the rollback.
        a = bigEndian32(header, 68);
        v = bigEndian32(header, 60);
    } else if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) {
        id.kind = Kind::InUse;
        id.code = rc & 0xff;
        return id;
    } else if (!a || !v) {
        id.code = rc & 0xff;
        id.reason = h.db ? QString::fromUtf8(sqlite3_errmsg(h.db)) : QString::fromUtf8(sqlite3_errstr(rc));
        // Ours when its header says so or its table definitions are still
        // there: then it is damaged, not foreign.
        id.kind = headerSaysOurs(header) || holdsOurSchema(path) ? Kind::Damaged : Kind::Foreign;
        return id;
    }
    h.close();
    const std::int32_t appId = std::int32_t(std::uint32_t(*a));
    const std::int64_t version = std::int32_t(std::uint32_t(*v));
    if (appId != applicationId || version < 0) {
        // A header that reads but is not ours, over our own tables, was
        // overwritten.
        id.kind = holdsOurSchema(path) ? Kind::Damaged : Kind::Foreign;
        return id;
    }
    id.kind = Kind::Ours;
    id.version = version;
    return id;
}

OpenOutcome ensureDatabase(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        createFreshDatabase(path);
        return OpenOutcome::Created;
    }
    const FileIdentity id = identifyFile(path);
    switch (id.kind) {
    case FileIdentity::Kind::Ours: break;
    case FileIdentity::Kind::Foreign:
        if (!id.reason.isEmpty())
            throw DbError(QStringLiteral("The file \"%1\" is not a Corvanel database (%2). It was left unchanged.")
                              .arg(shown(path), id.reason),
                          id.code);
        refuse(path);
    case FileIdentity::Kind::Damaged: throw DbError(damagedMessage(shown(path)), SQLITE_CORRUPT);
    case FileIdentity::Kind::InUse:
        throw DbError(QStringLiteral("The database \"%1\" is in use by another program, so Corvanel cannot "
                                     "start now. Please try again when that program has finished. The file "
                                     "was left unchanged.")
                          .arg(shown(path)),
                      id.code);
    case FileIdentity::Kind::Unreadable:
        throw DbError(QStringLiteral("The file \"%1\" could not be read: %2. It was left unchanged.")
                          .arg(shown(path), id.reason));
    }
    if (id.version > schemaVersion)
        throw DbError(newerMessage(path, id.version));
    if (id.version < schemaVersion)
        upgradeDatabaseFile(path);
    return OpenOutcome::Opened;
}

namespace {
// Why a file cannot be made in `folder`, in words for the user.
QString cannotWriteReason(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR: return QStringLiteral("the folder does not exist");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("the folder cannot be written to (%1)").arg(QString::fromLocal8Bit(std::strerror(err)));
    case ENOSPC:
    case EDQUOT: return QStringLiteral("there is no room left on its disk");
    default: return QString::fromLocal8Bit(std::strerror(err));
    }
}
}  // namespace

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
    for (;;) {
        temp = QStringLiteral("%1/.%2.%3.tmp")
                   .arg(folder, info.fileName(), QString::number(QRandomGenerator::global()->generate64(), 16));
        // Made here rather than by SQLite, whose error for a folder that
        // cannot be written to does not say so.
        const int fd = ::open(QFile::encodeName(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            break;
        }
        if (errno != EEXIST)
            throw DbError(QStringLiteral("A new database could not be made in \"%1\": %2. Nothing was written.")
                              .arg(shown(folder), cannotWriteReason(errno)),
                          SQLITE_CANTOPEN);
    }

    try {
        Handle h;
        const int rc =
            sqlite3_open_v2(temp.toUtf8().constData(), &h.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE, nullptr);
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
    } catch (const DbError& e) {
        removeWithJournal(temp);
        if (e.sqliteCode() == SQLITE_FULL)
            throw DbError(QStringLiteral("A new database could not be made in \"%1\": %2. Nothing was kept.")
                              .arg(shown(folder), cannotWriteReason(ENOSPC)),
                          SQLITE_FULL);
        throw;
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
