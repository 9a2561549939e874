#include "proposalreport.h"

#include "masters/recordclass.h"
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

const QString dateFormat = QStringLiteral("MM/dd/yyyy");
const QString deleted = QStringLiteral("(deleted)");

// Line columns, in points from the left margin.
struct Box {
    double left, width;
};
constexpr Box roomCol{0, 78};
constexpr Box qtyCol{80, 30};
constexpr Box unitCol{116, 46};
constexpr Box itemCol{166, 112};
constexpr Box materialCol{280, 52};
constexpr Box laborCol{334, 50};
constexpr Box subLaborCol{386, 48};
constexpr Box othersCol{436, 48};
constexpr Box totalCol{486, report::bodyWidth - 486};

// The heading row of the lines between its two rules, at `top`.
void lineHeadings(Band& b, double top)
{
    b.rule(top, 0, -1, 0.8);
    const double y = top + 4;
    b.text(roomCol.left, y, roomCol.width, QStringLiteral("Takeoff Name"), Align::Left, Style::Heading)
        .text(qtyCol.left, y, qtyCol.width, QStringLiteral("Qty"), Align::Right, Style::Heading)
        .text(unitCol.left, y, unitCol.width, QStringLiteral("Unit"), Align::Left, Style::Heading)
        .text(itemCol.left, y, itemCol.width, QStringLiteral("Item"), Align::Left, Style::Heading)
        .text(materialCol.left, y, materialCol.width, QStringLiteral("Material"), Align::Right, Style::Heading)
        .text(laborCol.left, y, laborCol.width, QStringLiteral("Labor"), Align::Right, Style::Heading)
        // Each word over its own column, so the two never run together.
        .text(subLaborCol.left, y, subLaborCol.width, QStringLiteral("SubLabor"), Align::Right, Style::Heading)
        .text(othersCol.left, y, othersCol.width, QStringLiteral("Others"), Align::Right, Style::Heading)
        .text(totalCol.left, y, totalCol.width, QStringLiteral("Item Total"), Align::Right, Style::Heading);
    b.rule(top + 19, 0, -1, 0.8);
}
constexpr double headingsHeight = 24;

// A name wrapped within its column; the number of lines it took.
int nameCell(Band& b, const Box& col, const std::optional<QString>& name)
{
    if (name)
        return b.wrappedText(col.left, 0, col.width, *name);
    b.text(col.left, 0, col.width, deleted, Align::Left, Style::Note);
    return 1;
}

void amountCell(Band& b, const Box& col, double top, std::int64_t cents, Style style = Style::Body)
{
    b.text(col.left, top, col.width, report::moneyText(cents), Align::Right, style);
}

}  // namespace

std::int64_t lineTotal(const reportdata::ProposalLine& l)
{
    return report::cents(l.material) + report::cents(l.extension) + report::cents(l.labor) + report::cents(l.others);
}

ProposalTotals proposalTotals(const reportdata::ProposalHeader& h, const std::vector<reportdata::ProposalLine>& lines)
{
    ProposalTotals t;
    for (const reportdata::ProposalLine& l : lines)
        t.amount += lineTotal(l);
    const double amount = double(t.amount) / 100.0;
    t.tax = report::cents(h.tax * amount / 100.0);
    t.overhead = report::cents(h.overhead * amount / 100.0);
    t.total = t.amount + t.tax + t.overhead;
    return t;
}

