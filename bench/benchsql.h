#pragma once
// What the timing programs share to make their databases and to run
// statements straight on SQLite. Header only: each program is one file.

#include "data/appfolder.h"
#include "data/schema.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace benchsql {

inline void exec(sqlite3* db, const char* sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, err ? err : "?");
        std::exit(1);
    }
}

inline sqlite3_stmt* prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
        std::exit(1);
    }
    return st;
}

inline void bindText(sqlite3_stmt* st, int n, const std::string& s)
{
    sqlite3_bind_text(st, n, s.c_str(), int(s.size()), SQLITE_TRANSIENT);
}

// Runs an insert and makes the statement ready for the next one.
inline void done(sqlite3_stmt* st)
{
    if (sqlite3_step(st) != SQLITE_DONE) {
        std::fprintf(stderr, "insert failed\n");
        std::exit(1);
    }
    sqlite3_reset(st);
}

// Steps a query to its end, reading every value as the type it has.
inline void readAll(sqlite3_stmt* st)
{
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_INTEGER: (void)sqlite3_column_int64(st, c); break;
            case SQLITE_FLOAT: (void)sqlite3_column_double(st, c); break;
            case SQLITE_TEXT: (void)sqlite3_column_text(st, c); break;
            default: break;
            }
        }
    }
}

// The words the made-up master files are named from.
inline constexpr const char* trades[] = {"Plumbing", "Electrical", "Framing",  "Painting",   "Roofing", "Masonry",
                                         "Flooring", "Drywall",    "Concrete", "Insulation", "Plaster", "Siding"};
inline constexpr const char* things[] = {"Pipe", "Plank",   "Wire",  "Board",   "Nail",    "Screw",
                                         "Tile", "Brick",   "Panel", "Sheet",   "Valve",   "Joist",
                                         "Stud", "Shingle", "Plate", "Bracket", "Fitting", "Beam"};
inline constexpr const char* tus[] = {"", "ea", "ft", "sq ft", "lb", "box", "m", "roll"};
inline constexpr const char* surnames[] = {"Smith", "Jones",  "Miller", "Brown", "Garcia", "Wilson",
                                           "Moore", "Taylor", "Clark",  "Lewis", "Walker", "Young",
                                           "Allen", "King",   "Scott",  "Green", "Baker",  "Adams"};

// `count` priced items numbered 1 to count in shuffled order (one number
// in twenty with a letter in front), in categories 1 to `categories` and
// units 1 to `units`.
inline void insertItems(sqlite3* db, std::mt19937& rng, int count, int categories, int units)
{
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<int> numbers(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        numbers[std::size_t(i)] = i + 1;
    std::shuffle(numbers.begin(), numbers.end(), rng);
    sqlite3_stmt* item =
        prepare(db, "INSERT INTO Item (ItemCode, ItemName, CategoryID, UnitId, Material, Labor, Qty, TU, "
                    "SubLabor, Equipment) VALUES (?,?,?,?,?,?,?,?,?,?)");
    for (int i = 0; i < count; ++i) {
        const int n = numbers[std::size_t(i)];
        bindText(item, 1, (n % 20 == 0) ? "A" + std::to_string(n) : std::to_string(n));
        bindText(item, 2, std::string(things[pick(0, 17)]) + " " + std::to_string(pick(1, 999999)));
        sqlite3_bind_int(item, 3, pick(1, categories));
        sqlite3_bind_int(item, 4, pick(1, units));
        sqlite3_bind_double(item, 5, pick(1, 100000) / 100.0);
        sqlite3_bind_double(item, 6, pick(0, 50000) / 100.0);
        sqlite3_bind_double(item, 7, pick(1, 40));
        bindText(item, 8, tus[pick(0, 7)]);
        sqlite3_bind_double(item, 9, pick(0, 20000) / 100.0);
        sqlite3_bind_double(item, 10, pick(0, 20000) / 100.0);
        done(item);
    }
    sqlite3_finalize(item);
}

// Makes a fresh database in `folder`, which becomes the application folder,
// and fills it; the seconds that took. With BENCH_KEEP=<file> it copies the
// database there and ends the program.
inline double makeDatabase(const QString& folder, void (*fill)(const QString& path))
{
    data::setApplicationFolder(folder);
    const auto start = std::chrono::steady_clock::now();
    data::createFreshDatabase(data::databasePath());
    fill(data::databasePath());
    if (const char* keep = std::getenv("BENCH_KEEP")) {
        QFile::copy(data::databasePath(), QString::fromLocal8Bit(keep));
        std::exit(0);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace benchsql
