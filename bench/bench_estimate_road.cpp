// Times the screens on the road to an estimate at cost-book scale, through
// the real forms on the offscreen platform: a database of 100,000 items in
// 1,000 categories up to five levels deep, 20 units, 50 takeoff names,
// 10,000 customers, 20,000 estimates of 20 lines and one of 200 lines, made
// here. Each row prints the median of its runs (the time the window did not
// respond: the action and the events it left), the goal, and whether the
// goal holds; where a plain SQLite statement does the same reading, its time
// and the ratio stand beside.
//
//   bench_estimate_road [runs [rows]]   (default 7 runs, the picker at most 3;
//                                        rows: a comma list of startup, memory,
//                                        estimate, items; default all)
//
// With BENCH_KEEP=<file> it only makes the database and copies it there.
// The memory and start-up rows run in fresh processes of this program.

#include "calculators/calculatorscreens.h"
#include "data/appfolder.h"
#include "data/schema.h"
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

constexpr int itemCount = 100000;
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

// Median time of a statement run straight on SQLite, every row read.
double rawMs(sqlite3* db, const std::string& sql, int n)
{
    std::vector<double> t;
    for (int i = 0; i < n; ++i) {
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

int childMemory(int argc, char** argv, const QString& folder)
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
    const double itemsRaw = rawMs(
        raw, "Select ItemId,ItemName,Material,Labor,Qty,SubLabor,Equipment from Item order by ItemName, ItemId", runs);

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
            rawMs(raw, "SELECT ItemID, ItemName, CategoryID FROM Item ORDER BY ItemName, ItemID", runs)});
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

void itemListRows(sqlite3* raw)
{
    // Once a session (and after another program wrote the table), the lists
    // read the whole item table; shown here, it has no goal of its own.
    const double cold = median(runs, [] {
        masters::ClsItem fresh;
        int page = 1, pages = 0;
        (void)fresh.GetAllItemsN(page, pages, QStringLiteral("Itemcode"), QStringLiteral("A"));
    });
    std::printf("items list: the first page of a session, the whole item table read: %.2f ms\n", cold);

    auto& screen = ui::form<masters::FrmItem>();
    screen.AddOrDelete = QStringLiteral("E");
    screen.show();
    settle();
    masters::ClsItem other;  // "another screen"
    const auto search = [&](const char* text, const char* sort) {
        struct Figures {
            double first, middle, last;
        };
        screen.searchBox()->setText(QString::fromLatin1(text));
        screen.searchOptionButton(QStringLiteral("OptAll"))->setChecked(true);
        screen.SortField = QString::fromLatin1(sort);
        screen.SortDir = QStringLiteral("A");
        Figures f{};
        f.first = median(runs, [&] { screen.cmdSearch_Click(); });
        const int pages = screen.TotalPages;
        f.middle = median(
            runs, [&] { screen.RunSearch(); }, [&] { screen.CurrentPage = std::max(1, (pages + 1) / 2); });
        f.last = median(
            runs, [&] { screen.RunSearch(); }, [&] { screen.CurrentPage = pages; });
        return f;
    };
    const auto rawSearch = [&](const char* pattern, const char* sort, int offset) {
        const std::string p = std::string("'") + pattern + "%'";
        const std::string where = " FROM Item, Category, Units WHERE Item.CategoryID = Category.CatId AND "
                                  "Item.UnitId = Units.Id AND (ItemName like " +
                                  p + " or CatName like " + p + ")";
        return rawMs(raw, "SELECT count(*)" + where, runs) +
               rawMs(
                   raw,
                   "SELECT Item.ItemID,Item.ItemName,Category.CatName,Item.Material,Item.Qty,Item.ItemCode,Units.Name" +
                       where + " ORDER BY Item." + sort + ", Item.ItemID LIMIT 15 OFFSET " + std::to_string(offset),
                   runs);
    };
    for (const char* text : {"Pl", "%ate"}) {
        for (const char* sort : {"ItemCode", "ItemName"}) {
            const auto f = search(text, sort);
            const int middleOffset = (std::max(1, (screen.TotalPages + 1) / 2) - 1) * 15;
            const std::string what = std::string("items list: \"") + text + "\" in all fields, by " + sort;
            report({what + ", first page", f.first, 10, "ms", rawSearch(text, sort, 0)});
            report({what + ", middle page", f.middle, 10, "ms", rawSearch(text, sort, middleOffset)});
            report({what + ", last page", f.last, 10, "ms", rawSearch(text, sort, (screen.TotalPages - 1) * 15)});
        }
    }

    // A price written by another screen, then Show All: the first page by
    // item number.
    screen.SortField = QStringLiteral("Itemcode");
    screen.SortDir = QStringLiteral("A");
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
    report({"items list: the first item-number page after a write", afterWrite, 10});

    screen.ListView1_ColumnClick(4);  // by category name
    const int middle = std::max(1, (screen.TotalPages + 1) / 2);
    const double byCategory = median(
        runs, [&] { screen.RefreshGrid(); }, [&] { screen.CurrentPage = middle; });
    report({"items list: the category-name sort's middle page", byCategory, 10, "ms",
            rawMs(raw,
                  "SELECT Item.ItemID,Item.ItemName,Category.CatName,Item.Material,Item.Qty,Item.ItemCode,Units.Name "
                  "FROM Item, Category, Units WHERE Item.CategoryID = Category.CatId AND Item.UnitId = Units.Id "
                  "ORDER BY CatName, Item.ItemID LIMIT 15 OFFSET " +
                      std::to_string((middle - 1) * 15),
                  runs)});
    screen.unload();
}

// In fresh processes, before this one takes the folder's instance lock.
void memoryRow(const QString& folder)
{
    double added = 0;
    const double peakMiB = childMedian(3, {QStringLiteral("--memory"), folder}, false, [&added](const QByteArray& out) {
        const QList<QByteArray> f = out.trimmed().split(' ');
        if (f.size() < 2)
            return 0.0;
        added = (f[1].toDouble() - f[0].toDouble()) / 1024.0;
        return f[1].toDouble() / 1024.0;
    });
    std::printf("a new estimate screen opens: the process's peak memory %.1f MB, of which the screen added %.1f MB\n",
                peakMiB, added);
    report({"a new estimate screen opens: peak memory of the process", peakMiB, 90, "MB"});
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
        return childMemory(argc, argv, QString::fromLocal8Bit(argv[2]));

    ui::Application app(argc, argv);
    if (argc > 1)
        runs = std::max(1, std::atoi(argv[1]));
    if (argc > 2)
        rowsWanted = QString::fromLocal8Bit(argv[2]).split(QLatin1Char(','));
    const QString programFolder = data::applicationFolder();
    QTemporaryDir dir;
    const double made = makeDatabase(dir.path(), fill);
    // The character file the program finds beside itself.
    QFile::copy(programFolder + QStringLiteral("/Merlin.ACS"), dir.path() + QStringLiteral("/Merlin.ACS"));
    std::printf("database of %d items, %d categories, %d units, %d takeoff names, %d customers, %d estimates made "
                "in %.1f s\n",
                itemCount, categoryCount, unitCount, roomCount, customerCount, bigEstimate, made);
    std::printf("median of %d runs (the picker: %d); the time the window did not respond\n\n", runs, std::min(runs, 3));

    sqlite3* raw = nullptr;
    sqlite3_open_v2(data::databasePath().toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    // The page cache the record classes give their handle.
    exec(raw, "PRAGMA cache_size = -65536");

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
            itemListRows(raw);
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