report::Report proposalReport(const reportdata::ProposalHeader& h, const std::vector<reportdata::ProposalLine>& lines)
{
    report::Report r(QStringLiteral("Estimate Proposal"));
    r.printedOn = QDate::currentDate().toString(dateFormat);

    Band title(40);
    title.text(0, 0, report::bodyWidth, QStringLiteral("Estimates Proposal"), Align::Left, Style::Title);
    r.setTitleBand(std::move(title));

    // The customer and the ship-to address on the left, stacked without
    // empty lines; the estimate's number and date on the right.
    QStringList address;
    for (const QString& line : {h.sStreet1, h.sStreet2, h.sCity, h.sState, h.sZip, h.sCountry})
        if (!line.trimmed().isEmpty())
            address << line;
    const double lh = report::lineHeight;
    Band header;
    header.text(0, 0, 250, QStringLiteral("Customer Name"), Align::Left, Style::Heading);
    int blockLines = 1;
    if (h.customer) {
        blockLines += header.wrappedText(0, lh, 250, *h.customer, Align::Left, Style::Bold);
    } else {
        header.text(0, lh, 250, QStringLiteral("(customer deleted)"), Align::Left, Style::Note);
        ++blockLines;
    }
    for (const QString& line : address)
        blockLines += header.wrappedText(0, blockLines * lh, 250, line);
    const double blockHeight = std::max<double>(blockLines * lh, 3 * lh);
    header.setHeight(blockHeight + 10 + headingsHeight);
    constexpr double labelLeft = 360, labelWidth = 90, valueLeft = 450, valueWidth = report::bodyWidth - 450;
    header.text(labelLeft, 0, labelWidth, QStringLiteral("Estimate No."), Align::Left, Style::Heading)
        .text(valueLeft, 0, valueWidth, QString::number(h.orderNo), Align::Right, Style::Bold)
        .text(labelLeft, lh, labelWidth, QStringLiteral("Estimate Date"), Align::Left, Style::Heading);
    if (h.date.isValid())
        header.text(valueLeft, lh, valueWidth, h.date.toString(dateFormat), Align::Right);
    lineHeadings(header, blockHeight + 10);

    // A page the lines run onto starts with the number and the headings.
    Band continued(lh + 4 + headingsHeight);
    continued.text(0, 0, report::bodyWidth, QStringLiteral("Estimate No. %1 (continued)").arg(h.orderNo), Align::Left,
                   Style::Heading);
    lineHeadings(continued, lh + 4);
    r.beginGroup(std::move(header), std::move(continued));

    for (const reportdata::ProposalLine& l : lines) {
        Band b;
        const int lines =
            std::max({1, nameCell(b, roomCol, l.room), nameCell(b, unitCol, l.unit), nameCell(b, itemCol, l.item)});
        // A line that wraps keeps a little space below it, so the next
        // line is not read as its continuation.
        b.setHeight(lines * lh + (lines > 1 ? 4 : 0));
        b.text(qtyCol.left, 0, qtyCol.width, report::figureText(l.qty), Align::Right);
        amountCell(b, materialCol, 0, report::cents(l.material));
        amountCell(b, laborCol, 0, report::cents(l.labor));
        amountCell(b, subLaborCol, 0, report::cents(l.extension));
        amountCell(b, othersCol, 0, report::cents(l.others));
        amountCell(b, totalCol, 0, lineTotal(l));
        r.addDetail(std::move(b));
    }

    // The figures stand in the item total column, each label right-aligned
    // before it, percentages between the two.
    const ProposalTotals t = proposalTotals(h, lines);
    constexpr double labelRight = 380, percentLeft = 384, percentWidth = 40, signLeft = 428;
    const auto label = [&](Band& b, double top, const QString& text, Style style = Style::Heading) {
        b.text(labelRight - 140, top, 140, text, Align::Right, style);
    };
    const auto percent = [&](Band& b, double top, double value) {
        b.text(percentLeft, top, percentWidth, report::figureText(value), Align::Right);
        b.text(signLeft, top, 14, QStringLiteral("%"));
    };
    Band footer(4 * lh + 22);
    footer.rule(2, 0, -1, 0.8);
    double y = 6;
    label(footer, y, QStringLiteral("Amount"));
    amountCell(footer, totalCol, y, t.amount);
    y += lh;
    label(footer, y, QStringLiteral("Tax:"));
    percent(footer, y, h.tax);
    amountCell(footer, totalCol, y, t.tax);
    y += lh;
    label(footer, y, QStringLiteral("Overhead:"));
    percent(footer, y, h.overhead);
    amountCell(footer, totalCol, y, t.overhead);
    y += lh + 2;
    footer.rule(y - 1, totalCol.left + 4, totalCol.width - 4, 0.6);
    label(footer, y + 1, QStringLiteral("Total:"), Style::Bold);
    amountCell(footer, totalCol, y + 1, t.total, Style::Bold);
    footer.rule(y + lh + 3, 0, -1, 0.8);
    r.endGroup(std::move(footer));
    return r;
}

void showProposal(int orderNo)
{
    const QString title = QStringLiteral("Estimate Proposal");
    data::Connection c;
    c.openApplicationDatabase();
    std::optional<reportdata::ProposalHeader> header;
    std::vector<reportdata::ProposalLine> lines;
    {
        // Header and lines as they stood at one moment.
        masters::RecordClass::ReadScope scope(c);
        header = reportdata::proposalHeader(c, orderNo);
        if (header)
            lines = reportdata::proposalLines(c, orderNo);
    }
    c.close();
    if (!header) {
        ui::msgBox(QStringLiteral("Estimate No. %1 is not stored; there is no proposal to print.").arg(orderNo),
                   ui::Buttons::Ok, title);
        return;
    }
    if (lines.empty()) {
        ui::msgBox(QStringLiteral("Estimate No. %1 has no lines; there is no proposal to print.").arg(orderNo),
                   ui::Buttons::Ok, title);
        return;
    }
    auto r = std::make_shared<report::Report>(proposalReport(*header, lines));
    ui::platform().printPreview(QApplication::activeWindow(), title,
                                [r](QPrinter* printer) { report::paint(*r, printer); });
}

}  // namespace estimates
