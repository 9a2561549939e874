#include "frmscientific.h"

#include "shell/mainmenu.h"
#include "ui/events.h"
#include "ui/forms.h"
#include "ui/platform.h"
#include "ui/textbox.h"
#include "ui/twips.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

namespace calculators {

namespace {

using Click = void (*)(FrmScientific&, int);

// One keypad key: where it sits in the scientific and in the standard
// layout (row and column of the key grid; -1 for a key the standard
// layout leaves out).
struct KeySpec {
    const char* array;
    int index;  // -1: a key of its own, not part of an array
    const char16_t* caption;
    Click click;
    int row, column;
    int standardRow, standardColumn;
    bool wide = false;
};

void digit(FrmScientific& f, int i) { f.Command1_Click(i); }
void oper(FrmScientific& f, int i) { f.Command2_Click(i); }
void trig(FrmScientific& f, int i) { f.Command5_Click(i); }
void func(FrmScientific& f, int i) { f.Command6_Click(i); }
void mem(FrmScientific& f, int i) { f.Command7_Click(i); }
void list(FrmScientific& f, int i) { f.Command8_Click(i); }
void cons(FrmScientific& f, int i) { f.Command9_Click(i); }
void logs(FrmScientific& f, int i) { f.Command10_Click(i); }
void logic(FrmScientific& f, int i) { f.Command12_Click(i); }
void clearKey(FrmScientific& f, int) { f.Command3_Click(); }
void allClearKey(FrmScientific& f, int) { f.Command4_Click(); }
void backKey(FrmScientific& f, int) { f.Command11_Click(); }
void exitKey(FrmScientific& f, int) { f.Command13_Click(); }
void signKey(FrmScientific& f, int) { f.Command14_Click(); }

const KeySpec keySpecs[] = {
    // row 1
    {"Command5", 0, u"sin", trig, 0, 0, -1, -1},
    {"Command5", 1, u"cos", trig, 0, 1, -1, -1},
    {"Command5", 2, u"tan", trig, 0, 2, -1, -1},
    {"Command5", 3, u"asin", trig, 0, 3, -1, -1},
    {"Command5", 4, u"acos", trig, 0, 4, -1, -1},
    {"Command5", 5, u"atan", trig, 0, 5, -1, -1},
    {"Command11", -1, u"Back", backKey, 0, 6, 0, 0},
    {"Command3", -1, u"C", clearKey, 0, 7, 0, 1},
    {"Command4", -1, u"AC", allClearKey, 0, 8, 0, 2},
    {"Command13", -1, u"EXIT", exitKey, 0, 9, 0, 3},
    // row 2
    {"Command1", 1, u"1", digit, 1, 0, 1, 0},
    {"Command1", 2, u"2", digit, 1, 1, 1, 1},
    {"Command1", 3, u"3", digit, 1, 2, 1, 2},
    {"Command2", 0, u"+", oper, 1, 3, 1, 3},
    {"Command2", 1, u"-", oper, 1, 4, 1, 4},
    {"Command10", 2, u"e(x]", logs, 1, 5, -1, -1},
    {"Command10", 0, u"ln", logs, 1, 6, -1, -1},
    {"Command7", 0, u"M +", mem, 1, 7, 1, 5},
    {"Command7", 1, u"M -", mem, 1, 8, 2, 5},
    {"Command12", 0, u"AND", logic, 1, 9, -1, -1},
    // row 3
    {"Command1", 4, u"4", digit, 2, 0, 2, 0},
    {"Command1", 5, u"5", digit, 2, 1, 2, 1},
    {"Command1", 6, u"6", digit, 2, 2, 2, 2},
    {"Command2", 2, u"/", oper, 2, 3, 2, 3},
    {"Command2", 3, u"*", oper, 2, 4, 2, 4},
    {"Command10", 1, u"log", logs, 2, 5, -1, -1},
    {"Command2", 5, u"ncr", oper, 2, 6, -1, -1},
    {"Command7", 2, u"M *", mem, 2, 7, 3, 5},
    {"Command7", 3, u"M /", mem, 2, 8, 4, 5},
    {"Command12", 1, u"OR", logic, 2, 9, -1, -1},
    // row 4
    {"Command1", 7, u"7", digit, 3, 0, 3, 0},
    {"Command1", 8, u"8", digit, 3, 1, 3, 1},
    {"Command1", 9, u"9", digit, 3, 2, 3, 2},
    {"Command2", 6, u"%", oper, 3, 3, 3, 3},
    {"Command14", -1, u"\u00b1", signKey, 3, 4, 3, 4},
    {"Command6", 4, u"n !", func, 3, 5, -1, -1},
    {"Command2", 7, u"npr", oper, 3, 6, -1, -1},
    {"Command7", 4, u"MR", mem, 3, 7, 0, 4},
    {"Command7", 5, u"MC", mem, 3, 8, 0, 5},
    {"Command12", 2, u"NOT", logic, 3, 9, -1, -1},
    // row 5
    {"Command1", 0, u"0", digit, 4, 0, 4, 0},
    {"Command1", 11, u"00", digit, 4, 1, 4, 1},
    {"Command1", 10, u".", digit, 4, 2, 4, 2},
    {"Command6", 0, u"1/ X", func, 4, 3, 4, 3},
    {"Command6", 1, u"X \u00b2", func, 4, 4, -1, -1},
    {"Command6", 8, u"X \u00b3", func, 4, 5, -1, -1},
    {"Command2", 8, u"xPOy", oper, 4, 6, -1, -1},
    {"Command8", 0, u"push", list, 4, 7, -1, -1},
    {"Command8", 3, u"copy", list, 4, 8, -1, -1},
    {"Command8", 2, u"del", list, 4, 9, -1, -1},
    // row 6
    {"Command9", 0, u"Rnd", cons, 5, 0, -1, -1},
    {"Command9", 1, u"pi", cons, 5, 1, -1, -1},
    {"Command9", 2, u"e", cons, 5, 2, -1, -1},
    {"Command9", 3, u"g", cons, 5, 3, -1, -1},
    {"Command9", 4, u"h", cons, 5, 4, -1, -1},
    {"Command6", 2, u"Sq[x]", func, 5, 5, 4, 4},
    {"Command8", 1, u"View", list, 5, 6, -1, -1},
    {"Command2", 4, u"=", oper, 5, 7, 5, 3, true},
};

QString keyName(const KeySpec& k)
{
    const QString array = QString::fromLatin1(k.array);
    return k.index < 0 ? array : array + QLatin1Char('_') + QString::number(k.index);
}

// Keypad geometry in twips: every key 495 by 375, "=" as wide as three keys
// with their gaps.
constexpr double keyWidth = 495;
constexpr double keyHeight = 375;
constexpr double wideKeyWidth = 1725;
constexpr double columnPitch = 615;
constexpr double rowPitch = 435;
constexpr double padLeft = 120;
constexpr double padTop = 360;
constexpr double padRight = 120;
constexpr double padBottom = 105;
constexpr double margin = 75;
constexpr double displayTop = 105;
constexpr double displayHeight = 375;
constexpr double angleTop = 540;
constexpr double angleHeight = 600;
constexpr double rows = 6;

double keypadWidth(int columns) { return padLeft + (columns - 1) * columnPitch + keyWidth + padRight; }
double keypadHeight() { return padTop + (rows - 1) * rowPitch + keyHeight + padBottom; }

}  // namespace

FrmScientific::FrmScientific() : ui::Form(QStringLiteral("scientific")) {}

FrmScientific::~FrmScientific() = default;

QPushButton* FrmScientific::key(const QString& objectName) const { return keys_.value(objectName); }

void FrmScientific::createControls()
{
    setCaption(QStringLiteral("# Scientific Calc #"));
    setHelpContextId(helpContext);
    standard_ = false;
    QWidget* c = client();

    Label2 = new QLabel(QStringLiteral("0."), c);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2->setFrameShape(QFrame::Panel);
    Label2->setFrameShadow(QFrame::Sunken);
    Label2->setToolTip(QStringLiteral("The display"));

    Text1 = new ui::TextBox(c, QStringLiteral("Text1"));
    Text1->setAlignment(Qt::AlignRight);
    // Keys and the Edit menu change the display; typing goes through the
    // calculator, never straight into the box.
    Text1->setReadOnly(true);
    Text1->setAccessibleName(QStringLiteral("Display"));
    QFont big = Text1->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    big.setBold(true);
    Text1->setFont(big);
    Text1->setText(engine.display());

    Frame3 = new QGroupBox(QStringLiteral("angle"), c);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    const char16_t* units[] = {u"deg", u"rad", u"grd"};
    for (int i = 0; i < 3; ++i) {
        Option2[i] = new QRadioButton(QString::fromUtf16(units[i]), Frame3);
        Option2[i]->setObjectName(QStringLiteral("Option2_%1").arg(i));
        Option2[i]->setGeometry(ui::twipsRect(150 + i * 915, 285, 840, 255));
        ui::onClick(Option2[i].data(), [this, i] { Option2_Click(i); });
    }

    Label1 = new QLabel(c);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->setFrameShape(QFrame::Panel);
    Label1->setFrameShadow(QFrame::Sunken);
    Label1->setToolTip(QStringLiteral("The saved value chosen by View"));

    Frame1 = new QGroupBox(QStringLiteral("SCIENTIFIC"), c);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    buildKeypad();
    buildMenus();

    QObject::connect(Text1.data(), &QLineEdit::textChanged, Label2.data(), &QLabel::setText);
    // Escape closes the window as EXIT does.
    setEscapeAction([this] { Command13_Click(); });

    // The window sees every key first, whichever control has the focus.
    // The menus keep their own keys (the letters of their items).
    window()->installEventFilter(this);
    for (QWidget* w : window()->findChildren<QWidget*>()) {
        if (!qobject_cast<QMenuBar*>(w) && !qobject_cast<QMenu*>(w))
            w->installEventFilter(this);
    }

    arrange();
}

void FrmScientific::buildKeypad()
{
    keys_.clear();
    QFont keyFont = Frame1->font();
    keyFont.setPointSizeF(keyFont.pointSizeF() * 0.9);
    for (const KeySpec& k : keySpecs) {
        auto* b = new QPushButton(QString::fromUtf16(k.caption), Frame1);
        const QString name = keyName(k);
        b->setObjectName(name);
        b->setFont(keyFont);
        // The keys leave the focus where it is, so typed keys keep working.
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        if (k.index >= 0)
            b->setProperty("index", k.index);
        const Click click = k.click;
        const int index = k.index;
        ui::onClick(b, [this, click, index] { click(*this, index); });
        keys_.insert(name, b);
    }
    keys_.value(QStringLiteral("Command14"))->setAccessibleName(QStringLiteral("Change sign"));
    keys_.value(QStringLiteral("Command6_1"))->setAccessibleName(QStringLiteral("Square"));
    keys_.value(QStringLiteral("Command6_8"))->setAccessibleName(QStringLiteral("Cube"));
}

void FrmScientific::buildMenus()
{
    QMenuBar* bar = menuBar();
    const auto item = [this](QMenu* menu, const QString& name, const QString& text, void (FrmScientific::*slot)()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        ui::onTriggered(a, [this, slot] { (this->*slot)(); });
        return a;
    };

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("edit"));
    ecut = item(edit, QStringLiteral("ecut"), QStringLiteral("&Cut"), &FrmScientific::ecut_Click);
    ecopy = item(edit, QStringLiteral("ecopy"), QStringLiteral("C&opy"), &FrmScientific::ecopy_Click);
    epaste = item(edit, QStringLiteral("epaste"), QStringLiteral("&Paste"), &FrmScientific::epaste_Click);
    edit->addSeparator();
    eselectall =
        item(edit, QStringLiteral("eselectall"), QStringLiteral("Select &All"), &FrmScientific::eselectall_Click);
    edit->addSeparator();
    eexit = item(edit, QStringLiteral("eexit"), QStringLiteral("&Exit"), &FrmScientific::eexit_Click);

