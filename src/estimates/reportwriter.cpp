#include "reportwriter.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QRegularExpression>

#include <charconv>
#include <cmath>

namespace estimates::report {

namespace {

constexpr int styleCount = int(Style::Small) + 1;

QFont styleFont(Style style)
{
    QFont f;
    f.setFamilies({QStringLiteral("Helvetica"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    // Plain glyphs: no kerning, and no ligatures, which would turn "ff"
    // into one glyph that a copied or searched text no longer matches.
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferNoShaping);
    switch (style) {
    case Style::Title:
        f.setPointSizeF(16);
        f.setBold(true);
        break;
    case Style::Subtitle: f.setPointSizeF(10); break;
    case Style::Heading:
        f.setPointSizeF(8.5);
        f.setBold(true);
        break;
    case Style::Body: f.setPointSizeF(9); break;
    case Style::Bold:
        f.setPointSizeF(9);
        f.setBold(true);
        break;
    case Style::Note:
        f.setPointSizeF(8.5);
        f.setItalic(true);
        break;
    case Style::Small: f.setPointSizeF(7.5); break;
    }
    return f;
}

QColor styleColor(Style style)
{
    switch (style) {
    case Style::Note:
    case Style::Small: return QColor(90, 90, 90);
    default: return Qt::black;
    }
}

// Widths in points, measured once per style at a fine resolution, so that
// the lines a band is built with fit on any device it is painted on.
class Measure {
public:
    Measure()
    {
        QImage fine(1, 1, QImage::Format_ARGB32);
        fine.setDotsPerMeterX(qRound(measureDpi / 0.0254));
        fine.setDotsPerMeterY(qRound(measureDpi / 0.0254));
        for (int s = 0; s < styleCount; ++s)
            metrics_.emplace_back(styleFont(Style(s)), &fine);
        scale_ = 72.0 / fine.logicalDpiY();
    }
    double width(const QString& text, Style style) const
    {
        return metrics_[std::size_t(style)].horizontalAdvance(text) * scale_;
    }

private:
    static constexpr double measureDpi = 600;
    std::vector<QFontMetricsF> metrics_;
    double scale_ = 1;
};

const Measure& measure()
{
    static const Measure m;
    return m;
}

bool breaksAfter(QChar c)
{
    return c == QLatin1Char('@') || c == QLatin1Char('.') || c == QLatin1Char('/') || c == QLatin1Char('-') ||
           c == QLatin1Char('_');
}

// Splits a word wider than `width` into pieces that fit.
QStringList breakWord(const QString& word, double width, Style style)
{
    const Measure& m = measure();
    QStringList pieces;
    QString rest = word;
    while (!rest.isEmpty() && m.width(rest, style) > width) {
        // The longest head that fits, at least one character.
        qsizetype fit = 1;
        while (fit < rest.size() && m.width(rest.left(fit + 1), style) <= width)
            ++fit;
        // Back to a natural break in the second half of that head, if any.
        qsizetype cut = fit;
        for (qsizetype i = fit; i > fit / 2; --i)
            if (breaksAfter(rest.at(i - 1))) {
                cut = i;
                break;
            }
        pieces << rest.left(cut);
        rest = rest.mid(cut);
    }
    if (!rest.isEmpty())
        pieces << rest;
    return pieces;
}

// A little room to spare: glyph widths differ slightly between devices.
constexpr double spare = 0.96;

}  // namespace

double textWidth(const QString& text, Style style) { return measure().width(text, style); }

double widthFor(const QString& text, Style style) { return std::ceil(textWidth(text, style) / spare + 0.5); }

QStringList wrapLines(const QString& text, double width, Style style)
{
    const double room = width * spare;
    const Measure& m = measure();
    QStringList lines;
    QString line;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& word : text.split(blanks, Qt::SkipEmptyParts)) {
        const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (m.width(joined, style) <= room) {
            line = joined;
            continue;
        }
        if (!line.isEmpty())
            lines << line;
        line.clear();
        QStringList pieces = breakWord(word, room, style);
        line = pieces.takeLast();
        lines << pieces;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

Band& Band::text(double left, double top, double width, const QString& text, Align align, Style style)
{
    if (!text.isEmpty())
        texts_.push_back({QRectF(left, top, width, lineHeight), text, align, style});
    return *this;
}

int Band::wrappedText(double left, double top, double width, const QString& text, Align align, Style style)
{
    const QStringList lines = wrapLines(text, width, style);
    for (qsizetype i = 0; i < lines.size(); ++i)
        texts_.push_back({QRectF(left, top + double(i) * lineHeight, width, lineHeight), lines[i], align, style, true});
    return int(lines.size());
}

Band& Band::figure(double left, double top, double width, const QString& text, Align align, Style style)
{
    if (!text.isEmpty())
        texts_.push_back({QRectF(left, top, width, lineHeight), text, align, style, true});
    return *this;
}

Band& Band::rule(double top, double left, double width, double thickness)
{
    rules_.push_back({left, top, width < 0 ? bodyWidth - left : width, thickness});
    return *this;
}

Report::Report(QString title) : title_(std::move(title)) {}

void Report::addDetail(Band band) { entries_.push_back({Kind::Detail, std::move(band)}); }

void Report::beginGroup(Band header, Band continued)
{
    int index = -1;
    if (continued.height() > 0) {
        index = int(continued_.size());
        continued_.push_back(std::move(continued));
    }
    entries_.push_back({Kind::GroupHeader, std::move(header), index});
}

void Report::endGroup(Band footer) { entries_.push_back({Kind::GroupFooter, std::move(footer)}); }

std::vector<Report::Page> Report::layout() const
{
    std::vector<Page> pages;
    double y = 0;
    bool fresh = true;  // nothing but headings on the page yet
    const auto place = [&](const Band& band) {
        pages.back().push_back({&band, y});
        y += band.height();
    };
    const auto newPage = [&](int continuedIndex) {
        pages.emplace_back();
        y = 0;
        if (pages.size() == 1 && titleBand_.height() > 0)
            place(titleBand_);
        if (pageHeader_.height() > 0)
            place(pageHeader_);
        if (continuedIndex >= 0)
            place(continued_[std::size_t(continuedIndex)]);
        fresh = true;
    };

    newPage(-1);
    int openContinued = -1;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        double need = e.band.height();
        // A group header alone at the foot of a page says nothing.
        if (e.kind == Kind::GroupHeader && i + 1 < entries_.size())
            need += entries_[i + 1].band.height();
        if (!fresh && y + need > bodyHeight + 1e-6)
            newPage(e.kind == Kind::GroupHeader ? -1 : openContinued);
        place(e.band);
        fresh = false;
        if (e.kind == Kind::GroupHeader)
            openContinued = e.continued;
        else if (e.kind == Kind::GroupFooter)
            openContinued = -1;
    }
    return pages;
}

namespace {

// Draws bands on one device, converting points to device pixels.
class Painter {
public:
    Painter(QPainter& p, QPagedPaintDevice* device) : p_(p)
    {
        k_ = device->logicalDpiX() / 72.0;
        // Drawing starts at the printable area's corner; the writer's
        // points start at its own margins, whatever the device kept.
        const QRectF paintRect = device->pageLayout().paintRectPoints();
        dx_ = margin - paintRect.left();
        dy_ = margin - paintRect.top();
        fonts_.reserve(styleCount);
        metrics_.reserve(styleCount);
        for (int s = 0; s < styleCount; ++s) {
            fonts_.push_back(styleFont(Style(s)));
            metrics_.emplace_back(fonts_.back(), device);
        }
    }

    void band(const Band& band, double top)
    {
        for (const Band::Rule& r : band.rules()) {
            p_.setPen(QPen(Qt::black, r.thickness * k_));
            current_ = -1;  // the text pen must be set again
            const double y = (top + r.top + dy_) * k_;
            p_.drawLine(QPointF((r.left + dx_) * k_, y), QPointF((r.left + r.width + dx_) * k_, y));
        }
        for (const Band::Text& t : band.texts())
            text(t.box.translated(0, top), t.text, t.align, t.style, t.whole);
    }

    void text(const QRectF& box, const QString& text, Align align, Style style, bool whole = false)
    {
        const std::size_t s = std::size_t(style);
        if (current_ != int(s)) {
            p_.setFont(fonts_[s]);
            p_.setPen(styleColor(style));
            current_ = int(s);
        }
        const QFontMetricsF& fm = metrics_[s];
        const double width = box.width() * k_;
        QString shown = text;
        double advance = fm.horizontalAdvance(shown);
        if (!whole && advance > width + 0.5) {
            shown = fm.elidedText(text, Qt::ElideRight, width);
            advance = fm.horizontalAdvance(shown);
        }
        double x = (box.left() + dx_) * k_;
        if (align == Align::Right)
            x += width - advance;
        else if (align == Align::Center)
            x += (width - advance) / 2;
        p_.drawText(QPointF(x, (box.top() + dy_) * k_ + fm.ascent()), shown);
    }

    void resetPen() { current_ = -1; }

private:
    QPainter& p_;
    double k_ = 1;
    double dx_ = 0, dy_ = 0;
    std::vector<QFont> fonts_;
    std::vector<QFontMetricsF> metrics_;
    int current_ = -1;
};

}  // namespace

int paint(const Report& report, QPagedPaintDevice* device)
{
    if (!device)
        return 0;
    device->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(margin, margin, margin, margin), QPageLayout::Point));
    const std::vector<Report::Page> pages = report.layout();

