// Times one page (first, middle, last) of every paged getter of the record
// classes, in each sort order the list screens offer, on a database of
// 100,000 items over 500 categories and 200 units and 20,000 customers.
// Beside each figure: the same SQL statements, as the layer ran them,
// timed straight on the SQLite C API, and the ratio of the two.
//
//   bench_paging [repetitions]     (default 15; the median is shown)
//
// With BENCH_KEEP=<file> it only makes the database and copies it there,
// for looking at query plans by hand.

#include "data/appfolder.h"
#include "data/connection.h"
#include "data/recordset.h"
#include "data/schema.h"
#include "data/sqlfunctions.h"
#include "masters/clscategory.h"
#include "masters/clscustomer.h"
#include "masters/clsitem.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

#include "benchsql.h"

namespace {

using namespace benchsql;

using Clock = std::chrono::steady_clock;
using Getter = std::function<std::optional<data::RowArray>(int&, int&)>;

int repetitions = 15;

double medianMs(const std::function<void()>& run)
{
    run();  // warm the cache
    std::vector<double> t;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = Clock::now();
        run();
        t.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// --- the database -----------------------------------------------------------

void fill(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::mt19937 rng(20240203);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const char* cities[] = {"Springfield", "Riverton", "Fairview",   "Georgetown", "Salem",   "Madison",
                            "Clinton",     "Franklin", "Greenville", "Bristol",    "Oakland", "Ashland"};

    exec(db, "BEGIN");
    sqlite3_stmt* cat = prepare(db, "INSERT INTO Category (CatId, CatName, ParentCategory) VALUES (?,?,?)");
    for (int i = 1; i <= 500; ++i) {
        const std::string name = std::string(trades[pick(0, 11)]) + " " + std::to_string(pick(1, 9999));
        sqlite3_bind_int(cat, 1, i);
        bindText(cat, 2, name);
        sqlite3_bind_int(cat, 3, i <= 40 ? 0 : pick(1, i - 1));
        done(cat);
    }
    sqlite3_finalize(cat);

    sqlite3_stmt* unit = prepare(db, "INSERT INTO Units (Id, Name) VALUES (?,?)");
    for (int i = 1; i <= 200; ++i) {
        sqlite3_bind_int(unit, 1, i);
        bindText(unit, 2, "Unit " + std::to_string(i));
        done(unit);
    }
    sqlite3_finalize(unit);

    insertItems(db, rng, 100000, 500, 200);

    sqlite3_stmt* cust =
        prepare(db, "INSERT INTO Customer (CustName, BStreet1, BStreet2, BCity, BState, BZip, BCountry, "
                    "BPhone, BFax, BMobile, BEmail, BUrl, BCCNo) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (int i = 0; i < 20000; ++i) {
        const std::string last = surnames[pick(0, 17)];
        const std::string name = last + " " + std::to_string(pick(1, 99999));
        bindText(cust, 1, name);
        bindText(cust, 2, std::to_string(pick(1, 9999)) + " Main Street");
        bindText(cust, 3, "");
        bindText(cust, 4, cities[pick(0, 11)]);
        sqlite3_bind_int(cust, 5, pick(1, 51));
        bindText(cust, 6, std::to_string(pick(10000, 99999)));
        bindText(cust, 7, "USA");
        bindText(cust, 8, std::to_string(pick(200, 999)) + "-" + std::to_string(pick(1000000, 9999999)));
        bindText(cust, 9, "");
        bindText(cust, 10, "");
        bindText(cust, 11, name.substr(0, name.find(' ')) + std::to_string(i) + "@example.com");
        bindText(cust, 12, "");
        bindText(cust, 13, std::to_string(4000000000000000LL + pick(0, 999999999)));
        done(cust);
    }
    sqlite3_finalize(cust);
    exec(db, "COMMIT");
    sqlite3_close(db);
}

// --- the same statements straight on SQLite ---------------------------------

// One statement as the layer ran it: its text and the values it bound.
struct Statement {
    std::string sql;
    std::vector<std::pair<int, std::string>> text;
    std::vector<std::pair<int, sqlite3_int64>> integers;
    std::vector<std::pair<int, double>> reals;
    std::vector<int> nulls;
};

// The bound values, read back by walking the statement's text beside its
// expanded form, where each parameter stands as a literal.
Statement boundStatement(const QString& sql, const QString& expanded)
{
    Statement out;
    out.sql = sql.toStdString();
    const std::string e = expanded.toStdString();
    const std::string& u = out.sql;
    std::size_t i = 0, j = 0;
    int next = 1;
    while (i < u.size() && j <= e.size()) {
        if (u[i] != '?') {
            ++i;
            ++j;
            continue;
        }
        ++i;
        int index = 0;
        bool numbered = false;
        while (i < u.size() && u[i] >= '0' && u[i] <= '9') {
            index = index * 10 + (u[i++] - '0');
            numbered = true;
        }
        if (!numbered)
            index = next;
        next = std::max(next, index + 1);
        if (e.compare(j, 4, "NULL") == 0) {
            out.nulls.push_back(index);
            j += 4;
        } else if (e[j] == '\'') {
            std::string v;
            for (++j; j < e.size(); ++j) {
                if (e[j] == '\'' && j + 1 < e.size() && e[j + 1] == '\'') {
                    v += '\'';
                    ++j;
                } else if (e[j] == '\'') {
                    ++j;
                    break;
                } else {
                    v += e[j];
                }
            }
            out.text.emplace_back(index, v);
        } else {
            std::size_t k = j;
            bool real = false;
            while (k < e.size() && std::string("0123456789+-.eE").find(e[k]) != std::string::npos) {
                if (e[k] == '.' || e[k] == 'e' || e[k] == 'E')
                    real = true;
                ++k;
            }
            const std::string number = e.substr(j, k - j);
            if (real)
                out.reals.emplace_back(index, std::strtod(number.c_str(), nullptr));
            else
                out.integers.emplace_back(index, std::strtoll(number.c_str(), nullptr, 10));
            j = k;
        }
    }
    return out;
}

// The statements one call of the getter runs, with their values.
std::vector<Statement> statementsOf(data::Connection& layer, const std::function<void()>& run)
{
    std::vector<Statement> statements;
    layer.setStatementObserver([&statements](const QString& sql, const QString& expanded) {
        statements.push_back(boundStatement(sql, expanded));
    });
    run();
    layer.setStatementObserver({});
    return statements;
}

// Prepared, bound, stepped and read as the layer does, without the layer.
void runRaw(sqlite3* db, const std::vector<Statement>& statements)
{
    for (const Statement& s : statements) {
        sqlite3_stmt* st = prepare(db, s.sql.c_str());
        for (const auto& [n, v] : s.text)
            sqlite3_bind_text(st, n, v.c_str(), int(v.size()), SQLITE_TRANSIENT);
        for (const auto& [n, v] : s.integers)
            sqlite3_bind_int64(st, n, v);
        for (const auto& [n, v] : s.reals)
            sqlite3_bind_double(st, n, v);
        for (int n : s.nulls)
            sqlite3_bind_null(st, n);
        readAll(st);
        sqlite3_finalize(st);
    }
}

// --- the table --------------------------------------------------------------

struct Figures {
    double layer = 0, raw = 0;
    int rows = 0;
};

bool allUnder10 = true;
bool lastWithin3x = true;

Figures measure(data::Connection& layer, sqlite3* raw, const Getter& get, int page)
{
    Figures f;
    int pageCount = 0;
    const auto run = [&] {
        int p = page;
        const auto rows = get(p, pageCount);
        f.rows = rows ? rows->rowCount() : 0;
    };
    f.layer = medianMs(run);
    const std::vector<Statement> statements = statementsOf(layer, run);
    f.raw = medianMs([&] { runRaw(raw, statements); });
    return f;
}

void row(data::Connection& layer, sqlite3* raw, const char* getter, const QString& sort, const char* dir,
         const Getter& get)
{
    int pageCount = 0;
    int p = 1;
    if (!get(p, pageCount)) {
        std::printf("%-20s %-24s %-2s  (nothing found)\n", getter, sort.toUtf8().constData(), dir);
        return;
    }
    const int middle = std::max(1, (pageCount + 1) / 2);
    const Figures a = measure(layer, raw, get, 1);
    const Figures b = measure(layer, raw, get, middle);
    const Figures c = measure(layer, raw, get, pageCount);
    std::printf("%-20s %-24s %-2s %6d | %6.2f %6.2f %4.2f | %6.2f %6.2f %4.2f | %6.2f %6.2f %4.2f |%5.1fx\n", getter,
                sort.toUtf8().constData(), dir, pageCount, a.layer, a.raw, a.layer / a.raw, b.layer, b.raw,
                b.layer / b.raw, c.layer, c.raw, c.layer / c.raw, c.layer / a.layer);
    for (const Figures* f : {&a, &b, &c})
        if (f->layer >= 10.0)
            allUnder10 = false;
    if (c.layer > 3.0 * a.layer && c.layer > 1.0)
        lastWithin3x = false;
}

void header(const char* title)
{
    std::printf("\n%s\n", title);
    std::printf("%-20s %-24s %-2s %6s | %-18s | %-18s | %-18s | %s\n", "getter", "sort / search", "", "pages",
                "first: layer raw x", "middle: layer raw x", "last: layer raw x", "last/first");
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1)
        repetitions = std::max(1, std::atoi(argv[1]));

    QTemporaryDir dir;
    const double made = makeDatabase(dir.path(), fill);
    std::printf("database of 100000 items, 500 categories, 200 units, 20000 customers made in %.1f s\n", made);
    std::printf("times in ms, median of %d; raw = the same statements straight on the SQLite C API; x = layer / raw\n",
                repetitions);

    sqlite3* raw = nullptr;
    sqlite3_open_v2(data::databasePath().toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    data::registerSqlFunctions(raw);

    masters::ClsItem item;
    // The raw handle gets the page cache the record classes set on theirs.
    const QByteArray cache =
        "PRAGMA cache_size = " + item.connection().scalar(QStringLiteral("PRAGMA cache_size")).toText().toLatin1();
    exec(raw, cache.constData());
    masters::clsCategory category;
    masters::ClsCustomer customer;
    data::Connection& h = item.connection();

    const char* dirs[] = {"A", "D"};

    header("Items (ClsItem)");
    std::printf("(items are counted, searched and ordered in memory; raw is the one statement that reads the page)\n");
    for (const char* s : {"ItemCode", "ItemName", "CatName", "Material", "Qty", "TU"})
        for (const char* d : dirs)
            row(h, raw, "GetAllItemsN", QString::fromLatin1(s), d, [&](int& p, int& n) {
                return item.GetAllItemsN(p, n, QString::fromLatin1(s), QString::fromLatin1(d));
            });
    struct Search {
        const char* field;
        const char* value;
    };
    for (const Search& s : {Search{"All", "Pl"}, Search{"All", "Pipe 1"}, Search{"ItemName", "Board"},
                            Search{"CatName", "Roofing"}, Search{"ItemCode", "12"}, Search{"All", "%ate"}}) {
        item.SearchFld = QString::fromLatin1(s.field);
        item.SearchVal = QString::fromLatin1(s.value);
        for (const char* sort : {"ItemCode", "ItemName"})
            row(h, raw, "GetSearchItems",
                QStringLiteral("%1 '%2' by %3")
                    .arg(QLatin1String(s.field), QLatin1String(s.value), QLatin1String(sort)),
                "A", [&](int& p, int& n) {
                    return item.GetSearchItems(p, n, QString::fromLatin1(sort), QStringLiteral("A"));
                });
    }

    // The list after a price written through another object, as the items
    // screen shows its first page after any write elsewhere. Once a session
    // a list reads the whole table: that first page is shown beside.
    std::printf("\nItems, first page after a write through another object (first of a session beside)\n");
    masters::ClsItem writer;
    int written = 0;
    const auto write = [&] {
        writer.itemid = 1 + (written++ * 7919) % 100000;
        writer.GetItem();
        writer.Material += 1;
        writer.AddEditDel = QStringLiteral("E");
        writer.Save();
    };
    for (const char* s : {"ItemCode", "ItemName", "CatName"}) {
        masters::ClsItem list;
        const auto page = [&] {
            int p = 1, n = 0;
            (void)list.GetAllItemsN(p, n, QString::fromLatin1(s), QStringLiteral("A"));
        };
        const auto start = Clock::now();
        page();
        const double first = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        std::vector<double> t;
        for (int i = 0; i < repetitions; ++i) {
            write();
            const auto begin = Clock::now();
            page();
            t.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
        }
        std::sort(t.begin(), t.end());
        const double layer = t[t.size() / 2];
        write();
        const std::vector<Statement> statements = statementsOf(list.connection(), page);
        const double rawMs = medianMs([&] { runRaw(raw, statements); });
        std::printf("%-20s %-24s %-2s        | %6.2f %6.2f %4.2f | first of a session %6.2f\n", "GetAllItemsN", s, "A",
                    layer, rawMs, layer / rawMs, first);
        if (layer >= 10.0)
            allUnder10 = false;
    }

    header("Categories (clsCategory)");
    for (const char* s : {"CatName", "totitm", "ParentCategory"})
        for (const char* d : dirs)
            row(h, raw, "GetAllCategories", QString::fromLatin1(s), d, [&](int& p, int& n) {
                return category.GetAllCategories(p, n, QString::fromLatin1(s), QString::fromLatin1(d));
            });
    for (const char* v : {"P", "Roof"}) {
        category.Catname = QString::fromLatin1(v);
        row(h, raw, "GetSearchCategories", QStringLiteral("'%1' by CatName").arg(QLatin1String(v)), "A",
            [&](int& p, int& n) {
                return category.GetSearchCategories(p, n, QStringLiteral("CatName"), QStringLiteral("A"));
            });
    }

    header("Customers (ClsCustomer)");
    for (const char* s : {"CustName", "BCity", "BPhone", "BEmail"})
        for (const char* d : dirs)
            row(h, raw, "GetAllCustomers", QString::fromLatin1(s), d, [&](int& p, int& n) {
                return customer.GetAllCustomers(p, n, QString::fromLatin1(s), QString::fromLatin1(d));
            });
    for (const Search& s : {Search{"All", "Sm"}, Search{"All", "555"}, Search{"CustName", "Miller 1"},
                            Search{"BCity", "Salem"}, Search{"BEmail", "king"}}) {
        customer.SearchFld = QString::fromLatin1(s.field);
        customer.SearchVal = QString::fromLatin1(s.value);
        row(h, raw, "GetSearchCustomers",
            QStringLiteral("%1 '%2' by CustName").arg(QLatin1String(s.field), QLatin1String(s.value)), "A",
            [&](int& p, int& n) {
                return customer.GetSearchCustomers(p, n, QStringLiteral("CustName"), QStringLiteral("A"));
            });
    }

    // For comparison: what one page cost when every page read the whole result.
    const auto whole = [&](const char* sql) {
        return medianMs([&] { (void)item.connection().query(QString::fromLatin1(sql)); });
    };
    std::printf(
        "\nthe whole result read for one page, as before: items by name %.1f ms, by item number %.1f ms, "
        "customers by name %.1f ms\n",
        whole("SELECT Item.ItemID,Item.ItemName,Category.CatName,item.Material,Item.Qty,Item.Itemcode,Units.Name "
              "FROM Item,Category,Units where Item.CategoryID = Category.CatId and Item.UnitId=Units.Id "
              "order by ItemName"),
        whole("SELECT Item.ItemID,Item.ItemName,Category.CatName,item.Material,Item.Qty,Item.Itemcode,Units.Name "
              "FROM Item,Category,Units where Item.CategoryID = Category.CatId and Item.UnitId=Units.Id "
              "order by val(itemcode),itemcode"),
        whole("Select CustId,CustName,BCity,BPhone,BEmail,BCCNo  from Customer order by CustName"));

    std::printf("\nother calls: Maxitemno %.2f ms, GetComboCategories %.2f ms\n",
                medianMs([&] { (void)item.Maxitemno(); }), medianMs([&] { (void)category.GetComboCategories(); }));
    std::printf("\nevery page under 10 ms: %s; every last page within 3x the first: %s\n", allUnder10 ? "yes" : "NO",
                lastWithin3x ? "yes" : "NO");
    sqlite3_close(raw);
    return 0;
}
