// Times the estimates report of 5,000 estimates written to a PDF file: the
// query, the layout and the painting, each on its own and together. With a
// file name as argument the PDF is kept there to look at.
#include "data/appfolder.h"
#include "data/connection.h"
#include "data/schema.h"
#include "estimates/estimatesreport.h"
#include "estimates/reportdata.h"
#include "estimates/reportwriter.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using Clock = std::chrono::steady_clock;

static double ms(Clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

int main(int argc, char** argv)
{
    // Fonts need a platform; without a display the offscreen one does.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    data::setApplicationFolder(dir.path());
    data::ensureDatabase(data::databasePath());

    constexpr int estimates = 5000;
    {
        data::Connection c;
        c.open(data::databasePath());
        data::Transaction t(c);
        for (int i = 1; i <= 400; ++i)
            c.execute(QStringLiteral("INSERT INTO Customer (CustName, BCity) VALUES (?, 'Springfield')"),
                      {QStringLiteral("Customer %1 Building & Remodeling").arg(i)});
        for (int i = 1; i <= estimates; ++i) {
            const QString date = QStringLiteral("2024-%1-%2")
                                     .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                     .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
            c.execute(QStringLiteral("INSERT INTO OrderInfo (OrderNo, CustId, OrderDate, Amount, Tax, Overhead, Total) "
                                     "VALUES (?, ?, ?, ?, 8, 10, ?)"),
                      {i, 1 + i % 401, date, 1000.0 + i, (1000.0 + i) * 1.18});
        }
        t.commit();
    }
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("estimates.pdf"));

    std::vector<double> query, layout, write, whole;
    int pages = 0;
    for (int rep = 0; rep < 7; ++rep) {
        const auto start = Clock::now();
        data::Connection c;
        c.open(data::databasePath());
        auto t = Clock::now();
        const std::vector<estimates::reportdata::EstimateRow> rows = estimates::reportdata::estimates(c);
        query.push_back(ms(t));
        t = Clock::now();
        const estimates::report::Report r = estimates::estimatesReport(rows);
        pages = int(r.layout().size());
        layout.push_back(ms(t));
        t = Clock::now();
        if (!estimates::report::writePdf(r, out)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
            return 1;
        }
        write.push_back(ms(t));
        whole.push_back(ms(start));
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("estimates report, %d estimates, %d pages, %.0f KB PDF (median of 7)\n", estimates, pages,
                QFileInfo(out).size() / 1024.0);
    std::printf("  query            %8.1f ms\n", median(query));
    std::printf("  build and layout %8.1f ms\n", median(layout));
    std::printf("  paint to PDF     %8.1f ms\n", median(write));
    std::printf("  total            %8.1f ms   (target under 1000 ms)\n", median(whole));
    return 0;
}
