#pragma once
// A small banded report writer. A report is a title block, a page header
// repeated on every page, and a run of bands (details, group headers and
// group footers) that the writer lays out onto Letter pages, each with a
// footer giving the page number of the whole ("Page 2 of 5"). Bands never
// split across pages; a group header stays with the band after it, and a
// group that runs onto a new page starts that page with its continuation
// band (the column headings again).
//
// Everything is measured in points (1/72 inch) from the top left corner of
// the printable area. The layout is worked out first, without a device, so
// that page numbers are known before the first page is painted; painting
// then draws each text once. Values of unknown length are wrapped within
// their column when the band is built (wrappedText), so the band grows and
// nothing is cut off. Figures are never cut either: a report measures them
// (widthFor) and makes their columns wide enough. Only a fixed text that
// would not fit is clipped with an ellipsis, as a last resort.

#include <QList>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <vector>

class QPagedPaintDevice;

namespace estimates::report {

// Letter paper, portrait, half-inch margins.
inline constexpr double pageWidth = 612;
inline constexpr double pageHeight = 792;
inline constexpr double margin = 36;
inline constexpr double bodyWidth = pageWidth - 2 * margin;  // 540
inline constexpr double footerHeight = 22;
inline constexpr double bodyHeight = pageHeight - 2 * margin - footerHeight;
// One line of body text, as the old reports stacked their fields (288 twips).
inline constexpr double lineHeight = 14.4;

enum class Align { Left, Right, Center };
enum class Style {
    Title,     // the report's name at the top of the first page
    Subtitle,  // under the title
    Heading,   // column headings and labels
    Body,      // field values
    Bold,      // totals
    Note,      // placeholders such as a deleted name
    Small,     // the page footer
};

class Band {
public:
    explicit Band(double height = 0) : height_(height) {}

    // A text in the box [left, left + width] whose top is `top`.
    Band& text(double left, double top, double width, const QString& text, Align align = Align::Left,
               Style style = Style::Body);
    // The text broken into lines that fit the box (see wrapLines), stacked
    // lineHeight apart from `top`. Returns the number of lines, 0 for an
    // empty text; the caller makes the band tall enough for them.
    int wrappedText(double left, double top, double width, const QString& text, Align align = Align::Left,
                    Style style = Style::Body);
    // A figure (an amount, a quantity, a number) in the box. It is always
    // printed whole: the report gives it a box at least widthFor wide, and
    // one that still does not fit runs out of its box.
    Band& figure(double left, double top, double width, const QString& text, Align align = Align::Right,
                 Style style = Style::Body);
    // A horizontal rule at `top` from `left` over `width` (negative: to the
    // right margin).
    Band& rule(double top, double left = 0, double width = -1, double thickness = 0.6);

    double height() const { return height_; }
    void setHeight(double h) { height_ = h; }
    bool isEmpty() const { return texts_.empty() && rules_.empty(); }

    struct Text {
        QRectF box;
        QString text;
        Align align;
        Style style;
        bool whole = false;  // a wrapped line or a figure: never elided
    };
    struct Rule {
        double left, top, width, thickness;
    };
    const std::vector<Text>& texts() const { return texts_; }
    const std::vector<Rule>& rules() const { return rules_; }

private:
    double height_;
    std::vector<Text> texts_;
    std::vector<Rule> rules_;
};

class Report {
public:
    explicit Report(QString title);

    // The report's name: the footer of every page carries it.
    const QString& title() const { return title_; }
    // The date the footer names as the printing date ("MM/dd/yyyy").
    QString printedOn;

    // Printed once, at the top of the first page.
    void setTitleBand(Band band) { titleBand_ = std::move(band); }
    // Printed at the top of every page (under the title band on page 1).
    void setPageHeader(Band band) { pageHeader_ = std::move(band); }

    void addDetail(Band band);
    // Opens a group: its header, kept with the band that follows it, and
    // the band that starts each further page of the group.
    void beginGroup(Band header, Band continued = Band());
    // Closes the open group with its footer.
    void endGroup(Band footer);

    // Where each band goes. Pages are numbered from 0 here.
    struct Placed {
        const Band* band;
        double top;
    };
    using Page = std::vector<Placed>;
    std::vector<Page> layout() const;

private:
    enum class Kind { Detail, GroupHeader, GroupFooter };
    struct Entry {
        Kind kind;
        Band band;
        int continued = -1;  // group headers: index into continued_
    };

    QString title_;
    Band titleBand_;
    Band pageHeader_;
    std::vector<Entry> entries_;
    std::vector<Band> continued_;
};

// `text` as lines no wider than `width` points in `style`: words stay whole
// where they fit; a word wider than the column (an e-mail or web address,
// say) is broken, after a '@', '.', '/', '-' or '_' where it can be. The
// lines, put back together, are the text (blanks between words aside).
QStringList wrapLines(const QString& text, double width, Style style);

// The width of `text` printed in `style`, in points.
double textWidth(const QString& text, Style style);
// The narrowest box that holds `text` in `style` on any device, with the
// same room to spare that wrapLines keeps.
double widthFor(const QString& text, Style style);

// Paints the report on `device`, which it sets to Letter portrait with the
// writer's margins (a print preview's printer or a PDF writer). Returns
// the number of pages.
int paint(const Report& report, QPagedPaintDevice* device);

// Writes the report as a PDF file; false when the file cannot be written.
bool writePdf(const Report& report, const QString& fileName);

// Amounts are printed, added and totalled in whole cents, so that a total
// is always the sum of the figures printed above it.
std::int64_t cents(double amount);
// "1,234.50"; negative amounts with a leading "-".
QString moneyText(std::int64_t cents);
// A quantity or a percentage: up to four decimals, no trailing zeros.
QString figureText(double value);

}  // namespace estimates::report
