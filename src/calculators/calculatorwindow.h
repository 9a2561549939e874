#pragma once
// The frame the four calculator windows share: a tab strip across the top,
// one frame per calculator below it (a frame may serve several tabs), and a
// bottom row with the "How to Transfer?" help and the Close button.
//
// `Which` is the tab position of the calculator to show. The main menu sets
// it and calls Showframe; a click on a tab sets it and calls Showframe too.
// A window maps each Which value to a frame and/or an action (the Group 1
// window starts a program or opens another window for two of its tabs).
//
// Every Compute button reads its boxes through InputReader (inputreader.h),
// which refuses a box that does not hold a figure it may hold, and writes
// through writeResults(), so that a result that leaves the double range is
// reported once and the boxes keep what they showed, and no box ever reads
// "inf" or "nan". Escape closes the window as Close does.

#include "calcnumbers.h"
#include "ui/form.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

class QAbstractButton;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

namespace ui {
class ComboBox;
class TabStrip;
class TextBox;
}  // namespace ui

namespace calculators {

// Spoken by every window's "How to Transfer?" button.
QString transferHelpText();

// The one message for a result beyond the double range.
QString overflowMessage();

// Widens every text box under `root` that is wider than `keepBelow` pixels
// so that a 15-digit result with its sign shows whole, whatever the font.
void fitBoxesToResults(QWidget* root, int keepBelow);

// Lays out one calculator frame (or any container) as rows of
// label | box | unit on a grid. Columns: 0 label, 1 box, 2 unit; more
// columns may be used through grid() for frames with a layout of their own.
class FrameBuilder {
public:
    // Installs a grid layout on `frame` (which must have none yet).
    explicit FrameBuilder(QWidget* frame);

    QWidget* frame() const { return frame_; }
    QGridLayout* grid() const { return grid_; }
    int row() const { return row_; }
    void nextRow() { ++row_; }
    void setRow(int row) { row_ = row; }

    // One row each: label, a text box named `name`, an optional unit label.
    // Messages about the box name it by that label (setFieldName).
    // Inputs are typed by the user; outputs are written by Compute (they
    // stay editable, as the old boxes were, so their text can be copied).
    ui::TextBox* input(const QString& label, const QString& name, const QString& unit = {});
    ui::TextBox* output(const QString& label, const QString& name, const QString& unit = {});
    // A labelled drop-down list; each item is (text, item data). Nothing is
    // selected afterwards.
    ui::ComboBox* combo(const QString& label, const QString& name, const QList<std::pair<QString, qint64>>& items);
    // A push button in the box column, on its own row.
    QPushButton* button(const QString& name, const QString& caption = QStringLiteral("Compute"));
    // A text spanning the row (a heading or a note).
    QLabel* note(const QString& text);
    // A horizontal line across the frame.
    void separator();
    // Pushes the rows up (call once, after the last row).
    void finish();

    // Loose controls for custom rows, parented to the frame.
    ui::TextBox* textBox(const QString& name, bool output = false) const;
    QLabel* label(const QString& text) const;
    QPushButton* pushButton(const QString& name, const QString& caption) const;

private:
    ui::TextBox* boxRow(const QString& text, const QString& name, const QString& unit, bool isOutput);

    QWidget* frame_;
    QGridLayout* grid_;
    int row_ = 0;
};

class CalculatorWindow : public ui::Form {
    Q_OBJECT
public:
    // One tab of the strip.
    struct Tab {
        QString caption;
        QString toolTip;  // empty: the caption
    };

    // The calculator to show: its tab position, 1-based.
    int Which = 0;

    // Unloadall, then shows the frame (and runs the action) that Which maps
    // to; a Which with no mapping leaves every frame hidden. Loads the
    // window first when it is not loaded. The tab strip is then brought in
    // line with Which, silently.
    void Showframe();
    // Hides every calculator frame. The Group 1 window also closes other
    // windows first.
    virtual void Unloadall();

    // Arcsine as the old windows offered it, Atn(x / Sqr(1 - x * x)) in
    // radians; nothing outside -1 < x < 1.
    static std::optional<double> asin(double x);

    // Controls of the loaded window (null when it is not loaded).
    QPointer<ui::TabStrip> TabStrip1;
    QPointer<QPushButton> Command2;     // "Close"
    QPointer<QToolButton> cmdHelpMain;  // the picture button beside "How to Transfer?"
    QPointer<QLabel> lblHowToTransfer;

    // The frame shown now, null when none.
    QWidget* visibleFrame() const;
    bool isFrameVisible(const QString& frameName) const;

    // Finds a control of the loaded window by its objectName (frames, boxes,
    // buttons, combos); null when there is none or the window is not loaded.
    QWidget* control(const QString& name) const;
    ui::TextBox* textBox(const QString& name) const;
    ui::ComboBox* comboBox(const QString& name) const;
    QAbstractButton* button(const QString& name) const;

protected:
    // helpContext: the help topic F1 opens for the window.
    CalculatorWindow(const QString& formName, QList<Tab> tabs, int helpContext);

    // Builds the window's calculator frames with newFrame and maps the
    // Which values with mapWhich. Called at each load, after the tab strip
    // and the bottom row exist.
    virtual void createFrames() = 0;

    // A calculator frame in the tab strip's frame area, hidden until shown.
    // An empty caption gives a frame without a title.
    QGroupBox* newFrame(const QString& name, const QString& caption = {});
    // What Showframe does for `which`: show `frame` (may be null for none),
    // then run `then` (may be empty).
    void mapWhich(int which, QWidget* frame, std::function<void()> then = {});
    // Shows one frame in place of any other, without Unloadall.
    void showOnly(QWidget* frame);

    // A picture button named `name` in `parent` that speaks `text` through
    // the assistant when clicked.
    QToolButton* addHelpButton(QWidget* parent, const QString& name, const QString& text);

    // Writes every result as the default number text, but only when all of
    // them are finite; otherwise shows overflowMessage() once, writes
    // nothing, and returns false.
    bool writeResults(std::initializer_list<std::pair<ui::TextBox*, double>> results);
    bool writeResults(const QList<std::pair<ui::TextBox*, double>>& results);

    // The client area's size in twips. By default the window fits its
    // frames; a window may fix it in createFrames.
    void setWindowSize(double widthTwips, double heightTwips);

    // Caption "Calculators"; builds the tab strip and the bottom row, then
    // createFrames.
    void createControls() final;
    // Places the window through the main window's StartUp. Windows that
    // override it call this first.
    void Form_Load() override;

private:
    void onTabClicked(int index);
    void syncTabs();

    QList<Tab> tabs_;
    struct Mapping {
        QPointer<QWidget> frame;
        std::function<void()> then;
    };
    QMap<int, Mapping> map_;
    double fixedWidth_ = 0;
    double fixedHeight_ = 0;
};

}  // namespace calculators
