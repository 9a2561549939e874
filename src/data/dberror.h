#pragma once
#include <QString>
#include <stdexcept>

namespace data {

// Every failure of the database layer: SQLite's own message, or ours for a
// refused identifier or a foreign file. The ui layer catches it at the event
// boundary and shows the message; it never crosses Qt's event loop.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, int sqliteCode = 0)
        : std::runtime_error(message.toStdString()), message_(message), code_(sqliteCode) {}
    const QString& message() const { return message_; }
    int sqliteCode() const { return code_; }

private:
    QString message_;
    int code_;
};

}  // namespace data
