// Times the screens on the road to an estimate at cost-book scale, through
// the real forms on the offscreen platform: a database of 100,000 items (or
// BENCH_ITEMS) in 1,000 categories up to five levels deep, 20 units, 50
// takeoff names, 10,000 customers, 20,000 estimates of 20 lines and one of
// 200 lines. It is made once per size and schema and kept in the build
// folder (bench-cache/road-<items>.mdb); each run works on a copy.
// Each row prints the median of its runs (the time the window did not
// respond: the action and the events it left), the goal, and whether the
// goal holds; where a plain SQLite statement does the same reading, its time
// and the ratio stand beside.
//
//   BENCH_ITEMS=1000000 bench_estimate_road [runs [rows]]
//       (default 100,000 items and 7 runs, the picker at most 3; rows: a
//       comma list of startup, memory, estimate, items; default all)
//
// With BENCH_KEEP=<file> it only makes the database and copies it there.
// The memory and start-up rows, and the items list's first page after
// start, run in fresh processes of this program.

#include "calculators/calculatorscreens.h"
#include "data/appfolder.h"
#include "data/schema.h"
#include "data/schemaupgrade.h"
#include "data/sqlfunctions.h"
#include "estimates/estimatescreens.h"
#include "estimates/frmlist.h"
#include "estimates/frmorder.h"
#include "estimates/frmorders.h"
#include "masters/clsitem.h"
#include "masters/frmitem.h"
#include "masters/masterscreens.h"
#include "shell/mainmenu.h"
#include "shell/startup.h"
#include "ui/application.h"
#include "ui/combobox.h"
#include "ui/desktopplatform.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/speech/silentbackend.h"
#include "ui/textbox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <sqlite3.h>
#include <string>
#include <vector>

#include "benchsql.h"

