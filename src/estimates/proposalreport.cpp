#include "proposalreport.h"

#include "records/recordclass.h"
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

const double lh = report::lineHeight;

struct Box {
    double left = 0, width = 0;
};

// The columns of the lines, in points from the left margin. Figures are
// printed whole: a figure column widens to hold its widest figure and the
// name columns give up the room, down to a width that still reads. When
// that is not room enough, each line takes two rows: the takeoff name,
// quantity, unit and item across the page, the amounts under them.
struct Columns {
    Box room, qty, unit, item, material, labor, subLabor, others, total;
    bool twoRows = false;
    // The row of a line (and of the headings) that holds the amounts.
    double amountsTop(int nameLines) const { return twoRows ? nameLines * lh : 0; }
    double headingsHeight() const { return twoRows ? 24 + lh : 24; }
};

// The widest printed text of each figure column.
struct Needs {
    double qty = 0, material = 0, labor = 0, subLabor = 0, others = 0, total = 0;
};

// The usual columns, left to right, with the blank before each.
constexpr double roomWidth = 78, qtyWidth = 30, unitWidth = 46, itemWidth = 112;
constexpr double materialWidth = 52, laborWidth = 50, subLaborWidth = 48, othersWidth = 48, totalWidth = 54;
constexpr double qtyGap = 2, unitGap = 6, itemGap = 4, amountGap = 2;
// Room between two amounts that were widened to fit, so they stand apart.
constexpr double widenedPad = 4;

double widened(double usual, double need) { return need > usual ? need + widenedPad : usual; }

Columns fitColumns(const Needs& n)
{
    Columns c;
    const double qty = widened(qtyWidth, n.qty);
    const double amounts[] = {widened(materialWidth, n.material), widened(laborWidth, n.labor),
                              widened(subLaborWidth, n.subLabor), widened(othersWidth, n.others),
                              widened(totalWidth, n.total)};
    Box* const amountBoxes[] = {&c.material, &c.labor, &c.subLabor, &c.others, &c.total};
    double amountsWidth = 0;
    for (const double w : amounts)
        amountsWidth += w + amountGap;

    // The names never narrower than their headings or a few short words.
    const double usual[] = {roomWidth, unitWidth, itemWidth};
    const double least[] = {
        std::min(roomWidth, std::max(56.0, report::widthFor(QStringLiteral("Takeoff Name"), Style::Heading))), 34, 72};
    double usualNames = 0, leastNames = 0;
    for (int i = 0; i < 3; ++i) {
        usualNames += usual[i];
        leastNames += least[i];
    }
    const double nameGaps = qtyGap + unitGap + itemGap;
    double names = report::bodyWidth - nameGaps - qty - amountsWidth;
    c.twoRows = names < leastNames - 1e-6;
    if (c.twoRows)
        names = std::max(leastNames, report::bodyWidth - nameGaps - qty);
    // Each name column gives up (or takes) its share.
    const double squeeze = usualNames - leastNames;
    double widths[3];
    for (int i = 0; i < 3; ++i)
        widths[i] = names >= usualNames ? usual[i] * names / usualNames
                    : squeeze > 0       ? usual[i] - (usualNames - names) * (usual[i] - least[i]) / squeeze
                                        : least[i];

    c.room = {0, widths[0]};
    c.qty = {c.room.left + c.room.width + qtyGap, qty};
    c.unit = {c.qty.left + c.qty.width + unitGap, widths[1]};
    c.item = {c.unit.left + c.unit.width + itemGap, widths[2]};
    // The amounts end at the right margin.
    double right = report::bodyWidth;
    for (int i = 4; i >= 0; --i) {
        *amountBoxes[i] = {right - amounts[i], amounts[i]};
        right -= amounts[i] + amountGap;
    }
    return c;
}

