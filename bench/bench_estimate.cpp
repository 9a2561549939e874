// Times saving an estimate of 1,000 lines (new and edited) and reading it
// back through the estimate record, beside a hand-written sqlite3 loop doing
// the same work in one transaction.
#include "data/appfolder.h"
#include "data/schema.h"
#include "estimates/clsorder.h"
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>
using Clock = std::chrono::steady_clock;
// Median time of `f` over `reps` runs after one warm-up; `prepare` runs
// before each, untimed.
static double median(int reps, const std::function<void(int)>& f, const std::function<void()>& prepare = {})
{
    if (prepare)
        prepare();
    f(-1);
    std::vector<double> t;
    for (int i = 0; i < reps; ++i) {
        if (prepare)
            prepare();
        auto s = Clock::now();
        f(i);
        t.push_back(std::chrono::duration<double, std::milli>(Clock::now() - s).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}
static void fill(estimates::ClsOrder& o, int no)
{
    o.ClearData();
    o.OrderNo = no;
    o.CustId = 1;
    o.Notes = "n";
    o.Amount = 1;
    for (int i = 0; i < 1000; ++i)
        o.ColnOrderItems().Add({.item = i + 1, .room = 3, .unit = 4},
                               {.quantity = 2.5, .material = 7.5, .labor = 2, .subLabor = 1, .others = 3});
}
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    data::setApplicationFolder(dir.path());
    data::ensureDatabase(data::databasePath());
    const int reps = 21;
    estimates::ClsOrder o;
    int next = 1000;
    double saveNew = median(
        reps,
        [&](int) {
            if (!o.Save("A"))
                std::abort();
        },
        [&] { fill(o, ++next); });
    fill(o, 1001);
    double saveEdit = median(reps, [&](int) {
        if (!o.Save("E"))
            std::abort();
    });
    double load = median(reps, [&](int) {
        o.OrderNo = 1001;
        if (!o.GetOrder() || o.ColnOrderItems().Count() != 1000)
            std::abort();
    });

    sqlite3* db = nullptr;
    sqlite3_open(data::databasePath().toUtf8().constData(), &db);
    sqlite3_busy_timeout(db, 5000);
    auto exec = [&](const char* s) {
        if (sqlite3_exec(db, s, nullptr, nullptr, nullptr) != SQLITE_OK) {
            std::puts(sqlite3_errmsg(db));
            std::abort();
        }
    };
    int rawNo = 50000;
    auto rawWrite = [&](int no, bool edit) {
        sqlite3_stmt *h, *d, *l;
        sqlite3_prepare_v2(db,
                           edit ? "update OrderInfo set CustId=?2, Notes=?3 where OrderNo=?1"
                                : "insert into OrderInfo (OrderNo,CustId,Notes) values (?1,?2,?3)",
                           -1, &h, nullptr);
        sqlite3_prepare_v2(db, "delete from OrderItem where OrderNo=?", -1, &d, nullptr);
        sqlite3_prepare_v2(
            db,
            "insert into OrderItem (OrderNo,ItemId,Qty,Material,RoomId,UnitId,Extension,Labor,Others) values "
            "(?,?,?,?,?,?,?,?,?)",
            -1, &l, nullptr);
        exec("BEGIN IMMEDIATE");
        sqlite3_bind_int(h, 1, no);
        sqlite3_bind_int(h, 2, 1);
        sqlite3_bind_text(h, 3, "n", -1, SQLITE_TRANSIENT);
        sqlite3_step(h);
        if (edit) {
            sqlite3_bind_int(d, 1, no);
            sqlite3_step(d);
        }
        for (int i = 0; i < 1000; ++i) {
            sqlite3_bind_int(l, 1, no);
            sqlite3_bind_int(l, 2, i + 1);
            sqlite3_bind_double(l, 3, 2.5);
            sqlite3_bind_double(l, 4, 7.5);
            sqlite3_bind_int(l, 5, 3);
            sqlite3_bind_int(l, 6, 4);
            sqlite3_bind_double(l, 7, 1);
            sqlite3_bind_double(l, 8, 2);
            sqlite3_bind_double(l, 9, 3);
            if (sqlite3_step(l) != SQLITE_DONE)
                std::abort();
            sqlite3_reset(l);
        }
        exec("COMMIT");
        sqlite3_finalize(h);
        sqlite3_finalize(d);
        sqlite3_finalize(l);
    };
    double rawNew = median(reps, [&](int) { rawWrite(++rawNo, false); });
    double rawEdit = median(reps, [&](int) { rawWrite(50001, true); });
    double rawRead = median(reps, [&](int) {
        sqlite3_stmt* s;
        sqlite3_prepare_v2(db, "select * from OrderInfo where OrderNo = 1001", -1, &s, nullptr);
        while (sqlite3_step(s) == SQLITE_ROW) {
        }
        sqlite3_finalize(s);
        sqlite3_prepare_v2(
            db,
            "select ItemId,Qty,Material,RoomId,UnitId,Extension,Labor,Others from OrderItem where OrderNo = 1001 order "
            "by rowid",
            -1, &s, nullptr);
        struct L {
            int a;
            double b, c;
            int d, e;
            double f, g, h;
        };
        std::vector<L> v;
        while (sqlite3_step(s) == SQLITE_ROW)
            v.push_back({sqlite3_column_int(s, 0), sqlite3_column_double(s, 1), sqlite3_column_double(s, 2),
                         sqlite3_column_int(s, 3), sqlite3_column_int(s, 4), sqlite3_column_double(s, 5),
                         sqlite3_column_double(s, 6), sqlite3_column_double(s, 7)});
        sqlite3_finalize(s);
        if (v.size() != 1000)
            std::abort();
    });
    sqlite3_close(db);
    std::printf("1000 lines, median of %d\n", reps);
    std::printf("save new : %7.2f ms   raw %7.2f ms   ratio %.2f\n", saveNew, rawNew, saveNew / rawNew);
    std::printf("save edit: %7.2f ms   raw %7.2f ms   ratio %.2f\n", saveEdit, rawEdit, saveEdit / rawEdit);
    std::printf("read back: %7.2f ms   raw %7.2f ms   ratio %.2f\n", load, rawRead, load / rawRead);
}