    QMenu* type = bar->addMenu(QStringLiteral("&Type"));
    type->setObjectName(QStringLiteral("type"));
    tstandard = item(type, QStringLiteral("tstandard"), QStringLiteral("S&tandard"), &FrmScientific::tstandard_Click);
    tscientific =
        item(type, QStringLiteral("tscientific"), QStringLiteral("S&cieintific"), &FrmScientific::tscientific_Click);
    auto* group = new QActionGroup(type);
    for (QAction* a : {tstandard.data(), tscientific.data()}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    tscientific->setChecked(true);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("help"));
    hcontents = item(help, QStringLiteral("hcontents"), QStringLiteral("&Contents"), &FrmScientific::hcontents_Click);
    help->addSeparator();
    habout = item(help, QStringLiteral("habout"), QStringLiteral("&About"), &FrmScientific::habout_Click);
}

void FrmScientific::arrange()
{
    const int columns = standard_ ? 6 : 10;
    const double padWidth = keypadWidth(columns);
    const double clientWidth = margin + padWidth + margin;
    const double padTopAt = standard_ ? angleTop : angleTop + angleHeight + margin;

    // The display row: the echo label at the left, the display at the right.
    const double labelWidth = standard_ ? 1215 : 1755;
    Label2->setGeometry(ui::twipsRect(margin, displayTop, labelWidth, displayHeight));
    const double textLeft = margin + labelWidth + margin;
    Text1->setGeometry(ui::twipsRect(textLeft, displayTop, clientWidth - margin - textLeft, displayHeight));

    // The angle unit and the viewed value belong to the scientific keys.
    Frame3->setVisible(!standard_);
    Label1->setVisible(!standard_);
    Frame3->setGeometry(ui::twipsRect(margin, angleTop, 2925, angleHeight));
    const double viewedLeft = margin + 2925 + 90;
    Label1->setGeometry(ui::twipsRect(viewedLeft, angleTop + 180, clientWidth - margin - viewedLeft, displayHeight));

    Frame1->setTitle(standard_ ? QStringLiteral("STANDARD") : QStringLiteral("SCIENTIFIC"));
    Frame1->setGeometry(ui::twipsRect(margin, padTopAt, padWidth, keypadHeight()));
    for (const KeySpec& k : keySpecs) {
        QPushButton* b = keys_.value(keyName(k));
        const int row = standard_ ? k.standardRow : k.row;
        const int column = standard_ ? k.standardColumn : k.column;
        b->setVisible(row >= 0);
        if (row < 0)
            continue;
        b->setGeometry(ui::twipsRect(padLeft + column * columnPitch, padTop + row * rowPitch,
                                     k.wide ? wideKeyWidth : keyWidth, keyHeight));
    }

    // With its menu bar and borders the scientific window comes out at about
    // the old 6540 by 4735 twips.
    setClientSize(clientWidth, padTopAt + keypadHeight() + displayTop);
}

