#include "dberror.h"

#include "schema.h"

#include <QDir>
#include <atomic>
#include <cerrno>
#include <sqlite3.h>

namespace data {

namespace {
std::atomic<int> busyTimeout{5000};

QString shownFile(sqlite3* db)
{
    const char* name = db ? sqlite3_db_filename(db, "main") : nullptr;
    return name && *name ? QDir::toNativeSeparators(QString::fromUtf8(name)) : QStringLiteral("Corvanel.mdb");
}
}  // namespace

int busyTimeoutMs() { return busyTimeout.load(); }

void setBusyTimeoutMs(int ms) { busyTimeout.store(ms < 0 ? 0 : ms); }

QString inUseMessage(const QString& file)
{
    return QStringLiteral("The database \"%1\" is in use by another program, so this could not be done. "
                          "Please try again when that program has finished.")
        .arg(file);
}

QString readOnlyMessage(const QString& file)
{
    return QStringLiteral("The database \"%1\" cannot be written: the file or its folder is read-only. "
                          "Your changes were not saved.")
        .arg(file);
}

QString damagedMessage(const QString& file)
{
    return QStringLiteral("The database \"%1\" is damaged. Restore a backup with File > Restore from Backup.")
        .arg(file);
}

QString diskFullMessage(const QString& file)
{
    return QStringLiteral("There is no room left on the disk that holds the database \"%1\", so nothing was saved. "
                          "Make room on the disk and try again.")
        .arg(file);
}

QString missingColumnMessage(const QString& file, const QString& column)
{
    return QStringLiteral("The database \"%1\" has no column \"%2\", which this needs, so it could not be done and "
                          "nothing was saved. Restore a whole backup with File > Restore from Backup.")
        .arg(file, column);
}

QString missingTableMessage(const QString& file, const QString& table)
{
    return QStringLiteral("The database \"%1\" has no table \"%2\", which this needs, so it could not be done and "
                          "nothing was saved. Restore a whole backup with File > Restore from Backup.")
        .arg(file, table);
}

namespace {
// A table or column of the program's own schema that the file lacks; a
// name that is none of ours is a fault of the statement and keeps SQLite's
// words.
QString missingPartMessage(sqlite3* db, const QString& sqliteText)
{
    static const QString column = QStringLiteral("no such column: ");
    static const QString table = QStringLiteral("no such table: ");
    if (sqliteText.startsWith(column)) {
        const QString name = sqliteText.mid(column.size()).section(QLatin1Char('.'), -1);
        if (isSchemaColumn(name))
            return missingColumnMessage(shownFile(db), name);
    } else if (sqliteText.startsWith(table)) {
        const QString name = sqliteText.mid(table.size()).section(QLatin1Char('.'), -1);
        if (isSchemaTable(name))
            return missingTableMessage(shownFile(db), name);
    }
    return QString();
}
}  // namespace

// SQLite calls only a disk without free space full; a write refused for a
// quota or the largest file the system allows is the same to the user.
int primaryCode(sqlite3* db, int rc)
{
    if ((rc & 0xff) == SQLITE_IOERR && db) {
        const int err = sqlite3_system_errno(db);
        if (err == ENOSPC || err == EDQUOT || err == EFBIG)
            return SQLITE_FULL;
    }
    return rc & 0xff;
}

QString failureMessage(sqlite3* db, int rc)
{
    switch (primaryCode(db, rc)) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return inUseMessage(shownFile(db));
    case SQLITE_READONLY: return readOnlyMessage(shownFile(db));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return damagedMessage(shownFile(db));
    case SQLITE_FULL: return diskFullMessage(shownFile(db));
    case SQLITE_ERROR:
        if (db && (sqlite3_errcode(db) & 0xff) == SQLITE_ERROR) {
            const QString told = missingPartMessage(db, QString::fromUtf8(sqlite3_errmsg(db)));
            if (!told.isEmpty())
                return told;
        }
        break;
    default: break;
    }
    // The handle's message belongs to its last call, which may not be the
    // one that failed (a finalize, say); the code's own text is then better.
    if (db && (sqlite3_errcode(db) & 0xff) == (rc & 0xff))
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString::fromUtf8(sqlite3_errstr(rc));
}

Failure failureKind(const DbError& e)
{
    switch (e.sqliteCode()) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return Failure::InUse;
    case SQLITE_READONLY: return Failure::ReadOnly;
    case SQLITE_FULL: return Failure::DiskFull;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return Failure::Damaged;
    default: return Failure::Other;
    }
}

void throwFailure(sqlite3* db, int rc) { throw DbError(failureMessage(db, rc), primaryCode(db, rc)); }

}  // namespace data