// The heading row of the lines between its two rules, at `top`.
void lineHeadings(Band& b, double top, const Columns& c)
{
    b.rule(top, 0, -1, 0.8);
    const double y = top + 4;
    const double ya = y + c.amountsTop(1);
    b.text(c.room.left, y, c.room.width, QStringLiteral("Takeoff Name"), Align::Left, Style::Heading)
        .text(c.qty.left, y, c.qty.width, QStringLiteral("Qty"), Align::Right, Style::Heading)
        .text(c.unit.left, y, c.unit.width, QStringLiteral("Unit"), Align::Left, Style::Heading)
        .text(c.item.left, y, c.item.width, QStringLiteral("Item"), Align::Left, Style::Heading)
        .text(c.material.left, ya, c.material.width, QStringLiteral("Material"), Align::Right, Style::Heading)
        .text(c.labor.left, ya, c.labor.width, QStringLiteral("Labor"), Align::Right, Style::Heading)
        // Each word over its own column, so the two never run together.
        .text(c.subLabor.left, ya, c.subLabor.width, QStringLiteral("SubLabor"), Align::Right, Style::Heading)
        .text(c.others.left, ya, c.others.width, QStringLiteral("Others"), Align::Right, Style::Heading)
        .text(c.total.left, ya, c.total.width, QStringLiteral("Item Total"), Align::Right, Style::Heading);
    b.rule(top + c.headingsHeight() - 5, 0, -1, 0.8);
}

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
    b.figure(col.left, top, col.width, report::moneyText(cents), Align::Right, style);
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

    const ProposalTotals t = proposalTotals(h, lines);
    Needs needs;
    const auto need = [](double& widest, const QString& text, Style style = Style::Body) {
        widest = std::max(widest, report::widthFor(text, style));
    };
    for (const reportdata::ProposalLine& l : lines) {
        need(needs.qty, report::figureText(l.qty));
        need(needs.material, report::moneyText(report::cents(l.material)));
        need(needs.labor, report::moneyText(report::cents(l.labor)));
        need(needs.subLabor, report::moneyText(report::cents(l.extension)));
        need(needs.others, report::moneyText(report::cents(l.others)));
        need(needs.total, report::moneyText(lineTotal(l)));
    }
    for (const std::int64_t figure : {t.amount, t.tax, t.overhead})
        need(needs.total, report::moneyText(figure));
    need(needs.total, report::moneyText(t.total), Style::Bold);
    const Columns cols = fitColumns(needs);

    // The customer and the ship-to address on the left, stacked without
    // empty lines; the estimate's number and date on the right.
    QStringList address;
    for (const QString& line : {h.sStreet1, h.sStreet2, h.sCity, h.sState, h.sZip, h.sCountry})
        if (!line.trimmed().isEmpty())
            address << line;
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
    header.setHeight(blockHeight + 10 + cols.headingsHeight());
    constexpr double labelLeft = 360, labelWidth = 90, valueLeft = 450, valueWidth = report::bodyWidth - 450;
    header.text(labelLeft, 0, labelWidth, QStringLiteral("Estimate No."), Align::Left, Style::Heading)
        .figure(valueLeft, 0, valueWidth, QString::number(h.orderNo), Align::Right, Style::Bold)
        .text(labelLeft, lh, labelWidth, QStringLiteral("Estimate Date"), Align::Left, Style::Heading);
    if (h.date.isValid())
        header.text(valueLeft, lh, valueWidth, h.date.toString(dateFormat), Align::Right);
    lineHeadings(header, blockHeight + 10, cols);

    // A page the lines run onto starts with the number and the headings.
    Band continued(lh + 4 + cols.headingsHeight());
    continued.text(0, 0, report::bodyWidth, QStringLiteral("Estimate No. %1 (continued)").arg(h.orderNo), Align::Left,
                   Style::Heading);
    lineHeadings(continued, lh + 4, cols);
    r.beginGroup(std::move(header), std::move(continued));

    for (const reportdata::ProposalLine& l : lines) {
        Band b;
        const int names = std::max(
            {1, nameCell(b, cols.room, l.room), nameCell(b, cols.unit, l.unit), nameCell(b, cols.item, l.item)});
        const double y = cols.amountsTop(names);
        const int rows = cols.twoRows ? names + 1 : names;
        // A line that wraps keeps a little space below it, so the next
        // line is not read as its continuation.
        b.setHeight(rows * lh + (rows > 1 ? 4 : 0));
        b.figure(cols.qty.left, 0, cols.qty.width, report::figureText(l.qty));
        amountCell(b, cols.material, y, report::cents(l.material));
        amountCell(b, cols.labor, y, report::cents(l.labor));
        amountCell(b, cols.subLabor, y, report::cents(l.extension));
        amountCell(b, cols.others, y, report::cents(l.others));
        amountCell(b, cols.total, y, lineTotal(l));
        r.addDetail(std::move(b));
    }

    // The figures stand in the item total column, each label right-aligned
    // before it, percentages between the two; all of them move left when
    // the total column is wide.
    const Box& totalCol = cols.total;
    const double signLeft = std::min(428.0, totalCol.left - 18);
    const double percentWidth = std::max({40.0, report::widthFor(report::figureText(h.tax), Style::Body),
                                          report::widthFor(report::figureText(h.overhead), Style::Body)});
    const double percentLeft = signLeft - 4 - percentWidth;
    const double labelRight = percentLeft - 4;
    const auto label = [&](Band& b, double top, const QString& text, Style style = Style::Heading) {
        b.text(labelRight - 140, top, 140, text, Align::Right, style);
    };
    const auto percent = [&](Band& b, double top, double value) {
        b.figure(percentLeft, top, percentWidth, report::figureText(value));
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
        records::RecordClass::ReadScope scope(c);
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
