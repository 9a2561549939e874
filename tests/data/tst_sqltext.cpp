// The in-memory text rules must answer as SQLite does: every case here is
// put to SQLite itself and to data::sqltext, and the two must agree.

#include "data/sqltext.h"

#include <QtTest>
#include <random>
#include <sqlite3.h>
#include <string>

namespace {

// One SQLite connection in memory for asking.
class Sqlite {
public:
    Sqlite() { sqlite3_open(":memory:", &db_); }
    ~Sqlite() { sqlite3_close(db_); }

    // -1, 0 or 1 as `a` sorts before, with or after `b` under `collation`.
    int compare(const std::string& a, const std::string& b, const char* collation)
    {
        const std::string sql = std::string("SELECT CASE WHEN ?1 = ?2 COLLATE ") + collation +
                                " THEN 0 WHEN ?1 < ?2 COLLATE " + collation + " THEN -1 ELSE 1 END";
        return int(ask(sql, a, b));
    }
    bool like(const std::string& pattern, const std::string& text)
    {
        return ask("SELECT ?2 LIKE ?1", pattern, text) == 1;
    }

private:
    sqlite3_int64 ask(const std::string& sql, const std::string& a, const std::string& b)
    {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr);
        sqlite3_bind_text(st, 1, a.data(), int(a.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, b.data(), int(b.size()), SQLITE_TRANSIENT);
        sqlite3_step(st);
        const sqlite3_int64 v = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        return v;
    }
    sqlite3* db_ = nullptr;
};

int sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

// Texts from pieces that make the rules bite: case, wildcards, letters
// beyond ASCII (whose case LIKE does not fold), NUL, bytes that are no
// proper UTF-8.
std::string randomText(std::mt19937& rng, bool pattern)
{
    static const std::vector<std::string> pieces{"a",
                                                 "A",
                                                 "b",
                                                 "B",
                                                 "z",
                                                 "Z",
                                                 "[",
                                                 "`",
                                                 "{",
                                                 "@",
                                                 " ",
                                                 "1",
                                                 "é",
                                                 "É",
                                                 "ß",
                                                 "€",
                                                 std::string("\0", 1),
                                                 "\xC3",
                                                 "\x80",
                                                 "\xF0\x9F\x98\x80"};
    static const std::vector<std::string> wild{"%", "_"};
    std::uniform_int_distribution<int> len(0, 6);
    std::uniform_int_distribution<std::size_t> which(0, pieces.size() - 1);
    std::uniform_int_distribution<int> coin(0, 3);
    std::string out;
    for (int i = len(rng); i > 0; --i)
        out += pattern && coin(rng) == 0 ? wild[std::size_t(coin(rng) % 2)] : pieces[which(rng)];
    return out;
}

}  // namespace

class TstSqlText : public QObject {
    Q_OBJECT
    Sqlite sqlite;

private slots:
    void collationsAgreeWithSqlite_data()
    {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::newRow("case") << QByteArray("Pipe") << QByteArray("pipe");
        QTest::newRow("letters after Z and before a") << QByteArray("Pipe_") << QByteArray("pipe[");
        QTest::newRow("prefix") << QByteArray("Pip") << QByteArray("PIPE");
        QTest::newRow("beyond ASCII is not folded") << QByteArray("é") << QByteArray("É");
        QTest::newRow("empty") << QByteArray("") << QByteArray("a");
        QTest::newRow("NUL inside") << QByteArray("a\0x", 3) << QByteArray("a\0y", 3);
        QTest::newRow("digits as text") << QByteArray("10") << QByteArray("9");
    }
    void collationsAgreeWithSqlite()
    {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        const std::string x = a.toStdString(), y = b.toStdString();
        QCOMPARE(sign(data::sqltext::compareNocase(x, y)), sqlite.compare(x, y, "NOCASE"));
        QCOMPARE(sign(data::sqltext::compareNocase(y, x)), sqlite.compare(y, x, "NOCASE"));
        QCOMPARE(sign(data::sqltext::compareBinary(x, y)), sqlite.compare(x, y, "BINARY"));
    }