void FrmScientific::Form_Load()
{
    shell::frmMainMenu().StartUp(*this);
    // Everything starts afresh with the window; the clipboard is left as it
    // is, it may carry a figure into an estimate.
    engine = ScientificEngine();
    engine.onMessage = [](const QString& text) { ui::msgBox(text); };
    Option2[ScientificEngine::Degrees]->setChecked(true);
    engine.setAngleUnit(ScientificEngine::Degrees);
    refresh();
    Text1->setFocus();
}

void FrmScientific::refresh()
{
    if (!Text1)
        return;
    if (Text1->text() != engine.display())
        Text1->setText(engine.display());
    Label1->setText(engine.viewed());
}

bool FrmScientific::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isLoaded()) {
        auto* e = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        if (!(e->modifiers() & chord) && e->text().size() == 1) {
            bool taken = false;
            ui::guarded([&] { taken = Form_KeyPress(e->text().at(0)); });
            if (taken)
                return true;
        }
    }
    return ui::Form::eventFilter(watched, event);
}

bool FrmScientific::Form_KeyPress(QChar key)
{
    const ScientificEngine::Typed typed = engine.typeKey(key);
    if (!typed.taken)
        return false;
    for (int i = 0; i < typed.beeps; ++i)
        QApplication::beep();
    refresh();
    return true;
}

