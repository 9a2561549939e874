#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <variant>

namespace data {

// One value of a row or one bound parameter. Null is kept apart from the
// empty text, as the record classes test Null before converting.
class DbValue {
public:
    DbValue() = default;  // Null
    DbValue(std::nullptr_t) {}
    DbValue(int v) : v_(static_cast<std::int64_t>(v)) {}
    DbValue(std::int64_t v) : v_(v) {}
    DbValue(double v) : v_(v) {}
    DbValue(const QString& v) : v_(v) {}
    DbValue(const char* v) : v_(QString::fromUtf8(v)) {}
    DbValue(const QByteArray& v) : v_(v) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(v_); }
    bool isReal() const { return std::holds_alternative<double>(v_); }
    bool isText() const { return std::holds_alternative<QString>(v_); }
    bool isBlob() const { return std::holds_alternative<QByteArray>(v_); }

    // Text form: numbers in the default number-to-text form, Null as "".
    QString toText() const;
    // Numbers as they are; text read with the number-at-the-start rule; Null 0.
    double toDouble() const;
    // Whole part of toDouble, rounded half to even, clamped to 64 bits.
    std::int64_t toInt64() const;
    int toInt() const { return static_cast<int>(toInt64()); }
    QByteArray toBlob() const;

    friend bool operator==(const DbValue&, const DbValue&) = default;

private:
    std::variant<std::monostate, std::int64_t, double, QString, QByteArray> v_;
};

}  // namespace data