namespace {

using namespace benchsql;

using Clock = std::chrono::steady_clock;

int itemCount = 100000;  // BENCH_ITEMS
constexpr int categoryCount = 1000;
constexpr int unitCount = 20;
constexpr int roomCount = 50;
constexpr int customerCount = 10000;
constexpr int estimateCount = 20000;
constexpr int linesPerEstimate = 20;
constexpr int bigEstimateLines = 200;
constexpr int bigEstimate = estimateCount + 1;

int runs = 7;
QStringList rowsWanted;

bool wanted(const char* rows) { return rowsWanted.isEmpty() || rowsWanted.contains(QLatin1String(rows)); }

// --- the database -----------------------------------------------------------

void fill(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::mt19937 rng(20240611);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    exec(db, "BEGIN");
    // 100 top-level categories; each later one hangs under an earlier one
    // that is at most four levels deep, so the tree goes five levels down.
    sqlite3_stmt* cat = prepare(db, "INSERT INTO Category (CatId, CatName, ParentCategory) VALUES (?,?,?)");
    std::vector<int> depth(categoryCount + 1, 0);
    std::vector<int> underFive;
    for (int i = 1; i <= categoryCount; ++i) {
        int parent = 0;
        if (i > 100) {
            parent = underFive[std::size_t(pick(0, int(underFive.size()) - 1))];
            // Lean towards deep chains so that every level is well filled.
            if (i % 3 == 0 && depth[std::size_t(i - 1)] < 5)
                parent = i - 1;
        }
        depth[std::size_t(i)] = parent == 0 ? 1 : depth[std::size_t(parent)] + 1;
        if (depth[std::size_t(i)] < 5)
            underFive.push_back(i);
        sqlite3_bind_int(cat, 1, i);
        bindText(cat, 2, std::string(trades[pick(0, 11)]) + " " + std::to_string(pick(1, 9999)));
        sqlite3_bind_int(cat, 3, parent);
        done(cat);
    }
    sqlite3_finalize(cat);

    const auto names = [&](const char* insert, int count, const std::string& prefix) {
        sqlite3_stmt* st = prepare(db, insert);
        for (int i = 1; i <= count; ++i) {
            sqlite3_bind_int(st, 1, i);
            bindText(st, 2, prefix + std::to_string(i));
            done(st);
        }
        sqlite3_finalize(st);
    };
    names("INSERT INTO Units (Id, Name) VALUES (?,?)", unitCount, "Unit ");
    names("INSERT INTO Rooms (Id, Name) VALUES (?,?)", roomCount, "Takeoff ");

    insertItems(db, rng, itemCount, categoryCount, unitCount);

    sqlite3_stmt* cust = prepare(db, "INSERT INTO Customer (CustName, BStreet1, BCity, BState, BZip, BCountry, BPhone, "
                                     "BEmail) VALUES (?,?,?,?,?,?,?,?)");
    for (int i = 0; i < customerCount; ++i) {
        const std::string name = std::string(surnames[pick(0, 17)]) + " " + std::to_string(pick(1, 99999));
        bindText(cust, 1, name);
        bindText(cust, 2, std::to_string(pick(1, 9999)) + " Main Street");
        bindText(cust, 3, "Springfield");
        sqlite3_bind_int(cust, 4, pick(1, 51));
        bindText(cust, 5, std::to_string(pick(10000, 99999)));
        bindText(cust, 6, "USA");
        bindText(cust, 7, std::to_string(pick(200, 999)) + "-" + std::to_string(pick(1000000, 9999999)));
        bindText(cust, 8, "c" + std::to_string(i) + "@example.com");
        done(cust);
    }
    sqlite3_finalize(cust);

    sqlite3_stmt* head =
        prepare(db, "INSERT INTO OrderInfo (OrderNo, CustId, RepId, OrderDate, SStreet1, SCity, SState, "
                    "ShipId, Amount, Tax, Total, UPSTracking, Notes, Overhead) "
                    "VALUES (?,?,0,?,'1 Main Street','Springfield',?,0,?,5,?,'','',10)");
    sqlite3_stmt* line =
        prepare(db, "INSERT INTO OrderItem (OrderNo, ItemId, Qty, Material, RoomId, UnitId, Extension, "
                    "Labor, Others) VALUES (?,?,?,?,?,?,?,?,?)");
    for (int no = 1; no <= bigEstimate; ++no) {
        const int lines = no == bigEstimate ? bigEstimateLines : linesPerEstimate;
        double amount = 0;
        for (int l = 0; l < lines; ++l) {
            const double qty = pick(1, 20);
            const double material = qty * pick(1, 10000) / 100.0;
            const double labor = pick(0, 5000) / 100.0;
            amount += material + labor;
            sqlite3_bind_int(line, 1, no);
            // Distinct items within an estimate, so no two lines share their keys.
            sqlite3_bind_int(line, 2, 1 + (no * 37 + l * 499) % itemCount);
            sqlite3_bind_double(line, 3, qty);
            sqlite3_bind_double(line, 4, material);
            sqlite3_bind_int(line, 5, pick(1, roomCount));
            sqlite3_bind_int(line, 6, pick(1, unitCount));
            sqlite3_bind_double(line, 7, 0);
            sqlite3_bind_double(line, 8, labor);
            sqlite3_bind_double(line, 9, 0);
            done(line);
        }
        sqlite3_bind_int(head, 1, no);
        sqlite3_bind_int(head, 2, pick(1, customerCount));
        bindText(head, 3, "2024-0" + std::to_string(pick(1, 9)) + "-1" + std::to_string(pick(0, 9)));
        sqlite3_bind_int(head, 4, pick(1, 51));
        sqlite3_bind_double(head, 5, amount);
        sqlite3_bind_double(head, 6, amount * 1.15);
        done(head);
    }
    sqlite3_finalize(head);
    sqlite3_finalize(line);
    exec(db, "COMMIT");
    exec(db, "ANALYZE");
    sqlite3_close(db);
}

// The schema of a database file: its version and every definition, empty
// when it cannot be read.
std::string schemaOf(const QString& path)
{
    sqlite3* db = nullptr;
    std::string out;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(
                db,
                "SELECT (SELECT user_version FROM pragma_user_version), group_concat(sql, ';') "
                "FROM (SELECT sql FROM sqlite_master WHERE sql IS NOT NULL AND name NOT LIKE 'sqlite%' ORDER BY name)",
                -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW && sqlite3_column_text(st, 1))
            out = std::to_string(sqlite3_column_int(st, 0)) + ":" +
                  reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

// Puts the database into `folder`, which becomes the application folder:
// a copy of the one kept in the build folder for this size, made first
// when there is none or its schema is not a fresh database's; the seconds
// that took. With BENCH_KEEP=<file> it copies the database there and ends.
double cachedDatabase(const QString& folder, bool& fromCache)
{
    const auto start = Clock::now();
    const QString cacheFolder = QStringLiteral(BENCH_CACHE_DIR);
    QDir().mkpath(cacheFolder);
    const QString cached = cacheFolder + QStringLiteral("/road-%1.mdb").arg(itemCount);
    {
        QTemporaryDir fresh;
        data::createFreshDatabase(fresh.filePath(QStringLiteral("fresh.mdb")));
        fromCache =
            QFileInfo::exists(cached) && schemaOf(cached) == schemaOf(fresh.filePath(QStringLiteral("fresh.mdb")));
    }
    if (!fromCache) {
        QFile::remove(cached);
        QTemporaryDir making(cacheFolder + QStringLiteral("/making-XXXXXX"));
        data::setApplicationFolder(making.path());
        data::createFreshDatabase(data::databasePath());
        fill(data::databasePath());
        if (!QFile::rename(data::databasePath(), cached)) {
            std::fprintf(stderr, "the database could not be kept as %s\n", qPrintable(cached));
            std::exit(1);
        }
    }
    data::setApplicationFolder(folder);
    if (!QFile::copy(cached, data::databasePath())) {
        std::fprintf(stderr, "the database could not be copied from %s\n", qPrintable(cached));
        std::exit(1);
    }
    if (const char* keep = std::getenv("BENCH_KEEP")) {
        QFile::copy(cached, QString::fromLocal8Bit(keep));
        std::exit(0);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// --- the platform -----------------------------------------------------------

// The desktop platform without its dialogs and voice: every question is
// answered Yes (or the only button), and messages are counted.
class BenchPlatform : public ui::DesktopPlatform {
public:
    int messages = 0;
    QString lastMessage;
    ui::Answer messageBox(const QString& text, ui::Buttons buttons, const QString&) override
    {
        ++messages;
        lastMessage = text;
        return buttons == ui::Buttons::YesNo ? ui::Answer::Yes : ui::Answer::Ok;
    }
    ui::SpeechBackend& speech() override { return silent_; }

private:
    ui::SilentBackend silent_;
};

// --- measuring --------------------------------------------------------------

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The median time of `action` (with the events it leaves) over `n` runs;
// `before` and `after` run untimed around each.
double median(int n, const std::function<void()>& action, const std::function<void()>& before = {},
              const std::function<void()>& after = {})
{
    std::vector<double> t;
    for (int i = 0; i < n; ++i) {
        if (before)
            before();
        settle();
        const auto start = Clock::now();
        action();
        settle();
        t.push_back(msSince(start));
        if (after)
            after();
        settle();
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

// Median time of a statement run straight on SQLite, every row read; one
// run that takes longer than a fifth of a second stands for all.
double rawMs(sqlite3* db, const std::string& sql, int n)
{
    std::vector<double> t;
    for (int i = 0; i < n && (t.empty() || t.front() < 200); ++i) {
        const auto start = Clock::now();
        sqlite3_stmt* st = prepare(db, sql.c_str());
        readAll(st);
        sqlite3_finalize(st);
        t.push_back(msSince(start));
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

struct Row {
    std::string name;
    double value = 0;
    double goal = 0;
    const char* unit = "ms";
    double raw = -1;  // a plain SQLite reading of the same data, when one applies
};
std::vector<Row> table;
bool allHold = true;

void report(const Row& r)
{
    const bool holds = r.value <= r.goal;
    allHold = allHold && holds;
    std::printf("%-58s %9.2f %-2s  goal <= %7.2f %-2s  %-4s", r.name.c_str(), r.value, r.unit, r.goal, r.unit,
                holds ? "yes" : "NO");
    if (r.raw >= 0)
        std::printf("   raw SQLite %7.2f ms, x %.2f", r.raw, r.value / r.raw);
    std::printf("\n");
    std::fflush(stdout);
    table.push_back(r);
}

long peakKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}

// --- child processes ----------------------------------------------------------

// Reports on stdout, and ends the process, when the first top-level window
// that `isTarget` accepts has been shown and painted.
class ShownWatch : public QObject {
public:
    explicit ShownWatch(std::function<bool(QWidget*)> isTarget) : isTarget_(std::move(isTarget)) {}
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && w->window() && isTarget_(w->window())) {
                std::printf("shown\n");
                std::fflush(stdout);
                std::_Exit(0);
            }
        }
        return false;
    }

private:
    std::function<bool(QWidget*)> isTarget_;
};

// The desktop platform whose speech engine is never made.
class Speechless : public ui::DesktopPlatform {
public:
    ui::SpeechBackend& speech() override { return silent_; }

private:
    ui::SilentBackend silent_;
};

int childStartup(int argc, char** argv, const QString& folder, bool speechless)
{
    // As src/app/main.cpp starts the program, in the given folder.
    data::setApplicationFolder(folder);
    ui::Application app(argc, argv);
    ShownWatch watch(
        [](QWidget* w) { return w->findChild<QWidget*>(QStringLiteral("frmMainMenu_client")) != nullptr; });
    app.installEventFilter(&watch);
    ui::DesktopPlatform desktop;
    Speechless quiet;
    ui::Platform::setInstance(speechless ? static_cast<ui::Platform*>(&quiet) : &desktop);
    masters::registerScreens();
    calculators::registerScreens();
    estimates::registerScreens();
    const int code = shell::runProgram();
    std::printf("ended without showing the main window (%d)\n", code);
    std::_Exit(2);
}

int childBare(int argc, char** argv)
{
    // What any Qt program with a menu bar and a line of text pays to show
    // its first window (the toolkit, its platform and its fonts), and
    // nothing of this program's own start-up.
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Main Menu"));
    for (const char* menu :
         {"File", "Mater Tables", "Estimates", "Calculators", "Reports", "Notes Area", "Help", "Exit"})
        window.menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("Item"));
    auto* title = new QLabel(QStringLiteral("PELLWORTH Vadarovuzidu Dudoredaz Ver. 2.0"));
    QFont f = title->font();
    f.setPointSize(18);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    window.setCentralWidget(title);
    window.resize(705, 520);
    ShownWatch watch([&window](QWidget* w) { return w == &window; });
    app.installEventFilter(&watch);
    window.show();
    return QApplication::exec();
}

// The peak memory of a new estimate screen, and with `picker` of the
// multi-item picker opened from it.
int childMemory(int argc, char** argv, const QString& folder, bool picker)
{
    data::setApplicationFolder(folder);
    ui::Application app(argc, argv);
    BenchPlatform platform;
    ui::Platform::setInstance(&platform);
    // The main window first: screens centre on it.
    shell::frmMainMenu().load();
    settle();
    const long before = peakKiB();
    const auto start = Clock::now();
    estimates::FrmOrder& order = estimates::frmOrder();
    order.setAddOrDelete(QStringLiteral("A"));
    order.show();
    settle();
    if (picker) {
        order.cmdItemList->click();
        settle();
    }
    const double ms = msSince(start);
    std::printf("%ld %ld %.2f\n", before, peakKiB(), ms);
    std::fflush(stdout);
    std::_Exit(0);
}

// Runs this program with `args`; the median of what `read` makes of its
// output over n runs (the time from start to its first line when `timed`).
double childMedian(int n, const QStringList& args, bool timed, const std::function<double(const QByteArray&)>& read)
{
    std::vector<double> v;
    for (int i = 0; i < n; ++i) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.speech*=false"));
        p.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        p.start(QCoreApplication::applicationFilePath(), args);
        if (!p.waitForStarted(30000)) {
            std::fprintf(stderr, "child did not start\n");
            std::exit(1);
        }
        QByteArray out;
        while (!out.contains('\n') && p.state() != QProcess::NotRunning) {
            p.waitForReadyRead(60000);
            out += p.readAllStandardOutput();
        }
        const double elapsed = double(clock.nsecsElapsed()) / 1e6;
        p.waitForFinished(10000);
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
        }
        out += p.readAllStandardOutput();
        v.push_back(timed ? elapsed : read(out));
        if (timed && !out.startsWith("shown")) {
            std::fprintf(stderr, "child said: %s\n", out.constData());
            std::exit(1);
        }
    }
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// --- the rows -------------------------------------------------------------------

void estimateRows(sqlite3* raw)
{
    estimates::FrmOrder& order = estimates::frmOrder();
    const auto openNew = [&] {
        order.setAddOrDelete(QStringLiteral("A"));
        order.show();
    };
    const auto close = [&] { order.releaseOpenEstimate(); };
    // What the item list reads when the screen opens: its count, the
    // largest key and the first page of names (the whole cost book in name
    // order, as it was read before, is printed beside for comparison).
    const double itemsRaw = rawMs(raw, "Select count(*) from Item", runs) +
                            rawMs(raw, "Select max(ItemId) from Item", runs) +
                            rawMs(raw,
                                  "Select ItemId, ItemName from Item where +ItemId <= 9223372036854775807 "
                                  "order by ItemName, ItemId limit 100",
                                  runs);
    std::printf("(the whole cost book read in name order, as the screen read it before: %.1f ms)\n",
                rawMs(raw,
                      "Select ItemId,ItemName,Material,Labor,Qty,SubLabor,Equipment from Item order by ItemName, "
                      "ItemId",
                      1));

    const double open = median(runs, openNew, {}, close);
    report({"a new estimate screen opens", open, 150, "ms", itemsRaw});

    openNew();
    settle();
    const double drop = median(
        runs, [&] { order.cmbItems->showPopup(); }, {}, [&] { order.cmbItems->hidePopup(); });
    report({"the item drop-down on the estimate screen opens", drop, 50});

    const double picker = median(
        std::min(runs, 3), [&] { order.cmdItemList->click(); }, {}, [] { estimates::frmList().cmdExit_Click(); });
    report({"\"Add Multiple Items from Sheet\" opens the picker", picker, 500, "ms",
            rawMs(raw, "Select CatId, CatName, ParentCategory from Category order by CatName, CatId", runs) +
                rawMs(raw,
                      "SELECT CatId FROM Category WHERE EXISTS (SELECT 1 FROM Item WHERE Item.CategoryID = "
                      "Category.CatId AND Item.UnitId IN (SELECT Id FROM Units))",
                      runs)});
    close();

    auto& list = ui::form<estimates::FrmOrders>();
    const double reopen = median(
        runs, [&] { list.CmdSelect_Click(); },
        [&] {
            list.show();
            settle();
            list.searchBox()->setText(QString::number(bigEstimate));
            list.cmdSearch_Click();
            list.ListView1->setSelectedRow(0);
        },
        [&] {
            if (order.ListView1->rowCount() != bigEstimateLines)
                std::fprintf(stderr, "the estimate showed %d lines\n", order.ListView1->rowCount());
            close();
        });
    report({"a stored 200-line estimate reopens from the estimate list", reopen, 150});
}

// The sort of a list as plain SQL gives it: the item number by value, then
// as text, in the full list; every other column, and a search's item
// number, as they stand; ties by the key. Where the database has the
// item-number index, by its key, which orders these item numbers as val()
// does.
bool itemNumberIndex = false;
std::string rawOrder(const std::string& sort, bool descending, bool byValue)
{
    const std::string d = descending ? " DESC" : "";
    const std::string column = sort == "CatName" ? "Category.CatName" : sort == "Name" ? "Units.Name" : "Item." + sort;
    if (byValue && sort == "ItemCode" && itemNumberIndex)
        return std::string(data::itemNumberKey) + d + ", ItemCode" + d + ", Item.ItemID" + d;
    if (byValue && sort == "ItemCode")
        return "val(Item.ItemCode)" + d + ", Item.ItemCode" + d + ", Item.ItemID" + d;
    return column + d + ", Item.ItemID" + d;
}

// The plain statements of one page of the joined list: its count and its
// rows, LIMIT and OFFSET.
double rawListPage(sqlite3* raw, const std::string& filter, const std::string& order, int offset)
{
    const std::string where = " FROM Item, Category, Units WHERE Item.CategoryID = Category.CatId AND "
                              "Item.UnitId = Units.Id" +
                              filter;
    return rawMs(raw, "SELECT count(*)" + where, runs) +
           rawMs(raw,
                 "SELECT Item.ItemID,Item.ItemName,Category.CatName,Item.Material,Item.Qty,Item.ItemCode,Units.Name" +
                     where + " ORDER BY " + order + " LIMIT 15 OFFSET " + std::to_string(offset),
                 runs);
}

// The first list page a fresh program reads, in a child process: the item
// screen opening on its item-number page, or a record object's first page
// in another order.
int childItemsFirst(int argc, char** argv, const QString& folder, const QString& sort, const QString& direction)
{
    data::setApplicationFolder(folder);
    ui::Application app(argc, argv);
    BenchPlatform platform;
    ui::Platform::setInstance(&platform);
    shell::frmMainMenu().load();
    settle();
    const long before = peakKiB();
    const auto start = Clock::now();
    int rows = 0;
    if (sort == QLatin1String("screen")) {
        auto& screen = ui::form<masters::FrmItem>();
        screen.AddOrDelete = QStringLiteral("E");
        screen.show();
        settle();
        rows = screen.ListView1->rowCount();
    } else {
        masters::ClsItem items;
        int page = 1, pages = 0;
        const auto got = items.GetAllItemsN(page, pages, sort, direction);
        rows = got ? got->rowCount() : 0;
    }
    const double ms = msSince(start);
    std::printf("%.3f %ld %ld %d\n", ms, before, peakKiB(), rows);
    std::fflush(stdout);
    std::_Exit(0);
}

void itemListRows(sqlite3* raw, const QString& folder)
{
    // The first page after the program starts, in each order, each in a
    // fresh process (the file in the system's cache, the program's empty).
    struct FirstOrder {
        const char* sort;
        const char* direction;
    };
    const FirstOrder orders[] = {{"screen", "A"},  {"ItemCode", "A"}, {"ItemCode", "D"}, {"ItemName", "A"},
                                 {"CatName", "A"}, {"Material", "D"}, {"Qty", "A"},      {"TU", "A"}};
    for (const FirstOrder& o : orders) {
        const bool screenOpens = QByteArray(o.sort) == "screen";
        double peakMiB = 0, addedMiB = 0;
        const double ms = childMedian(
            3, {QStringLiteral("--items-first"), folder, QString::fromLatin1(o.sort), QString::fromLatin1(o.direction)},
            false, [&](const QByteArray& out) {
                const QList<QByteArray> f = out.trimmed().split(' ');
                if (f.size() < 4 || f[3].toInt() != 15)
                    std::fprintf(stderr, "the first items page said: %s\n", out.constData());
                if (f.size() >= 3) {
                    peakMiB = f[2].toDouble() / 1024.0;
                    addedMiB = (f[2].toDouble() - f[1].toDouble()) / 1024.0;
                }
                return f.isEmpty() ? 0.0 : f[0].toDouble();
            });
        if (screenOpens) {
            // The window's making and painting besides its first page.
            std::printf("items list: the screen opens after start, %.2f ms; the process's peak memory %.1f MB, of "
                        "which the screen added %.1f MB\n",
                        ms, peakMiB, addedMiB);
            continue;
        }
        const bool descending = QByteArray(o.direction) != "A";
        const std::string sort = o.sort;
        report({"items list: first page after start, by " + sort + (descending ? " desc" : ""), ms, 10, "ms",
                rawListPage(raw, "", rawOrder(sort, descending, true), 0)});
    }

    auto& screen = ui::form<masters::FrmItem>();
    screen.AddOrDelete = QStringLiteral("E");
    screen.show();
    settle();
    const int pageSize = screen.Items().PageSize;

    // Page 2 by Next, a middle page and the last page of what `rerun` shows
    // (`first` the first page of it), with the plain statements beside.
    struct Pages {
        double first = -1, next = 0, middle = 0, last = 0;
        double middleFirstVisit = 0;  // before anything of it is known
        int pages = 0;
    };
    const auto pagesOf = [&](const std::function<void()>& first, const std::function<void()>& rerun) {
        Pages p;
        p.first = median(runs, first);
        p.pages = screen.TotalPages;
        p.next = median(
            runs, [&] { screen.CmdNext_Click(); },
            [&] {
                screen.CurrentPage = 1;
                rerun();
            });
        p.middleFirstVisit = median(1, rerun, [&] { screen.CurrentPage = std::max(1, (p.pages + 1) / 2); });
        p.middle = median(runs, rerun, [&] { screen.CurrentPage = std::max(1, (p.pages + 1) / 2); });
        p.last = median(runs, rerun, [&] { screen.CurrentPage = p.pages; });
        return p;
    };
    const auto reportPages = [&](const std::string& what, const Pages& p, bool withFirst, const std::string& filter,
                                 const std::string& order) {
        const int middleOffset = (std::max(1, (p.pages + 1) / 2) - 1) * pageSize;
        if (withFirst)
            report({what + ", first page", p.first, 10, "ms", rawListPage(raw, filter, order, 0)});
        report({what + ", next page", p.next, 10, "ms", rawListPage(raw, filter, order, pageSize)});
        report({what + ", middle page", p.middle, 10, "ms", rawListPage(raw, filter, order, middleOffset)});
        std::printf("    (the middle page straight after the first, once: %.2f ms)\n", p.middleFirstVisit);
        report({what + ", last page", p.last, 10, "ms", rawListPage(raw, filter, order, (p.pages - 1) * pageSize)});
    };

    for (const char* sort : {"ItemCode", "ItemName", "CatName"}) {
        screen.SortField = QString::fromLatin1(sort);
        screen.SortDir = QStringLiteral("A");
        const Pages p = pagesOf(
            [&] {
                screen.CurrentPage = 1;
                screen.RefreshGrid();
            },
            [&] { screen.RefreshGrid(); });
        reportPages(std::string("items list: the full list by ") + sort, p, false, "", rawOrder(sort, false, true));
    }

    // A category's whole name as the category search's text.
    std::string category;
    {
        sqlite3_stmt* st = prepare(raw, "SELECT CatName FROM Category WHERE CatId = 500");
        if (sqlite3_step(st) == SQLITE_ROW)
            category = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
    }
    struct Search {
        std::string text;
        const char* option;
        std::string filter;  // the plain statement's condition
    };
    const Search searches[] = {
        {"Pl", "OptAll", " AND (ItemName like 'Pl%' or CatName like 'Pl%')"},
        {"%ate", "OptAll", " AND (ItemName like '%ate%' or CatName like '%ate%')"},
        {category, "OptCat", " AND CatName like '" + category + "%'"},
    };
    for (const Search& s : searches) {
        for (const char* sort : {"ItemCode", "ItemName"}) {
            const auto first = [&] {
                screen.searchBox()->setText(QString::fromStdString(s.text));
                screen.searchOptionButton(QString::fromLatin1(s.option))->setChecked(true);
                screen.SortField = QString::fromLatin1(sort);
                screen.SortDir = QStringLiteral("A");
                screen.cmdSearch_Click();
            };
            const Pages p = pagesOf(first, [&] { screen.RunSearch(); });
            const std::string field = QByteArray(s.option) == "OptAll" ? "all fields" : "the category";
            reportPages("items list: \"" + s.text + "\" in " + field + ", by " + sort, p, true, s.filter,
                        rawOrder(sort, false, false));
        }
    }

    // A price written by another screen, then Show All: the first page by
    // item number.
    masters::ClsItem other;  // "another screen"
    screen.SortField = QStringLiteral("Itemcode");
    screen.SortDir = QStringLiteral("A");
    screen.CurrentPage = 1;
    int n = 0;
    const double afterWrite = median(
        runs, [&] { screen.CmdAll_Click(); },
        [&] {
            other.itemid = 1 + (n++ * 7919) % itemCount;
            other.GetItem();
            other.Material += 1;
            other.AddEditDel = QStringLiteral("E");
            other.Save();
        });
    report({"items list: the first item-number page after a write", afterWrite, 10, "ms",
            rawListPage(raw, "", rawOrder("ItemCode", false, true), 0)});

    // The add dialog's item number.
    double next = 0;
    const double nextMs = median(runs, [&] { next = screen.Items().Maxitemno(); });
    report({"items list: the next item number (" + QString::number(next, 'g', 10).toStdString() + ")", nextMs, 10, "ms",
            rawMs(raw, "Select max(cdbl(itemcode)) from Item where isnumeric(itemcode)", runs)});
    screen.unload();
}

// In fresh processes, before this one takes the folder's instance lock.
void memoryRow(const QString& folder)
{
    const auto peak = [&folder](const char* mode, double& added) {
        return childMedian(3, {QString::fromLatin1(mode), folder}, false, [&added](const QByteArray& out) {
            const QList<QByteArray> f = out.trimmed().split(' ');
            if (f.size() < 2)
                return 0.0;
            added = (f[1].toDouble() - f[0].toDouble()) / 1024.0;
            return f[1].toDouble() / 1024.0;
        });
    };
    double added = 0;
    const double screenMiB = peak("--memory", added);
    std::printf("a new estimate screen opens: the process's peak memory %.1f MB, of which the screen added %.1f MB\n",
                screenMiB, added);
    report({"a new estimate screen opens: peak memory of the process", screenMiB, 90, "MB"});
    const double pickerMiB = peak("--memory-picker", added);
    std::printf("the picker opens from it: the process's peak memory %.1f MB, of which the two screens added %.1f MB\n",
                pickerMiB, added);
    report({"the multi-item picker opens: peak memory of the process", pickerMiB, 150, "MB"});
}

void startupRow(const QString& folder)
{
    const double bare = childMedian(5, {QStringLiteral("--bare")}, true, {});
    const double program = childMedian(5, {QStringLiteral("--startup"), folder}, true, {});
    const double speechless = childMedian(5, {QStringLiteral("--startup-speechless"), folder}, true, {});
    std::printf("start-up to the main window: %.1f ms, a bare Qt window %.1f ms; with no speech engine made before "
                "the window shows %.1f ms (%.2f x)\n",
                program, bare, speechless, speechless / bare);
    report({"start-up to the main window, times a bare Qt window", program / bare, 2, "x"});
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && QByteArray(argv[1]) == "--bare")
        return childBare(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "--startup")
        return childStartup(argc, argv, QString::fromLocal8Bit(argv[2]), false);
    if (argc >= 3 && QByteArray(argv[1]) == "--startup-speechless")
        return childStartup(argc, argv, QString::fromLocal8Bit(argv[2]), true);
    if (argc >= 3 && QByteArray(argv[1]) == "--memory")
        return childMemory(argc, argv, QString::fromLocal8Bit(argv[2]), false);
    if (argc >= 3 && QByteArray(argv[1]) == "--memory-picker")
        return childMemory(argc, argv, QString::fromLocal8Bit(argv[2]), true);
    if (argc >= 5 && QByteArray(argv[1]) == "--items-first")
        return childItemsFirst(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                               QString::fromLocal8Bit(argv[4]));

    ui::Application app(argc, argv);
    if (argc > 1)
        runs = std::max(1, std::atoi(argv[1]));
    if (argc > 2)
        rowsWanted = QString::fromLocal8Bit(argv[2]).split(QLatin1Char(','));
    if (const char* items = std::getenv("BENCH_ITEMS"))
        itemCount = std::max(1000, std::atoi(items));
    const QString programFolder = data::applicationFolder();
    QTemporaryDir dir;
    bool fromCache = false;
    const double made = cachedDatabase(dir.path(), fromCache);
    // The character file the program finds beside itself.
    QFile::copy(programFolder + QStringLiteral("/Merlin.ACS"), dir.path() + QStringLiteral("/Merlin.ACS"));
    std::printf("database of %d items, %d categories, %d units, %d takeoff names, %d customers, %d estimates %s "
                "in %.1f s\n",
                itemCount, categoryCount, unitCount, roomCount, customerCount, bigEstimate,
                fromCache ? "copied from the cache" : "made", made);
    std::printf("median of %d runs (the picker: %d); the time the window did not respond\n\n", runs, std::min(runs, 3));

    sqlite3* raw = nullptr;
    sqlite3_open_v2(data::databasePath().toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    // The page cache the record classes give their handle, and the
    // functions their statements call.
    exec(raw, "PRAGMA cache_size = -65536");
    data::registerSqlFunctions(raw);
    {
        sqlite3_stmt* st = prepare(raw, "SELECT count(*) FROM sqlite_master WHERE name = 'Item_ItemNumber'");
        itemNumberIndex = sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int(st, 0) > 0;
        sqlite3_finalize(st);
    }

    // The start-up row first, while nothing else holds the folder.
    if (wanted("startup"))
        startupRow(dir.path());
    if (wanted("memory"))
        memoryRow(dir.path());
    {
        BenchPlatform platform;
        ui::Platform::setInstance(&platform);
        shell::frmMainMenu().load();
        if (wanted("estimate"))
            estimateRows(raw);
        if (wanted("items"))
            itemListRows(raw, dir.path());
        ui::destroyAllForms();
        ui::Platform::setInstance(nullptr);
        if (platform.messages > 0)
            std::printf("(%d messages were answered; the last: %s)\n", platform.messages,
                        platform.lastMessage.toUtf8().constData());
    }
    sqlite3_close(raw);
    std::printf("\nevery goal holds: %s\n", allHold ? "yes" : "NO");
    return 0;
}
