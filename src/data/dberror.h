#pragma once
#include <QString>
#include <stdexcept>

struct sqlite3;

namespace data {

// Every failure of the database layer: a sentence for the user (see
// failureMessage), or ours for a refused identifier or a foreign file. The
// ui layer catches it at the event boundary and shows the message; it never
// crosses Qt's event loop.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, int sqliteCode = 0)
        : std::runtime_error(message.toStdString()), message_(message), code_(sqliteCode)
    {}
    const QString& message() const { return message_; }
    // SQLite's primary result code (0 when the failure was not SQLite's).
    int sqliteCode() const { return code_; }

private:
    QString message_;
    int code_;
};

// How long every connection waits for another program's lock before it
// gives up with "in use"; tests shorten it.
int busyTimeoutMs();
void setBusyTimeoutMs(int ms);

// States of the database file that the user can act on, told in words of
// their own instead of SQLite's ("database is locked", "attempt to write a
// readonly database", "database disk image is malformed", "database or
// disk is full", "no such column: ...").
QString inUseMessage(const QString& file);
QString readOnlyMessage(const QString& file);
QString damagedMessage(const QString& file);
QString diskFullMessage(const QString& file);
QString missingColumnMessage(const QString& file, const QString& column);
QString missingTableMessage(const QString& file, const QString& table);

// What a failure was, for callers above the data layer that word it in a
// sentence of their own.
enum class Failure { InUse, ReadOnly, DiskFull, Damaged, Other };
Failure failureKind(const DbError& e);

// The sentence for a failed SQLite call with result code `rc` on `db` (may
// be null): one of the above when the code says so, else SQLite's own
// message.
QString failureMessage(sqlite3* db, int rc);
// The primary code a DbError carries for that call: SQLite's, but for a
// write refused for want of room, which is SQLITE_FULL however it came.
int primaryCode(sqlite3* db, int rc);
[[noreturn]] void throwFailure(sqlite3* db, int rc);

}  // namespace data