// ------------------------------------------------------------------ keypad

void FrmScientific::Command1_Click(int index)
{
    engine.digitKey(index);
    refresh();
}

void FrmScientific::Command2_Click(int index)
{
    engine.operatorKey(index);
    refresh();
}

void FrmScientific::Command5_Click(int index)
{
    engine.trigKey(index);
    refresh();
}

void FrmScientific::Command6_Click(int index)
{
    engine.functionKey(index);
    refresh();
}

void FrmScientific::Command7_Click(int index)
{
    engine.memoryKey(index);
    refresh();
}

void FrmScientific::Command8_Click(int index)
{
    engine.listKey(index);
    refresh();
}

void FrmScientific::Command9_Click(int index)
{
    engine.constantKey(index);
    refresh();
}

void FrmScientific::Command10_Click(int index)
{
    engine.logKey(index);
    refresh();
}

void FrmScientific::Command12_Click(int) {}

void FrmScientific::Command3_Click()
{
    engine.clearKey();
    refresh();
}

void FrmScientific::Command4_Click()
{
    engine.allClear();
    refresh();
}

void FrmScientific::Command11_Click()
{
    engine.backKey();
    refresh();
}

void FrmScientific::Command13_Click() { unload(); }

void FrmScientific::Command14_Click()
{
    engine.signKey();
    refresh();
}