    void likeAgreesWithSqlite_data()
    {
        QTest::addColumn<QByteArray>("pattern");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("prefix") << QByteArray("Pl%") << QByteArray("plate 12");
        QTest::newRow("prefix, no match") << QByteArray("Pl%") << QByteArray("Apple");
        QTest::newRow("inside") << QByteArray("%ate%") << QByteArray("Plate");
        QTest::newRow("inside, case") << QByteArray("%ATE%") << QByteArray("plate");
        QTest::newRow("one character") << QByteArray("P_pe%") << QByteArray("Pipe 1");
        QTest::newRow("one character is one letter, not one byte") << QByteArray("_") << QByteArray("é");
        QTest::newRow("exact") << QByteArray("pipe") << QByteArray("PIPE");
        QTest::newRow("exact, longer text") << QByteArray("pipe") << QByteArray("pipes");
        QTest::newRow("ending") << QByteArray("%pe") << QByteArray("Pipe");
        QTest::newRow("runs in order") << QByteArray("a%b%c") << QByteArray("axxbyyc");
        QTest::newRow("runs out of order") << QByteArray("a%c%b") << QByteArray("axxbyyc");
        QTest::newRow("overlapping runs") << QByteArray("ab%ba") << QByteArray("aba");
        QTest::newRow("beyond ASCII keeps its case") << QByteArray("é%") << QByteArray("École");
        QTest::newRow("only %") << QByteArray("%") << QByteArray("");
        QTest::newRow("empty pattern") << QByteArray("") << QByteArray("");
        QTest::newRow("text ends at NUL") << QByteArray("ab") << QByteArray("ab\0cd", 5);
        QTest::newRow("broken UTF-8") << QByteArray("_x") << QByteArray("\xC3x");
    }
    void likeAgreesWithSqlite()
    {
        QFETCH(QByteArray, pattern);
        QFETCH(QByteArray, text);
        const std::string p = pattern.toStdString(), t = text.toStdString();
        QCOMPARE(data::sqltext::LikePattern(p).matches(t), sqlite.like(p, t));
    }

    // Many random texts and patterns: LIKE, NOCASE and BINARY as SQLite.
    void randomCasesAgreeWithSqlite()
    {
        std::mt19937 rng(7);
        for (int i = 0; i < 20000; ++i) {
            const std::string p = randomText(rng, true);
            const std::string t = randomText(rng, false);
            if (data::sqltext::LikePattern(p).matches(t) != sqlite.like(p, t))
                QFAIL(qPrintable(QStringLiteral("LIKE differs: '%1' LIKE '%2'")
                                     .arg(QString::fromLatin1(QByteArray::fromStdString(t).toHex()),
                                          QString::fromLatin1(QByteArray::fromStdString(p).toHex()))));
            const std::string u = randomText(rng, false);
            if (sign(data::sqltext::compareNocase(t, u)) != sqlite.compare(t, u, "NOCASE"))
                QFAIL(qPrintable(QStringLiteral("NOCASE differs: %1 %2 mine %3 sqlite %4")
                                     .arg(QString::fromLatin1(QByteArray::fromStdString(t).toHex()),
                                          QString::fromLatin1(QByteArray::fromStdString(u).toHex()))
                                     .arg(data::sqltext::compareNocase(t, u))
                                     .arg(sqlite.compare(t, u, "NOCASE"))));
            QCOMPARE(sign(data::sqltext::compareBinary(t, u)), sqlite.compare(t, u, "BINARY"));
        }
    }

    // Values of different kinds in the order ORDER BY gives them.
    void kindsInSqliteOrder()
    {
        using data::sqltext::compareValues;
        using data::sqltext::Kind;
        QVERIFY(compareValues(Kind::Null, 0, {}, Kind::Number, -1e300, {}, true) < 0);
        QVERIFY(compareValues(Kind::Number, 1e300, {}, Kind::Text, 0, "", true) < 0);
        QVERIFY(compareValues(Kind::Text, 0, "zzz", Kind::Blob, 0, "", true) < 0);
        QVERIFY(compareValues(Kind::Number, 2, {}, Kind::Number, 10, {}, true) < 0);
        QCOMPARE(compareValues(Kind::Text, 0, "ABC", Kind::Text, 0, "abc", true), 0);
        QVERIFY(compareValues(Kind::Text, 0, "ABC", Kind::Text, 0, "abc", false) < 0);
        QVERIFY(compareValues(Kind::Blob, 0, "ABC", Kind::Blob, 0, "abc", true) < 0);
    }
};

QTEST_GUILESS_MAIN(TstSqlText)
#include "tst_sqltext.moc"
