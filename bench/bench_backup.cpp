// Times the checks that backup, restore and start-up make on a database of
// 100,000 items, 20,000 customers and 20,000 estimates of 20 lines: SQLite's
// quick check, File > Backup with its check beside a plain copy of the file,
// checking a backup and restoring it, the start-up's check of every table and
// column, and telling a file whose first page is overwritten from another
// kind of file.
#include "benchsql.h"

#include "data/backupfile.h"
#include "data/connection.h"
#include "data/quickcheck.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>

using Clock = std::chrono::steady_clock;
using namespace benchsql;

namespace {

// Median time of `f` in ms over `reps` runs after one warm-up.
double median(int reps, const std::function<void()>& f)
{
    f();
    std::vector<double> t;
    for (int i = 0; i < reps; ++i) {
        const auto s = Clock::now();
        f();
        t.push_back(std::chrono::duration<double, std::milli>(Clock::now() - s).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

void fill(const QString& path)
{
    std::mt19937 rng(23);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    exec(db, "BEGIN");
    insertItems(db, rng, 100000, 1000, 200);
    sqlite3_stmt* cust = prepare(db, "INSERT INTO Customer (CustName, BStreet1, BCity, BState, BPhone, BEmail) "
                                     "VALUES (?,?,'Springfield',?,?,?)");
    for (int i = 0; i < 20000; ++i) {
        bindText(cust, 1, std::string(surnames[pick(0, 17)]) + " " + std::to_string(pick(1, 99999)));
        bindText(cust, 2, std::to_string(pick(1, 9999)) + " Main Street");
        sqlite3_bind_int(cust, 3, pick(1, 51));
        bindText(cust, 4, std::to_string(pick(200, 999)) + "-" + std::to_string(pick(1000000, 9999999)));
        bindText(cust, 5, "c" + std::to_string(i) + "@example.com");
        done(cust);
    }
    sqlite3_finalize(cust);
    sqlite3_stmt* head = prepare(db, "INSERT INTO OrderInfo (OrderNo, CustId, OrderDate, Amount, Tax, Total, Notes, "
                                     "Overhead) VALUES (?,?,'2024-05-01',100,5,115,'',10)");
    sqlite3_stmt* line = prepare(db, "INSERT INTO OrderItem (OrderNo, ItemId, Qty, Material, RoomId, UnitId, "
                                     "Extension, Labor, Others) VALUES (?,?,?,?,1,1,0,?,0)");
    for (int no = 1; no <= 20000; ++no) {
        for (int l = 0; l < 20; ++l) {
            sqlite3_bind_int(line, 1, no);
            sqlite3_bind_int(line, 2, 1 + (no * 37 + l * 499) % 100000);
            sqlite3_bind_double(line, 3, pick(1, 20));
            sqlite3_bind_double(line, 4, pick(1, 10000) / 100.0);
            sqlite3_bind_double(line, 5, pick(0, 5000) / 100.0);
            done(line);
        }
        sqlite3_bind_int(head, 1, no);
        sqlite3_bind_int(head, 2, pick(1, 20000));
        done(head);
    }
    sqlite3_finalize(head);
    sqlite3_finalize(line);
    exec(db, "COMMIT");
    sqlite3_close(db);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const double made = makeDatabase(dir.path(), fill);
    const QString db = data::databasePath();
    std::printf("database of 100000 items, 20000 customers, 20000 estimates of 20 lines (%.1f MB) made in %.1f s\n\n",
                QFileInfo(db).size() / 1e6, made);
    const int reps = argc > 1 ? std::atoi(argv[1]) : 7;

    const double check = median(reps, [&] {
        if (data::quickCheck(db) != data::FileHealth::Sound)
            std::exit(1);
    });
    const QString bak = dir.filePath(QStringLiteral("Corvanel.bak"));
    const double backup = median(reps, [&] { data::copyDatabaseFile(db, bak); });
    const QString plain = dir.filePath(QStringLiteral("plain.bak"));
    const double copy = median(reps, [&] {
        QFile::remove(plain);
        QFile::copy(db, plain);
    });
    data::Connection live;
    live.open(db);
    const double opened = median(reps, [&] {
        data::BackupRefusal refusal;
        if (!data::BackupSource::open(bak, refusal))
            std::exit(1);
    });
    const double restore = median(reps, [&] {
        data::BackupRefusal refusal;
        data::BackupSource::open(bak, refusal)->restoreInto(live);
    });
    const double upToDate = median(reps, [&] { data::bringUpToDate(live); });
    live.close();

    const QString spoilt = dir.filePath(QStringLiteral("spoilt.mdb"));
    QFile::copy(db, spoilt);
    {
        QFile f(spoilt);
        f.open(QIODevice::ReadWrite);
        f.write(QByteArray(4096, char(0x5a)));
    }
    const double told = median(reps, [&] {
        if (data::identifyFile(spoilt).kind != data::FileIdentity::Kind::Damaged)
            std::exit(1);
    });
    // The worst case of that search: a file as large that is not ours.
    const QString other = dir.filePath(QStringLiteral("other.mdb"));
    {
        QFile f(other);
        f.open(QIODevice::WriteOnly);
        const QByteArray block(1 << 20, char(0x5a));
        for (qint64 written = 0; written < QFileInfo(db).size(); written += block.size())
            f.write(block);
    }
    const double foreign = median(reps, [&] {
        if (data::identifyFile(other).kind != data::FileIdentity::Kind::Foreign)
            std::exit(1);
    });

    std::printf("%-62s %9s\n", "", "median ms");
    std::printf("%-62s %9.1f\n", "SQLite's quick check of the database", check);
    std::printf("%-62s %9.1f\n", "File > Backup: copy, flush, quick check of the copy, rename", backup);
    std::printf("%-62s %9.1f\n", "  beside it: a plain copy of the file (QFile::copy, no flush)", copy);
    std::printf("%-62s %9.1f\n", "File > Restore: the backup's checks (quick check, every column)", opened);
    std::printf("%-62s %9.1f\n", "File > Restore: checks and the copy into the live database", restore);
    std::printf("%-62s %9.1f\n", "start-up: every table and column checked (version 1)", upToDate);
    std::printf("%-62s %9.1f\n", "first page overwritten: found to be ours, and damaged", told);
    std::printf("%-62s %9.1f\n", "a file as large of another kind: searched through, not ours", foreign);
    return 0;
}