    QPainter p;
    if (!p.begin(device))
        return 0;
    p.setRenderHint(QPainter::TextAntialiasing);
    Painter out(p, device);
    const QString count = QString::number(pages.size());
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (n > 0) {
            device->newPage();
            out.resetPen();
        }
        for (const Report::Placed& placed : pages[n])
            out.band(*placed.band, placed.top);

        Band footer(footerHeight);
        footer.rule(6, 0, -1, 0.4);
        QString left = report.title();
        if (!report.printedOn.isEmpty())
            left += QStringLiteral("    Printed ") + report.printedOn;
        footer.text(0, 9, bodyWidth * 0.7, left, Align::Left, Style::Small);
        footer.text(bodyWidth * 0.7, 9, bodyWidth * 0.3, QStringLiteral("Page %1 of %2").arg(n + 1).arg(count),
                    Align::Right, Style::Small);
        out.band(footer, bodyHeight);
    }
    p.end();
    return int(pages.size());
}

bool writePdf(const Report& report, const QString& fileName)
{
    QPdfWriter writer(fileName);
    writer.setTitle(report.title());
    writer.setCreator(QStringLiteral("Corvanel"));
    writer.setResolution(600);
    return paint(report, &writer) > 0;
}

std::int64_t cents(double amount)
{
    if (!std::isfinite(amount))
        return 0;
    const double scaled = std::round(amount * 100.0);
    constexpr double limit = 9.0e17;
    if (scaled > limit)
        return std::int64_t(limit);
    if (scaled < -limit)
        return -std::int64_t(limit);
    return std::int64_t(scaled);
}

QString moneyText(std::int64_t c)
{
    const bool negative = c < 0;
    const std::uint64_t a = negative ? std::uint64_t(0) - std::uint64_t(c) : std::uint64_t(c);
    const QString whole = QString::number(a / 100);
    QString grouped;
    grouped.reserve(whole.size() + whole.size() / 3 + 4);
    for (int i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += QLatin1Char(',');
        grouped += whole.at(i);
    }
    const int rest = int(a % 100);
    return (negative ? QStringLiteral("-") : QString()) + grouped + QLatin1Char('.') + QLatin1Char('0' + rest / 10) +
           QLatin1Char('0' + rest % 10);
}

QString figureText(double value)
{
    if (!std::isfinite(value))
        return {};
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 4);
    if (r.ec != std::errc())
        return {};
    std::string s(buf, r.ptr);
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0')
            s.pop_back();
        if (!s.empty() && s.back() == '.')
            s.pop_back();
    }
    if (s == "-0")
        s = "0";
    return QString::fromLatin1(s.c_str());
}

}  // namespace estimates::report
