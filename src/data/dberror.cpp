#include "dberror.h"

#include <QDir>
#include <atomic>
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

QString failureMessage(sqlite3* db, int rc)
{
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return inUseMessage(shownFile(db));
    case SQLITE_READONLY: return readOnlyMessage(shownFile(db));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return damagedMessage(shownFile(db));
    default: break;
    }
    // The handle's message belongs to its last call, which may not be the
    // one that failed (a finalize, say); the code's own text is then better.
    if (db && (sqlite3_errcode(db) & 0xff) == (rc & 0xff))
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString::fromUtf8(sqlite3_errstr(rc));
}

void throwFailure(sqlite3* db, int rc) { throw DbError(failureMessage(db, rc), rc & 0xff); }

}  // namespace data
