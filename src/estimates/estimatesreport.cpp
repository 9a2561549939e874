#include "estimatesreport.h"

#include "ui/platform.h"

#include <QPrinter>
#include <algorithm>
#include <memory>

namespace estimates {

namespace {

using report::Align;
using report::Band;
using report::Style;

// Column boxes, in points from the left margin. The total column is
// widened, at the customer column's cost, when a figure needs it.
constexpr double noLeft = 0, noWidth = 72;
constexpr double dateLeft = 80, dateWidth = 80;
constexpr double custLeft = 172;
constexpr double totalGap = 8;
constexpr double usualTotalWidth = 110;
constexpr double leastCustWidth = 120;

const QString dateFormat = QStringLiteral("MM/dd/yyyy");

}  // namespace

report::Report estimatesReport(const std::vector<reportdata::EstimateRow>& rows, const std::optional<QDate>& from,
                               const std::optional<QDate>& to)
{
    report::Report r(QStringLiteral("Estimates Report"));
    r.printedOn = QDate::currentDate().toString(dateFormat);
    const bool ranged = from && to;

    Band title(46);
    title.text(0, 0, report::bodyWidth, QStringLiteral("Estimates Report"), Align::Left, Style::Title);
    title.text(
        0, 22, report::bodyWidth,
        ranged ? QStringLiteral("Estimates dated %1 to %2").arg(from->toString(dateFormat), to->toString(dateFormat))
               : QStringLiteral("All estimates"),
        Align::Left, Style::Subtitle);
    r.setTitleBand(std::move(title));

    std::vector<std::int64_t> totals;
    totals.reserve(rows.size());
    std::int64_t sum = 0;
    for (const reportdata::EstimateRow& row : rows) {
        totals.push_back(report::cents(row.total));
        sum += totals.back();
    }
    double totalWidth = std::max(usualTotalWidth, report::widthFor(report::moneyText(sum), Style::Bold));
    for (const std::int64_t t : totals)
        totalWidth = std::max(totalWidth, report::widthFor(report::moneyText(t), Style::Body));
    totalWidth = std::min(totalWidth, report::bodyWidth - custLeft - totalGap - leastCustWidth);
    const double totalLeft = report::bodyWidth - totalWidth;
    const double custWidth = totalLeft - totalGap - custLeft;

    Band header(24);
    header.text(noLeft, 4, noWidth, QStringLiteral("Estimate No."), Align::Left, Style::Heading)
        .text(dateLeft, 4, dateWidth, QStringLiteral("Estimate Date"), Align::Left, Style::Heading)
        .text(custLeft, 4, custWidth, QStringLiteral("Customer Name"), Align::Left, Style::Heading)
        .text(totalLeft, 4, totalWidth, QStringLiteral("Total"), Align::Right, Style::Heading)
        .rule(19, 0, -1, 0.8);
    r.setPageHeader(std::move(header));

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const reportdata::EstimateRow& row = rows[i];
        Band line(report::lineHeight);
        line.figure(noLeft, 0, noWidth, QString::number(row.orderNo), Align::Left);
        if (row.date.isValid())
            line.text(dateLeft, 0, dateWidth, row.date.toString(dateFormat));
        if (row.customer)
            line.setHeight(std::max(1, line.wrappedText(custLeft, 0, custWidth, *row.customer)) * report::lineHeight);
        else
            line.text(custLeft, 0, custWidth, QStringLiteral("(customer deleted)"), Align::Left, Style::Note);
        line.figure(totalLeft, 0, totalWidth, report::moneyText(totals[i]));
        r.addDetail(std::move(line));
    }

    if (rows.empty()) {
        Band none(report::lineHeight * 2);
        none.text(0, 6, report::bodyWidth,
                  ranged ? QStringLiteral("No estimates are dated within these dates.")
                         : QStringLiteral("No estimates are stored."),
                  Align::Left, Style::Note);
        r.addDetail(std::move(none));
    }

    Band footer(34);
    footer.rule(3, totalLeft + 20, totalWidth - 20, 0.8)
        .text(0, 7, totalLeft - totalGap,
              rows.size() == 1 ? QStringLiteral("Total of 1 estimate")
                               : QStringLiteral("Total of %1 estimates").arg(rows.size()),
              Align::Right, Style::Bold)
        .figure(totalLeft, 7, totalWidth, report::moneyText(sum), Align::Right, Style::Bold)
        .rule(23, 0, -1, 0.8)
        .rule(25, 0, -1, 0.8);
    r.addDetail(std::move(footer));
    return r;
}

void showEstimatesReport(QWidget* parent, const std::optional<QDate>& from, const std::optional<QDate>& to)
{
    data::Connection c;
    c.openApplicationDatabase();
    // Read once: the preview paints again whenever it is zoomed or set up.
    auto r = std::make_shared<report::Report>(estimatesReport(reportdata::estimates(c, from, to), from, to));
    c.close();
    ui::platform().printPreview(parent, QStringLiteral("Estimates Report"),
                                [r](QPrinter* printer) { report::paint(*r, printer); });
}

}  // namespace estimates