void FrmScientific::Option2_Click(int index) { engine.setAngleUnit(index); }

// -------------------------------------------------------------------- menus

void FrmScientific::ecopy_Click()
{
    if (!Text1)
        return;
    ui::platform().clearClipboard();
    ui::platform().setClipboardText(Text1->selectedText());
}

void FrmScientific::ecut_Click()
{
    if (!Text1)
        return;
    const QString selected = Text1->selectedText();
    const int start = Text1->selectionStart();
    ui::platform().clearClipboard();
    ui::platform().setClipboardText(selected);
    if (!selected.isEmpty())
        engine.cut(start, int(selected.size()));
    refresh();
}

void FrmScientific::epaste_Click()
{
    engine.paste(ui::platform().clipboardText());
    refresh();
}

void FrmScientific::eselectall_Click()
{
    ui::platform().clearClipboard();
    ui::platform().setClipboardText(engine.display());
}

void FrmScientific::eexit_Click() { unload(); }

void FrmScientific::setStandard(bool standard)
{
    if (tstandard)
        tstandard->setChecked(standard);
    if (tscientific)
        tscientific->setChecked(!standard);
    if (standard_ == standard || !Frame1)
        return;
    standard_ = standard;
    arrange();
}

void FrmScientific::tstandard_Click() { setStandard(true); }

void FrmScientific::tscientific_Click() { setStandard(false); }

void FrmScientific::hcontents_Click() { shell::frmMainMenu().showHelpContext(helpContext); }

void FrmScientific::habout_Click()
{
    ui::msgBox(QStringLiteral("Corvanel\nVersion 2.0"), ui::Buttons::Ok, QStringLiteral("About Corvanel"));
}

void FrmScientific::showOwnedBy(QWidget* owner)
{
    show();
    QWidget* w = window();
    if (!w || !owner)
        return;
    // Kept above its owner without tying the two windows' lives together:
    // the owner closes this one itself when it goes.
    if (w->windowHandle() && owner->window()->windowHandle())
        w->windowHandle()->setTransientParent(owner->window()->windowHandle());
}

}  // namespace calculators
