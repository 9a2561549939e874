#include "calculatorwindow.h"

#include "inputreader.h"

#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/buttons.h"
#include "ui/helpicon.h"
#include "ui/combobox.h"
#include "ui/events.h"
#include "ui/platform.h"
#include "ui/tabstrip.h"
#include "ui/textbox.h"

#include <QAbstractButton>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace calculators {

QString transferHelpText()
{
    return QStringLiteral(
        "You can transfer any of the totals you want by Copying the desired total here and pasting in "
        "your bid sheet. Use Windows Copy-Paste command for the same. Shortcut key for Copy is {Ctrl+C} "
        "and for Paste is {Ctrl+V}");
}

QString overflowMessage()
{
    return QStringLiteral("The result is too large to calculate. Please check the figures entered.");
}

// ---------------------------------------------------------------- FrameBuilder

namespace {
// Wide enough to show a 15-digit result with its sign and point whole.
int boxWidth(const QWidget* box)
{
    return box->fontMetrics().horizontalAdvance(QStringLiteral("-14.5344418537486")) + 16;
}
}  // namespace

void fitBoxesToResults(QWidget* root, int keepBelow)
{
    const int fit = boxWidth(root);
    for (ui::TextBox* b : root->findChildren<ui::TextBox*>())
        if (b->maximumWidth() > keepBelow && b->maximumWidth() < fit)
            b->setFixedWidth(fit);
}

FrameBuilder::FrameBuilder(QWidget* frame) : frame_(frame), grid_(new QGridLayout(frame))
{
    grid_->setHorizontalSpacing(8);
    grid_->setVerticalSpacing(6);
}

ui::TextBox* FrameBuilder::textBox(const QString& name, bool output) const
{
    auto* box = new ui::TextBox(frame_, name);
    box->setFixedWidth(boxWidth(box));
    // Results are copied into the estimate, so they stay selectable text;
    // a lighter background tells them from the boxes to type into.
    if (output)
        box->setStyleSheet(QStringLiteral("QLineEdit { background: palette(window); }"));
    return box;
}

QLabel* FrameBuilder::label(const QString& text) const { return new QLabel(text, frame_); }

QPushButton* FrameBuilder::pushButton(const QString& name, const QString& caption) const
{
    return ui::namedButton(frame_, name, caption);
}

ui::TextBox* FrameBuilder::input(const QString& text, const QString& name, const QString& unit)
{
    return boxRow(text, name, unit, false);
}

ui::TextBox* FrameBuilder::output(const QString& text, const QString& name, const QString& unit)
{
    return boxRow(text, name, unit, true);
}

ui::TextBox* FrameBuilder::boxRow(const QString& text, const QString& name, const QString& unit, bool isOutput)
{
    grid_->addWidget(label(text), row_, 0);
    auto* box = textBox(name, isOutput);
    setFieldName(box, text);
    grid_->addWidget(box, row_, 1);
    if (!unit.isEmpty())
        grid_->addWidget(label(unit), row_, 2);
    ++row_;
    return box;
}

ui::ComboBox* FrameBuilder::combo(const QString& text, const QString& name,
                                  const QList<std::pair<QString, qint64>>& items)
{
    grid_->addWidget(label(text), row_, 0);
    auto* c = new ui::ComboBox(frame_, name);
    for (const auto& [itemText, data] : items)
        c->addItem(itemText, data);
    c->setMinimumWidth(boxWidth(c));
    grid_->addWidget(c, row_, 1);
    ++row_;
    return c;
}

QPushButton* FrameBuilder::button(const QString& name, const QString& caption)
{
    auto* b = pushButton(name, caption);
    grid_->addWidget(b, row_, 1);
    ++row_;
    return b;
}

QLabel* FrameBuilder::note(const QString& text)
{
    auto* l = label(text);
    l->setWordWrap(true);
    grid_->addWidget(l, row_, 0, 1, -1);
    ++row_;
    return l;
}

void FrameBuilder::separator()
{
    auto* line = new QFrame(frame_);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid_->addWidget(line, row_, 0, 1, -1);
    ++row_;
}

void FrameBuilder::finish()
{
    grid_->setRowStretch(row_, 1);
    grid_->setColumnStretch(grid_->columnCount(), 1);
}

// ------------------------------------------------------------ CalculatorWindow

CalculatorWindow::CalculatorWindow(const QString& formName, QList<Tab> tabs, int helpContext)
    : ui::Form(formName), tabs_(std::move(tabs))
{
    setHelpContextId(helpContext);
}

std::optional<double> CalculatorWindow::asin(double x)
{
    if (!(x > -1 && x < 1))
        return std::nullopt;
    return std::atan(x / std::sqrt(1 - x * x));
}

