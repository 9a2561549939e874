#include "customersreport.h"

#include "ui/platform.h"

#include <QApplication>
#include <QDate>
#include <QPrinter>
#include <QStringList>
#include <algorithm>
#include <memory>

namespace estimates {

namespace {

using report::Align;
using report::Band;
using report::Style;

constexpr double nameLeft = 0, nameWidth = 120;
constexpr double addressLeft = 124, addressWidth = 136;
constexpr double phoneLeft = 264, phoneWidth = 72;
constexpr double faxLeft = 340, faxWidth = 72;
constexpr double emailLeft = 416, emailWidth = report::bodyWidth - emailLeft;

// The lines of a stacked column, without the empty ones, so that a
// customer without a second street line leaves no gap.
QStringList stacked(std::initializer_list<QString> lines)
{
    QStringList out;
    for (const QString& l : lines)
        if (!l.trimmed().isEmpty())
            out << l;
    return out;
}

}  // namespace

report::Report customersReport(const std::vector<reportdata::CustomerRow>& rows)
{
    report::Report r(QStringLiteral("Customers Report"));
    r.printedOn = QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy"));

    Band title(40);
    title.text(0, 0, report::bodyWidth, QStringLiteral("Customers Report"), Align::Left, Style::Title);
    r.setTitleBand(std::move(title));

    Band header(24);
    header.text(nameLeft, 4, nameWidth, QStringLiteral("Name"), Align::Left, Style::Heading)
        .text(addressLeft, 4, addressWidth, QStringLiteral("Address"), Align::Left, Style::Heading)
        .text(phoneLeft, 4, phoneWidth, QStringLiteral("Phone"), Align::Left, Style::Heading)
        .text(faxLeft, 4, faxWidth, QStringLiteral("Fax"), Align::Left, Style::Heading)
        .text(emailLeft, 4, emailWidth, QStringLiteral("Email"), Align::Left, Style::Heading)
        .rule(19, 0, -1, 0.8);
    r.setPageHeader(std::move(header));

    constexpr double top = 4;
    for (const reportdata::CustomerRow& c : rows) {
        Band b;
        // Each column stacks its values, each wrapped within the column;
        // the row is as tall as its longest column.
        const auto column = [&b](double left, double width, const QStringList& values, Style style = Style::Body) {
            int lines = 0;
            for (const QString& v : values)
                lines += b.wrappedText(left, top + lines * report::lineHeight, width, v, Align::Left, style);
            return lines;
        };
        const int lines = std::max(
            {1, column(nameLeft, nameWidth, stacked({c.name}), Style::Bold),
             column(addressLeft, addressWidth, stacked({c.street1, c.street2, c.city, c.state, c.zip, c.country})),
             column(phoneLeft, phoneWidth, stacked({c.phone})), column(faxLeft, faxWidth, stacked({c.fax})),
             column(emailLeft, emailWidth, stacked({c.email, c.url}))});
        b.setHeight(top + lines * report::lineHeight + 4);
        b.rule(b.height() - 0.5, 0, -1, 0.25);
        r.addDetail(std::move(b));
    }

    Band footer(30);
    footer.rule(4, 0, -1, 0.8)
        .text(0, 10, report::bodyWidth,
              rows.empty()       ? QStringLiteral("No customers are stored.")
              : rows.size() == 1 ? QStringLiteral("1 customer")
                                 : QStringLiteral("%1 customers").arg(rows.size()),
              Align::Left, Style::Bold);
    r.addDetail(std::move(footer));
    return r;
}

shell::Screen rptCustomersScreen()
{
    shell::Screen s;
    s.set = [](const QString&, const QVariant&) {};
    s.call = [](const QString&) {};
    s.show = [] { showCustomersReport(); };
    return s;
}

void showCustomersReport()
{
    data::Connection c;
    c.openApplicationDatabase();
    auto r = std::make_shared<report::Report>(customersReport(reportdata::customers(c)));
    c.close();
    ui::platform().printPreview(QApplication::activeWindow(), QStringLiteral("Customers Report"),
                                [r](QPrinter* printer) { report::paint(*r, printer); });
}

}  // namespace estimates