void CalculatorWindow::createControls()
{
    map_.clear();
    fixedWidth_ = fixedHeight_ = 0;
    setCaption(QStringLiteral("Calculators"));

    QWidget* area = client();
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);

    TabStrip1 = new ui::TabStrip(area, QStringLiteral("TabStrip1"));
    for (const Tab& tab : tabs_)
        TabStrip1->addTab(tab.caption, tab.toolTip.isEmpty() ? tab.caption : tab.toolTip);
    layout->addWidget(TabStrip1, 1);
    connect(TabStrip1.data(), &ui::TabStrip::tabClicked, this, ui::guard([this](int index) { onTabClicked(index); }));

    auto* bottom = new QHBoxLayout;
    cmdHelpMain = addHelpButton(area, QStringLiteral("cmdHelpMain"), transferHelpText());
    lblHowToTransfer = new QLabel(QStringLiteral("How to Transfer?"), area);
    lblHowToTransfer->setObjectName(QStringLiteral("lblHowToTransfer"));
    Command2 = new QPushButton(QStringLiteral("Close"), area);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);
    Command2->setMinimumWidth(90);
    bottom->addWidget(cmdHelpMain);
    bottom->addWidget(lblHowToTransfer);
    bottom->addStretch(1);
    bottom->addWidget(Command2);
    layout->addLayout(bottom);
    ui::onClick(Command2.data(), [this] { unload(); });
    // Escape closes the window as Close does.
    setEscapeAction([this] { unload(); });

    createFrames();

    if (fixedWidth_ > 0 && fixedHeight_ > 0) {
        setClientSize(fixedWidth_, fixedHeight_);
    } else {
        // Fit the largest frame; the tab bar scrolls when its tabs are wider.
        layout->activate();
        QSize size = layout->sizeHint();
        const int tabsWidth = TabStrip1->tabBar()->sizeHint().width();
        const int framesWidth = TabStrip1->findChild<QStackedWidget*>()->sizeHint().width();
        const int margins = layout->contentsMargins().left() + layout->contentsMargins().right();
        size.setWidth(std::max({framesWidth + margins, std::min(tabsWidth + margins, 900), 480}));
        area->setFixedSize(size);
        if (auto* w = window())
            w->adjustSize();
    }
}

void CalculatorWindow::Form_Load() { shell::frmMainMenu().StartUp(*this); }

void CalculatorWindow::setWindowSize(double widthTwips, double heightTwips)
{
    fixedWidth_ = widthTwips;
    fixedHeight_ = heightTwips;
}

QGroupBox* CalculatorWindow::newFrame(const QString& name, const QString& caption)
{
    auto* frame = new QGroupBox(caption);
    frame->setObjectName(name);
    TabStrip1->addFrame(frame);
    return frame;
}

void CalculatorWindow::mapWhich(int which, QWidget* frame, std::function<void()> then)
{
    map_.insert(which, Mapping{frame, std::move(then)});
}

void CalculatorWindow::showOnly(QWidget* frame)
{
    if (TabStrip1)
        TabStrip1->showFrame(frame);
}

void CalculatorWindow::Unloadall()
{
    if (TabStrip1)
        TabStrip1->hideFrames();
}

void CalculatorWindow::Showframe()
{
    load();
    if (!isLoaded())
        return;
    Unloadall();
    // Unloadall may close other windows, never this one; still, keep to
    // what is loaded.
    if (!TabStrip1)
        return;
    syncTabs();
    auto it = map_.constFind(Which);
    if (it == map_.constEnd())
        return;
    const Mapping m = it.value();
    if (m.frame)
        TabStrip1->showFrame(m.frame);
    if (m.then)
        m.then();
}

void CalculatorWindow::syncTabs()
{
    // Silent: the tab strip reports only the user's clicks.
    if (TabStrip1)
        TabStrip1->setSelectedIndex(Which);
}

void CalculatorWindow::onTabClicked(int index)
{
    Which = index;
    Showframe();
}

QWidget* CalculatorWindow::visibleFrame() const { return TabStrip1 ? TabStrip1->visibleFrame() : nullptr; }

bool CalculatorWindow::isFrameVisible(const QString& frameName) const
{
    QWidget* f = visibleFrame();
    return f && f->objectName() == frameName;
}

QWidget* CalculatorWindow::control(const QString& name) const
{
    if (!isLoaded())
        return nullptr;
    auto* self = const_cast<CalculatorWindow*>(this);
    return self->client()->findChild<QWidget*>(name);
}

ui::TextBox* CalculatorWindow::textBox(const QString& name) const { return qobject_cast<ui::TextBox*>(control(name)); }

ui::ComboBox* CalculatorWindow::comboBox(const QString& name) const
{
    return qobject_cast<ui::ComboBox*>(control(name));
}

QAbstractButton* CalculatorWindow::button(const QString& name) const
{
    return qobject_cast<QAbstractButton*>(control(name));
}

QToolButton* CalculatorWindow::addHelpButton(QWidget* parent, const QString& name, const QString& text)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(ui::helpIcon());
    b->setIconSize(QSize(20, 20));
    b->setAutoRaise(false);
    b->setToolTip(QStringLiteral("Help"));
    ui::onClick(b, [text] { shell::speakHelp(text); });
    return b;
}

bool CalculatorWindow::writeResults(std::initializer_list<std::pair<ui::TextBox*, double>> results)
{
    return writeResults(QList<std::pair<ui::TextBox*, double>>(results));
}

bool CalculatorWindow::writeResults(const QList<std::pair<ui::TextBox*, double>>& results)
{
    for (const auto& r : results)
        if (!std::isfinite(r.second)) {
            ui::msgBox(overflowMessage());
            return false;
        }
    for (const auto& [box, value] : results)
        if (box) {
            box->setNumber(value);
            box->setCursorPosition(0);  // a long result shows from its start
        }
    return true;
}

}  // namespace calculators
