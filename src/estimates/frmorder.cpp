#include "frmorder.h"
#include "areacalc.h"
#include "frmlist.h"
#include "ordertotals.h"

#include "data/connection.h"
#include "data/conversions.h"
#include "data/dberror.h"
#include "data/recordset.h"
#include "masters/clscustomer.h"
#include "masters/frmcustomer.h"
#include "shell/mainmenu.h"
#include "ui/busycursor.h"
#include "ui/buttons.h"
#include "ui/helpicon.h"
#include "ui/combobox.h"
#include "ui/datepicker.h"
#include "ui/events.h"
#include "ui/forms.h"
#include "ui/modellistview.h"
#include "ui/platform.h"
#include "ui/popupmenu.h"
#include "ui/richtextbox.h"
#include "ui/textbox.h"
#include "ui/twips.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace estimates {

namespace {

const QString inventoryTitle = QStringLiteral("Inventory");
const QString newCaption = QStringLiteral("Bid Estimate Screen");

QToolButton* pictureButton(QWidget* parent, const QString& name, QStyle::StandardPixmap picture, const QString& text,
                           const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(picture));
    b->setIconSize(QSize(24, 24));
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setToolTip(tip);
    b->setAccessibleName(text);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setMinimumWidth(ui::toPixels(900));
    return b;
}

ui::TextBox* textBox(QWidget* parent, const QString& name, const QString& accessible)
{
    auto* t = new ui::TextBox(parent, name);
    t->setAccessibleName(accessible);
    return t;
}

QLabel* label(QWidget* parent, const QString& text, QWidget* buddy = nullptr)
{
    auto* l = new QLabel(text, parent);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption)
{
    auto* g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    return g;
}

// An amount box of the totals frame: computed, so read-only, and right
// aligned so that the figures stand in one column.
ui::TextBox* amountBox(QWidget* parent, const QString& name, const QString& accessible)
{
    ui::TextBox* t = textBox(parent, name, accessible);
    t->setLocked(true);
    t->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    t->setFocusPolicy(Qt::ClickFocus);
    return t;
}

}  // namespace

FrmOrder& frmOrder() { return ui::form<FrmOrder>(); }

shell::Screen frmOrderScreen()
{
    shell::Screen s;
    s.set = [](const QString& variable, const QVariant& value) {
        if (variable == QLatin1String("AddOrDelete"))
            frmOrder().setAddOrDelete(value.toString());
    };
    s.call = [](const QString&) {};
    s.show = [] { frmOrder().show(); };
    return s;
}

FrmOrder::FrmOrder() : ui::Form(QStringLiteral("frmOrder")) {}

FrmOrder::~FrmOrder() = default;

ClsOrder& FrmOrder::Order()
{
    if (!order_) {
        order_ = std::make_unique<ClsOrder>();
        order_->onLoaded = [this] { ui::guarded([this] { estimateLoaded(); }); };
    }
    return *order_;
}

masters::ClsCustomer& FrmOrder::customer()
{
    if (!customer_)
        customer_ = std::make_unique<masters::ClsCustomer>();
    return *customer_;
}

// ---------------------------------------------------------------------------
// The window

void FrmOrder::createControls()
{
    setCaption(newCaption);
    setHelpContextId(helpContext);
    QWidget* c = client();

    auto* outer = new QVBoxLayout(c);
    outer->setContentsMargins(ui::toPixels(150), ui::toPixels(120), ui::toPixels(150), ui::toPixels(120));
    outer->setSpacing(ui::toPixels(90));

    createHeader(c);
    createLineEntry(c);
    createLineList(c);
    createBottom(c);
    connectControls();

    // The list of lines takes every pixel of height the screen has to
    // spare: the window opens as tall as the work area allows (down to what
    // the controls need), and may be resized.
    setResizable(true);
    setClientSize(15600, 13500);
    ListView1->setSpreadColumns(true);
    // The notes panel lies over the list and follows it.
    notesAnchor_ = Frame1;
    Frame1->installEventFilter(this);
    // Escape is Cancel, with Cancel's question.
    setEscapeAction([this] { CmdCancel_Click(); });
}

bool FrmOrder::eventFilter(QObject* watched, QEvent* event)
{
    // The frame is compared as a plain object: while the window is taken
    // down it still sends events, but is no longer a group box to cast to.
    if ((event->type() == QEvent::Resize || event->type() == QEvent::Move) && watched == notesAnchor_ && frmNotes &&
        frmNotes->isVisible())
        frmNotes->setGeometry(static_cast<QWidget*>(watched)->geometry());
    return ui::Form::eventFilter(watched, event);
}

void FrmOrder::createHeader(QWidget* c)
{
    auto* outer = static_cast<QVBoxLayout*>(c->layout());
    auto* top = new QHBoxLayout;
    top->setSpacing(ui::toPixels(150));
    outer->addLayout(top);

    // Customer, number and date on the left.
    auto* left = new QVBoxLayout;
    left->setSpacing(ui::toPixels(90));
    top->addLayout(left, 5);

    auto* customerRow = new QHBoxLayout;
    TxtCustomer = textBox(c, QStringLiteral("TxtCustomer"), QStringLiteral("Customer Name"));
    // The name comes from the customer picker only.
    TxtCustomer->setLocked(true);
    customerRow->addWidget(label(c, QStringLiteral("Customer Name"), TxtCustomer));
    customerRow->addWidget(TxtCustomer, 1);
    CmdSelCust = ui::namedButton(c, QStringLiteral("CmdSelCust"), QStringLiteral("Select "));
    CmdSelCust->setToolTip(QStringLiteral("Pick the customer from the customers list"));
    CmdNewCust = ui::namedButton(c, QStringLiteral("CmdNewCust"), QStringLiteral("New Customer"));
    CmdNewCust->setToolTip(QStringLiteral("Open the customers list to add a customer"));
    customerRow->addWidget(CmdSelCust);
    customerRow->addWidget(CmdNewCust);
    left->addLayout(customerRow);

    Frame3 = frame(c, QStringLiteral("Frame3"), QStringLiteral("Estimate"));
    auto* g3 = new QGridLayout(Frame3);
    TxtOrder = textBox(Frame3, QStringLiteral("TxtOrder"), QStringLiteral("Estimate Number"));
    TxtDate = new ui::DatePicker(Frame3, QStringLiteral("TxtDate"));
    TxtDate->setCustomFormat(QStringLiteral("MM/dd/yyyy"));
    TxtDate->setAccessibleName(QStringLiteral("Estimate Date"));
    g3->addWidget(label(Frame3, QStringLiteral("Estimate Number"), TxtOrder), 0, 0);
    g3->addWidget(TxtOrder, 0, 1);
    g3->addWidget(label(Frame3, QStringLiteral("Estimate Date"), TxtDate), 0, 2);
    g3->addWidget(TxtDate, 0, 3);
    g3->setColumnStretch(1, 1);
    g3->setColumnStretch(3, 1);
    left->addWidget(Frame3);

    auto* notesRow = new QGridLayout;
    txtNotes = new ui::RichTextBox(c, QStringLiteral("txtNotes"));
    txtNotes->setAccessibleName(QStringLiteral("Notes"));
    txtNotes->setTabChangesFocus(true);
    txtNotes->setFixedHeight(ui::toPixels(900));
    cmdImport = ui::namedButton(c, QStringLiteral("cmdImport"), QStringLiteral("Open Notes to Import"));
    cmdImport->setToolTip(QStringLiteral("Show the notes pad's text to copy from"));
    notesRow->addWidget(label(c, QStringLiteral("Notes : "), txtNotes), 0, 0, Qt::AlignTop);
    notesRow->addWidget(txtNotes, 0, 1, 2, 1);
    notesRow->addWidget(cmdImport, 1, 0, Qt::AlignBottom);
    notesRow->setColumnStretch(1, 1);
    left->addLayout(notesRow);

    // The ship-to address on the right.
    Frame4 = frame(c, QStringLiteral("Frame4"), QStringLiteral("Shipping Info "));
    auto* g4 = new QGridLayout(Frame4);
    g4->setVerticalSpacing(ui::toPixels(60));
    TxtSstreet1 = textBox(Frame4, QStringLiteral("TxtSstreet1"), QStringLiteral("Street Address"));
    TxtSstreet2 = textBox(Frame4, QStringLiteral("TxtSstreet2"), QStringLiteral("Street Address, second line"));
    TxtScity = textBox(Frame4, QStringLiteral("TxtScity"), QStringLiteral("City"));
    cmbSState = new ui::ComboBox(Frame4, QStringLiteral("cmbSState"), ui::ComboStyle::DropDownList);
    cmbSState->setAccessibleName(QStringLiteral("State"));
    TxtSZip = textBox(Frame4, QStringLiteral("TxtSZip"), QStringLiteral("Zip"));
    TxtSCountry = textBox(Frame4, QStringLiteral("TxtSCountry"), QStringLiteral("Country"));
    TxtSPhone = textBox(Frame4, QStringLiteral("TxtSPhone"), QStringLiteral("Phone"));
    TxtSMobile = textBox(Frame4, QStringLiteral("TxtSMobile"), QStringLiteral("Mobile"));
    TxtSEmail = textBox(Frame4, QStringLiteral("TxtSEmail"), QStringLiteral("Email"));
    g4->addWidget(label(Frame4, QStringLiteral("Street Address"), TxtSstreet1), 0, 0);
    g4->addWidget(TxtSstreet1, 0, 1, 1, 3);
    g4->addWidget(TxtSstreet2, 1, 1, 1, 3);
    g4->addWidget(label(Frame4, QStringLiteral("City"), TxtScity), 2, 0);
    g4->addWidget(TxtScity, 2, 1);
    g4->addWidget(label(Frame4, QStringLiteral("State"), cmbSState), 2, 2);
    g4->addWidget(cmbSState, 2, 3);
    g4->addWidget(label(Frame4, QStringLiteral("Zip"), TxtSZip), 3, 0);
    g4->addWidget(TxtSZip, 3, 1);
    g4->addWidget(label(Frame4, QStringLiteral("Country"), TxtSCountry), 3, 2);
    g4->addWidget(TxtSCountry, 3, 3);
    g4->addWidget(label(Frame4, QStringLiteral("Phone"), TxtSPhone), 4, 0);
    g4->addWidget(TxtSPhone, 4, 1);
    g4->addWidget(label(Frame4, QStringLiteral("Mobile"), TxtSMobile), 4, 2);
    g4->addWidget(TxtSMobile, 4, 3);
    g4->addWidget(label(Frame4, QStringLiteral("Email"), TxtSEmail), 5, 0);
    g4->addWidget(TxtSEmail, 5, 1, 1, 3);
    g4->setColumnStretch(1, 1);
    g4->setColumnStretch(3, 1);
    top->addWidget(Frame4, 4);
}

void FrmOrder::createBottom(QWidget* c)
{
    auto* outer = static_cast<QVBoxLayout*>(c->layout());
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(ui::toPixels(150));
    outer->addLayout(bottom);

    // The action buttons on the left, the totals on the right. The buttons
    // stand two by two, so that the row keeps its height and none of them
    // is squeezed when "Delete Estimate" shows.
    auto* actions = new QVBoxLayout;
    actions->setSpacing(ui::toPixels(90));
    auto* extras = new QGridLayout;
    extras->setHorizontalSpacing(ui::toPixels(90));
    extras->setVerticalSpacing(ui::toPixels(90));
    cmdItemList = ui::namedButton(c, QStringLiteral("cmdItemList"), QStringLiteral("Add Multiple Items from Sheet"));
    cmdItemList->setToolTip(QStringLiteral("Pick several items from the category tree and add them at once"));
    Command7 = ui::namedButton(c, QStringLiteral("Command7"), QStringLiteral("Calculators"));
    Command7->setToolTip(QStringLiteral("Open one of the calculator windows"));
    createCalculatorMenu(c);
    Command1 = ui::namedButton(c, QStringLiteral("Command1"), QStringLiteral("Print Proposal"));
    Command1->setToolTip(QStringLiteral("Print the proposal of this estimate"));
    CmdDeleteOrder = ui::namedButton(c, QStringLiteral("CmdDeleteOrder"), QStringLiteral("Delete Estimate"));
    CmdDeleteOrder->setToolTip(QStringLiteral("Delete this estimate and its lines"));
    CmdDeleteOrder->setVisible(false);
    extras->addWidget(cmdItemList, 0, 0);
    extras->addWidget(Command7, 0, 1);
    extras->addWidget(Command1, 1, 0);
    extras->addWidget(CmdDeleteOrder, 1, 1);
    extras->setColumnStretch(2, 1);
    actions->addLayout(extras);
    actions->addStretch(1);

    auto* pictures = new QHBoxLayout;
    CmdSave = pictureButton(c, QStringLiteral("CmdSave"), QStyle::SP_DialogSaveButton, QStringLiteral("Save"),
                            QStringLiteral("Save the estimate"));
    cmdOk = pictureButton(c, QStringLiteral("cmdOk"), QStyle::SP_DialogApplyButton, QStringLiteral("OK"),
                          QStringLiteral("Save the estimate; once saved, close the screen"));
    CmdCancel = pictureButton(c, QStringLiteral("CmdCancel"), QStyle::SP_DialogCancelButton, QStringLiteral("Cancel"),
                              QStringLiteral("Close the screen without saving"));
    cmdMainHelp = pictureButton(c, QStringLiteral("cmdMainHelp"), QStyle::SP_MessageBoxQuestion, QStringLiteral("Help"),
                                QStringLiteral("Help on this screen"));
    cmdMainHelp->setIcon(ui::helpIcon());
    pictures->addWidget(CmdSave);
    pictures->addWidget(cmdOk);
    pictures->addWidget(CmdCancel);
    pictures->addWidget(cmdMainHelp);
    pictures->addStretch(1);
    actions->addLayout(pictures);
    bottom->addLayout(actions, 1);

    // The area calculator between the buttons and the totals.
    bottom->addWidget(createAreaCalculator(c));

    Frame5 = frame(c, QStringLiteral("Frame5"), QStringLiteral("Total"));
    auto* g5 = new QGridLayout(Frame5);
    g5->setVerticalSpacing(ui::toPixels(60));
    TxtAmount = amountBox(Frame5, QStringLiteral("TxtAmount"), QStringLiteral("Amount"));
    txtTaxPer = textBox(Frame5, QStringLiteral("txtTaxPer"), QStringLiteral("Tax percentage"));
    txtTax = amountBox(Frame5, QStringLiteral("txtTax"), QStringLiteral("Tax amount"));
    txtOHPer = textBox(Frame5, QStringLiteral("txtOHPer"), QStringLiteral("Overhead percentage"));
    txtOverhead = amountBox(Frame5, QStringLiteral("txtOverhead"), QStringLiteral("Overhead amount"));
    txtFinalTotal = amountBox(Frame5, QStringLiteral("txtFinalTotal"), QStringLiteral("Total"));
    for (ui::TextBox* percent : {txtTaxPer.data(), txtOHPer.data()}) {
        percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        percent->setFixedWidth(ui::toPixels(750));
    }
    for (ui::TextBox* amount : {TxtAmount.data(), txtTax.data(), txtOverhead.data(), txtFinalTotal.data()})
        amount->setMinimumWidth(ui::toPixels(1800));
    QFont bold = txtFinalTotal->font();
    bold.setBold(true);
    txtFinalTotal->setFont(bold);
    g5->addWidget(label(Frame5, QStringLiteral("Amount"), TxtAmount), 0, 0);
    g5->addWidget(TxtAmount, 0, 3);
    g5->addWidget(label(Frame5, QStringLiteral("Tax"), txtTaxPer), 1, 0);
    g5->addWidget(txtTaxPer, 1, 1);
    g5->addWidget(label(Frame5, QStringLiteral("%")), 1, 2);
    g5->addWidget(txtTax, 1, 3);
    g5->addWidget(label(Frame5, QStringLiteral("Overhead"), txtOHPer), 2, 0);
    g5->addWidget(txtOHPer, 2, 1);
    g5->addWidget(label(Frame5, QStringLiteral("%")), 2, 2);
    g5->addWidget(txtOverhead, 2, 3);
    auto* totalLabel = label(Frame5, QStringLiteral("Total"), txtFinalTotal);
    totalLabel->setFont(bold);
    g5->addWidget(totalLabel, 3, 0);
    g5->addWidget(txtFinalTotal, 3, 3);
    g5->setColumnStretch(3, 1);
    bottom->addWidget(Frame5);

    // The notes to import: a panel laid over the list of lines while open.
    frmNotes = frame(c, QStringLiteral("frmNotes"), QStringLiteral("Notes to be copied in Customer's data fields"));
    frmNotes->setAutoFillBackground(true);
    auto* gn = new QVBoxLayout(frmNotes);
    rtfNotes = new ui::RichTextBox(frmNotes, QStringLiteral("rtfNotes"));
    rtfNotes->setAccessibleName(QStringLiteral("Notes to import"));
    gn->addWidget(rtfNotes, 1);
    auto* hint = label(frmNotes, QStringLiteral("Press the \"Copy Notes\" button to copy the selected text from the "
                                                "above text area or the entire area contents."));
    hint->setWordWrap(true);
    gn->addWidget(hint);
    auto* nb = new QHBoxLayout;
    nb->addStretch(1);
    cmdCopy = ui::namedButton(frmNotes, QStringLiteral("cmdCopy"), QStringLiteral("Copy Notes"));
    Command2 = ui::namedButton(frmNotes, QStringLiteral("Command2"), QStringLiteral("Close Notes"));
    nb->addWidget(cmdCopy);
    nb->addWidget(Command2);
    gn->addLayout(nb);
    frmNotes->setVisible(false);
}

void FrmOrder::connectControls()
{
    ui::onClick(CmdSave, [this] { CmdSave_Click(); });
    ui::onClick(cmdOk, [this] { cmdOk_Click(); });
    ui::onClick(CmdCancel, [this] { CmdCancel_Click(); });
    ui::onClick(cmdMainHelp, [this] { cmdMainHelp_Click(); });
    ui::onClick(CmdDeleteOrder, [this] { CmdDeleteOrder_Click(); });
    ui::onClick(Command1, [this] { Command1_Click(); });
    ui::onClick(CmdSelCust, [this] { CmdSelCust_Click(); });
    ui::onClick(CmdNewCust, [this] { CmdNewCust_Click(); });
    ui::onClick(cmdImport, [this] { cmdImport_Click(); });
    ui::onClick(cmdCopy, [this] { cmdCopy_Click(); });
    ui::onClick(Command2, [this] { Command2_Click(); });

    ui::onClick(cmdAdd, [this] { cmdAdd_Click(); });
    ui::onClick(CmdEdit, [this] { CmdEdit_Click(); });
    ui::onClick(cmdEditApply, [this] { cmdEditApply_Click(); });
    ui::onClick(cmdEditCanc, [this] { cmdEditCanc_Click(); });
    ui::onClick(cmdDel, [this] { cmdDel_Click(); });
    connect(ListView1, &ui::ModelListView::rowDoubleClicked, this, ui::guard([this](int) { CmdEdit_Click(); }));
    connect(cmbItems, &QComboBox::currentIndexChanged, this, ui::guard([this](int) { cmbItems_Click(); }));

    // Every change of a box of the line recomputes its total; so does the
    // quantity, or the total would show the old quantity until a price moved.
    for (ui::TextBox* box : {TxtQty.data(), TxtMaterial.data(), txtLabor.data(), txtExtension.data(), txtOthers.data()})
        connect(box, &QLineEdit::textChanged, this, ui::guard([this](const QString&) { CalTot(); }));
    connect(TxtMaterial, &ui::TextBox::lostFocus, this, ui::guard([this] { TxtMaterial_LostFocus(); }));
    connect(txtLabor, &ui::TextBox::lostFocus, this, ui::guard([this] { txtLabor_LostFocus(); }));
    connect(txtExtension, &ui::TextBox::lostFocus, this, ui::guard([this] { txtExtension_LostFocus(); }));
    connect(txtOthers, &ui::TextBox::lostFocus, this, ui::guard([this] { txtOthers_LostFocus(); }));

    for (ui::TextBox* box : {TxtAmount.data(), txtTaxPer.data(), txtOHPer.data()})
        connect(box, &QLineEdit::textChanged, this, ui::guard([this](const QString&) { CalFinalTotal(); }));

    connect(txtLength, &QLineEdit::textChanged, this, ui::guard([this](const QString&) { txtLength_Change(); }));
    connect(txtWidth, &QLineEdit::textChanged, this, ui::guard([this](const QString&) { txtWidth_Change(); }));
    connect(txtHeight, &QLineEdit::textChanged, this, ui::guard([this](const QString&) { txtHeight_Change(); }));
    ui::onClick(cmdMove, [this] { cmdMove_Click(); });
    ui::onClick(Command7, [this] { Command7_Click(); });
    ui::onClick(cmdItemList, [this] { cmdItemList_Click(); });
}

// ---------------------------------------------------------------------------
// Area calculator and calculator menu

QGroupBox* FrmOrder::createAreaCalculator(QWidget* c)
{
    Frame6 = frame(c, QStringLiteral("Frame6"), QStringLiteral("Area Calculator"));
    auto* v = new QVBoxLayout(Frame6);
    v->setSpacing(ui::toPixels(60));

    auto* inputs = new QHBoxLayout;
    inputs->setSpacing(ui::toPixels(60));
    const auto input = [&](QPointer<ui::TextBox>& box, const QString& name, const QString& caption,
                           const QString& accessible) {
        box = textBox(Frame6, name, accessible);
        box->setMinimumWidth(ui::toPixels(700));
        inputs->addWidget(label(Frame6, caption, box));
        inputs->addWidget(box, 1);
    };
    input(txtLength, QStringLiteral("txtLength"), QStringLiteral("L:"), QStringLiteral("Length"));
    input(txtWidth, QStringLiteral("txtWidth"), QStringLiteral("W:"), QStringLiteral("Width"));
    input(txtHeight, QStringLiteral("txtHeight"), QStringLiteral("H:"), QStringLiteral("Height"));
    cmdMove = ui::namedButton(Frame6, QStringLiteral("cmdMove"), QStringLiteral("Move selected to quantity box"));
    cmdMove->setToolTip(QStringLiteral("Copy the selected figure into the line's quantity"));
    inputs->addSpacing(ui::toPixels(90));
    inputs->addWidget(cmdMove);
    v->addLayout(inputs);

    // Nine figures in three columns of three, read down each column, so
    // that the frame stays low; each row's option button carries the row's
    // label, so clicking the label picks it.
    struct Row {
        QPointer<QRadioButton>* option;
        const char* optionName;
        const char* caption;
        QPointer<ui::TextBox>* box;
        const char* boxName;
    };
    const Row rows[areaRowCount] = {
        {&chkarea1, "chkarea1", "Perimeter:", &txtPerimeter, "txtPerimeter"},
        {&chkarea2, "chkarea2", "Walls(SF):", &txtWalls, "txtWalls"},
        {&chkarea3, "chkarea3", "Ceiling+Walls(SF):", &txtCeiling, "txtCeiling"},
        {&chkarea4, "chkarea4", "Concrete(YD):", &txtConcrete, "txtConcrete"},
        {&chkarea5, "chkarea5", "Floors/Ceiling(SF):", &txtFloorCeil, "txtFloorCeil"},
        {&chkarea6, "chkarea6", "Total Area:", &txtTotArea, "txtTotArea"},
        {&chkarea7, "chkarea7", "Ply-4x8 sheets:", &txtPlywood, "txtPlywood"},
        {&chkarea8, "chkarea8", "Drywall 4x12", &txtDrywall4x12, "txtDrywall4x12"},
        {&chkarea9, "chkarea9", "Drywall 4x8", &txtDrywall4x8, "txtDrywall4x8"},
    };
    auto* g = new QGridLayout;
    g->setHorizontalSpacing(ui::toPixels(60));
    g->setVerticalSpacing(ui::toPixels(30));
    for (int i = 0; i < areaRowCount; ++i) {
        const Row& r = rows[i];
        auto* option = new QRadioButton(QLatin1String(r.caption), Frame6);
        option->setObjectName(QLatin1String(r.optionName));
        *r.option = option;
        ui::TextBox* box = amountBox(Frame6, QLatin1String(r.boxName), QLatin1String(r.caption));
        box->setMinimumWidth(ui::toPixels(900));
        *r.box = box;
        const int gridRow = i % 3;
        const int gridColumn = (i / 3) * 3;
        g->addWidget(option, gridRow, gridColumn);
        g->addWidget(box, gridRow, gridColumn + 1);
    }
    // Gaps between the columns of figures.
    g->setColumnMinimumWidth(2, ui::toPixels(90));
    g->setColumnMinimumWidth(5, ui::toPixels(90));
    for (int column : {1, 4, 7})
        g->setColumnStretch(column, 1);
    v->addLayout(g);
    v->addStretch(1);

    // All nine in one group (one parent), so one is selected at a time.
    chkarea6->setChecked(true);
    return Frame6;
}

void FrmOrder::createCalculatorMenu(QWidget* c)
{
    mnuCalc = new QMenu(QStringLiteral("Menu"), c);
    mnuCalc->setObjectName(QStringLiteral("mnuCalc"));
    const auto item = [this](QPointer<QAction>& action, const QString& name, const QString& caption,
                             void (FrmOrder::*click)()) {
        action = mnuCalc->addAction(caption);
        action->setObjectName(name);
        ui::onTriggered(action, [this, click] { (this->*click)(); });
    };
    item(mnuCalc1, QStringLiteral("mnuCalc1"), QStringLiteral("Group 1"), &FrmOrder::mnuCalc1_Click);
    item(mnuCalc2, QStringLiteral("mnuCalc2"), QStringLiteral("Group 2"), &FrmOrder::mnuCalc2_Click);
    item(mnuCalc3, QStringLiteral("mnuCalc3"), QStringLiteral("Group 3"), &FrmOrder::mnuCalc3_Click);
    item(mnuCalc4, QStringLiteral("mnuCalc4"), QStringLiteral("Group 4"), &FrmOrder::mnuCalc4_Click);
}

void FrmOrder::CalTotalArea()
{
    if (!Frame6)
        return;
    const AreaFigures f = areaFigures(txtLength->text(), txtWidth->text(), txtHeight->text());
    // Written in the order of the rows' dependencies: walls before
    // ceiling+walls, ceiling+walls before the total area.
    txtPerimeter->setText(f[AreaRow::Perimeter]);
    txtWalls->setText(f[AreaRow::Walls]);
    txtCeiling->setText(f[AreaRow::CeilingWalls]);
    txtFloorCeil->setText(f[AreaRow::FloorCeiling]);
    txtTotArea->setText(f[AreaRow::TotalArea]);
    txtConcrete->setText(f[AreaRow::Concrete]);
    txtPlywood->setText(f[AreaRow::Plywood]);
    txtDrywall4x12->setText(f[AreaRow::Drywall4x12]);
    txtDrywall4x8->setText(f[AreaRow::Drywall4x8]);
}

void FrmOrder::txtLength_Change() { CalTotalArea(); }
void FrmOrder::txtWidth_Change() { CalTotalArea(); }
void FrmOrder::txtHeight_Change() { CalTotalArea(); }

void FrmOrder::cmdMove_Click()
{
    if (!Frame6 || !TxtQty)
        return;
    const QRadioButton* options[areaRowCount] = {chkarea1, chkarea2, chkarea3, chkarea4, chkarea5,
                                                 chkarea6, chkarea7, chkarea8, chkarea9};
    const ui::TextBox* boxes[areaRowCount] = {txtPerimeter, txtWalls,   txtCeiling,     txtConcrete,  txtFloorCeil,
                                              txtTotArea,   txtPlywood, txtDrywall4x12, txtDrywall4x8};
    // The boxes' texts as shown, so the copy is what the user sees.
    AreaFigures shown;
    int selected = 0;
    for (int i = 0; i < areaRowCount; ++i) {
        shown.text[std::size_t(i)] = boxes[i]->text();
        if (options[i]->isChecked())
            selected = i + 1;
    }
    TxtQty->setText(figureToMove(shown, selected));
}

void FrmOrder::Command7_Click()
{
    if (!Command7 || !mnuCalc)
        return;
    // Beside the button's right edge, level with its top.
    const QPoint at = Command7->mapTo(client(), QPoint(0, 0));
    ui::popupMenuAt(mnuCalc, client(), ui::toTwips(at.x()) + ui::toTwips(Command7->width()), ui::toTwips(at.y()));
}

void FrmOrder::showCalculator(const QString& formName, const QString& caption)
{
    // Shown as the window is: the estimate screen chooses no calculator.
    if (const shell::Screen* screen = shell::findScreen(formName); screen && screen->show) {
        screen->show();
        return;
    }
    ui::msgBox(QStringLiteral("\"Calculators -> %1\" is not available in this version yet.").arg(caption));
}

void FrmOrder::mnuCalc1_Click() { showCalculator(QStringLiteral("frmCalculators"), QStringLiteral("Group 1")); }
void FrmOrder::mnuCalc2_Click() { showCalculator(QStringLiteral("frmCalculator2"), QStringLiteral("Group 2")); }
void FrmOrder::mnuCalc3_Click() { showCalculator(QStringLiteral("frmCalculator3"), QStringLiteral("Group 3")); }
void FrmOrder::mnuCalc4_Click() { showCalculator(QStringLiteral("frmCalculator4"), QStringLiteral("Group 4")); }

void FrmOrder::cmdItemList_Click()
{
    // The picker adds through cmdAdd, which only a screen taking lines has.
    if (!linesEditable())
        return;
    ui::form<FrmList>().show();
}

void FrmOrder::showNotesPanel()
{
    if (!frmNotes || !Frame1)
        return;
    // Over the list of lines, which the panel covers while it is open.
    frmNotes->setGeometry(Frame1->geometry());
    frmNotes->raise();
    frmNotes->setVisible(true);
}

// ---------------------------------------------------------------------------
// Load and unload

void FrmOrder::Form_Load()
{
    // The estimate-number prompt has done its work once an estimate opens.
    for (ui::Form* f : ui::loadedForms())
        if (f != this && f->name() == QLatin1String("FrmOrderNo"))
            f->unload();
    if (!isLoaded())
        return;

    // The lists are filled and a stored estimate shown.
    ui::BusyCursor busy;
    shell::frmMainMenu().StartUp(*this);
    setHelpContextId(helpContext);
    TxtDate->setValue(QDate::currentDate());

    saved_ = false;
    Editing = false;
    editOpen_ = false;
    EditListIndex = -1;
    EditItemIndex = 0;
    // Anything but "E" and "D" is a new estimate, and is saved as one.
    mode_ =
        (AddOrDelete == QLatin1String("E") || AddOrDelete == QLatin1String("D")) ? AddOrDelete : QStringLiteral("A");

    InitListView();
    FillRooms();
    FillUnits();
    FillItems();

    if (mode_ == QLatin1String("E")) {
        setCaption(QStringLiteral("Edit Estimate"));
        FillData();
    } else if (mode_ == QLatin1String("D")) {
        setCaption(QStringLiteral("Delete Estimate"));
        FillData();
    } else {
        // Whatever a last opening left in the record, a new estimate starts
        // from nothing.
        Order().ClearData();
        held_ = Held{};
        lines_->setLines(Order().sharedLines(), {});
        FillState();
        TxtOrder->setText(conv::numberText(Order().GetNextOrderNo()));
        CalTotal();
    }
    applyMode();
}

void FrmOrder::applyMode()
{
    const bool deleting = mode_ == QLatin1String("D");
    for (QWidget* w : {static_cast<QWidget*>(CmdEdit.data()), static_cast<QWidget*>(cmdAdd.data()),
                       static_cast<QWidget*>(cmdDel.data()), static_cast<QWidget*>(CmdSelCust.data()),
                       static_cast<QWidget*>(CmdNewCust.data()), static_cast<QWidget*>(cmdEditApply.data()),
                       static_cast<QWidget*>(cmdEditCanc.data()), static_cast<QWidget*>(cmdOk.data()),
                       static_cast<QWidget*>(CmdSave.data())})
        if (deleting)
            w->setVisible(false);
    if (!deleting)
        setEditButtons(false);
    cmdItemList->setEnabled(!deleting);
    CmdDeleteOrder->setVisible(deleting);
}

void FrmOrder::Form_Unload()
{
    if (!keepOrderOnUnload_ && order_)
        order_->ClearData();
    notesAnchor_ = nullptr;
    mode_.clear();
    saved_ = false;
    Editing = false;
    editOpen_ = false;
    held_ = Held{};
}

// ---------------------------------------------------------------------------
// Opening while another estimate is on screen

bool FrmOrder::holdsUnsavedEstimate() const { return isLoaded() && !saved_ && mode_ != QLatin1String("D"); }

bool FrmOrder::mayDropOpenEstimate()
{
    // A saved estimate, or one opened for deletion, loses nothing by going.
    if (!holdsUnsavedEstimate())
        return true;
    const QString question = QStringLiteral("Estimate No. %1 is open and has not been saved. Are you sure you want "
                                            "to close it and discard any changes done?")
                                 .arg(TxtOrder ? TxtOrder->text() : QString());
    return ui::msgBox(question, ui::Buttons::YesNo, QStringLiteral("Confirm Cancel")) == ui::Answer::Yes;
}

bool FrmOrder::releaseOpenEstimate()
{
    if (!isLoaded())
        return true;
    if (!mayDropOpenEstimate())
        return false;
    unload();
    return !isLoaded();
}

bool FrmOrder::setAddOrDelete(const QString& mode)
{
    // The mode is the next load's either way: a later GetOrder of the
    // delete prompt must open in the mode the menu chose.
    AddOrDelete = mode;
    return releaseOpenEstimate();
}

bool FrmOrder::openStored(const QString& mode, int orderNo)
{
    if (!releaseOpenEstimate())
        return false;
    AddOrDelete = mode;
    Order().OrderNo = orderNo;
    return Order().GetOrder();
}

void FrmOrder::estimateLoaded()
{
    // Loading shows a stored estimate, whatever mode the caller forgot to set.
    if (AddOrDelete != QLatin1String("E") && AddOrDelete != QLatin1String("D"))
        AddOrDelete = QStringLiteral("E");
    if (isLoaded()) {
        // Someone loaded into Order while this window shows another estimate.
        if (!mayDropOpenEstimate()) {
            // Order now holds the other estimate; the screen's goes back in.
            takeBackOrder();
            return;
        }
        keepOrderOnUnload_ = true;
        unload();
        keepOrderOnUnload_ = false;
    }
    show();
}

void FrmOrder::takeBackOrder()
{
    if (!isLoaded() || saved_ || !lines_)
        return;
    ClsOrder& o = Order();
    // Clearing or loading Order gives it lines of its own; while it has the
    // screen's, it is the screen's estimate.
    if (&o.ColnOrderItems() == lines_->lines().get())
        return;
    o.ClearData();
    o.OrderNo = held_.orderNo;
    o.CustId = held_.custId;
    o.RepId = held_.repId;
    o.ShipId = held_.shipId;
    o.UPSTracking = held_.upsTracking;
    o.setColnOrderItems(lines_->lines());
}

int FrmOrder::shownOrderNo() const
{
    if (!TxtOrder)
        return 0;
    const std::optional<double> n = conv::strictNumber(TxtOrder->text());
    return n ? conv::toInt32(*n).value_or(0) : 0;
}

// ---------------------------------------------------------------------------
// Showing a stored estimate

void FrmOrder::FillState()
{
    cmbSState->clear();
    if (cmbSState->addRows(Order().GetComboState()) > 0)
        cmbSState->setListIndex(0);
}

void FrmOrder::FillData()
{
    ClsOrder& o = Order();
    held_.orderNo = o.OrderNo;
    held_.custId = o.CustId;
    held_.repId = o.RepId;
    held_.shipId = o.ShipId;
    held_.upsTracking = o.UPSTracking;

    // A customer that is gone shows no name rather than the last one looked up.
    masters::ClsCustomer& cust = customer();
    cust.CustId = o.CustId;
    TxtCustomer->setText(cust.GetCustomer() ? cust.CustName : QString());

    TxtOrder->setText(conv::numberText(o.OrderNo));
    TxtOrder->setEnabled(false);
    TxtSstreet1->setText(o.SStreet1);
    TxtSstreet2->setText(o.SStreet2);
    TxtScity->setText(o.SCity);
    TxtSZip->setText(o.SZip);
    TxtSCountry->setText(o.SCountry);
    TxtSPhone->setText(o.SPhone);
    TxtSMobile->setText(o.SMobile);
    TxtSEmail->setText(o.SEmail);

    // The percentages recompute the tax, overhead and total from the
    // stored amount as they are written.
    TxtAmount->setText(conv::numberText(o.Amount));
    txtFinalTotal->setText(conv::numberText(o.Total));
    txtTaxPer->setText(conv::numberText(o.Tax));
    txtOHPer->setText(conv::numberText(o.Overhead));
    CalFinalTotal();
    txtNotes->setText(ui::withLineBreaks(o.Notes));
    TxtDate->setValue(o.OrderDate);

    FillState();
    cmbSState->selectByData(o.SState);

    // A line keeps its own keys, also when its takeoff name, unit or item
    // has gone from the masters: its row then shows an empty name.
    std::vector<OrderLinesModel::Names> names;
    names.reserve(std::size_t(o.ColnOrderItems().Count()));
    for (const ClsOrderItems& line : o.ColnOrderItems()) {
        cmbRooms->selectByData(line.mvarRoomId);
        cmbUnits->selectByData(line.mvarUnitId);
        names.push_back({.room = cmbRooms->textOf(line.mvarRoomId),
                         .unit = cmbUnits->textOf(line.mvarUnitId),
                         .item = cmbItems->textOf(line.itemKey())});
    }
    lines_->setLines(o.sharedLines(), std::move(names));
}

void FrmOrder::ClearClass() { Order().ClearClass(); }

// ---------------------------------------------------------------------------
// Save, OK, Cancel, Delete

void FrmOrder::CmdSave_Click()
{
    if (!isLoaded() || saved_ || mode_ == QLatin1String("D"))
        return;
    takeBackOrder();
    ClsOrder& o = Order();
    o.SStreet1 = TxtSstreet1->text();
    o.SStreet2 = TxtSstreet2->text();
    o.SCity = TxtScity->text();
    o.SState = int(cmbSState->selectedData());
    o.SZip = TxtSZip->text();
    o.SCountry = TxtSCountry->text();
    o.SPhone = TxtSPhone->text();
    o.SMobile = TxtSMobile->text();
    o.SEmail = TxtSEmail->text();
    o.OrderNo = shownOrderNo();
    o.OrderDate = TxtDate->value();
    o.Notes = txtNotes->text();
    CalTotal();
    o.Tax = txtTaxPer->number();
    o.Overhead = txtOHPer->number();
    o.Total = storedTotal(o.Amount, txtTax->text(), txtOverhead->text());

    if (!o.Validate()) {
        ui::msgBox(QStringLiteral("Please enter Valid Data"), ui::Buttons::Ok, inventoryTitle);
        return;
    }
    // A refused or failed save has told why (title "Estimate"); the screen
    // stays as it was, ready for another try.
    if (!o.Save(mode_))
        return;
    ui::msgBox(QStringLiteral("Estimate Saved"), ui::Buttons::Ok, inventoryTitle);
    enterSavedState();
}

void FrmOrder::enterSavedState()
{
    ClearClass();
    saved_ = true;
    if (!isLoaded())
        return;
    // Nothing more of this estimate can be saved from here, so nothing
    // more of it can be changed.
    if (editOpen_)
        cmdEditCanc_Click();
    CmdSave->setEnabled(false);
    for (QPushButton* b : {cmdAdd.data(), CmdEdit.data(), cmdDel.data(), cmdEditApply.data(), cmdEditCanc.data(),
                           CmdSelCust.data(), cmdItemList.data()})
        b->setEnabled(false);
}

void FrmOrder::cmdOk_Click()
{
    if (!isLoaded())
        return;
    if (CmdSave->isEnabled() && CmdSave->isVisible())
        CmdSave_Click();
    else
        unload();
}

bool FrmOrder::confirmCancel()
{
    return ui::msgBox(QStringLiteral("Are you sure you want to cancel this screen and discard any changes done?"),
                      ui::Buttons::YesNo, QStringLiteral("Confirm Cancel")) == ui::Answer::Yes;
}

void FrmOrder::CmdCancel_Click()
{
    if (confirmCancel())
        unload();
}

bool FrmOrder::Form_QueryUnload(ui::UnloadMode mode)
{
    // The close box throws the screen away as Cancel does, so it asks the
    // same question; a saved estimate has nothing left to lose.
    if (mode != ui::UnloadMode::CloseBox || saved_)
        return true;
    return confirmCancel();
}

void FrmOrder::CmdDeleteOrder_Click()
{
    if (!isLoaded() || mode_ != QLatin1String("D"))
        return;
    // The number shown is the estimate the user means, whatever was loaded
    // into the record since.
    const int number = held_.orderNo != 0 ? held_.orderNo : shownOrderNo();
    if (ui::msgBox(QStringLiteral("Are you sure you want to Delete Estimate No.  ") + conv::numberText(number),
                   ui::Buttons::YesNo, QStringLiteral("Estimate deletion")) != ui::Answer::Yes)
        return;
    ClsOrder& o = Order();
    o.OrderNo = number;
    o.AddEditDel = QStringLiteral("D");
    // A refused delete has told why; the estimate stays on screen.
    if (!o.Delete())
        return;
    ui::msgBox(QStringLiteral("Order Deleted"), ui::Buttons::Ok, QString());
    unload();
}

// ---------------------------------------------------------------------------
// Customer, notes, help, proposal

void FrmOrder::CmdSelCust_Click()
{
    if (!isLoaded() || saved_)
        return;
    masters::FrmCustomer::pickCustomer([this](int key, const QString& name) {
        Order().CustId = key;
        held_.custId = key;
        if (TxtCustomer)
            TxtCustomer->setText(name);
    });
    if (!isLoaded())
        return;
    // Closed with or without a choice, the ship-to address becomes the
    // billing address of the record's customer.
    masters::ClsCustomer& cust = customer();
    cust.CustId = Order().CustId;
    cust.GetCustomer();
    TxtScity->setText(cust.BCity);
    TxtSCountry->setText(cust.BCountry);
    TxtSEmail->setText(cust.BEmail);
    TxtSMobile->setText(cust.BMobile);
    TxtSPhone->setText(cust.BPhone);
    TxtSstreet1->setText(cust.BStreet1);
    TxtSstreet2->setText(cust.BStreet2);
    cmbSState->selectByData(cust.BState);
    TxtSZip->setText(cust.BZip);
}

void FrmOrder::CmdNewCust_Click()
{
    auto& customers = ui::form<masters::FrmCustomer>();
    customers.AddOrDelete = QStringLiteral("A");
    customers.show();
}

void FrmOrder::cmdImport_Click()
{
    QString text;
    try {
        data::Connection c;
        c.openApplicationDatabase();
        data::Recordset rs = c.query(QStringLiteral("Select * from BlankNotes"));
        // No row, or a Null text: nothing to import.
        if (!rs.eof() && rs.fieldCount() > 0)
            text = rs.value(0).toText();
        rs.close();
        c.close();
    } catch (const data::DbError& e) {
        ui::reportFailure(e.message());
        return;
    }
    rtfNotes->setText(ui::withLineBreaks(text));
    showNotesPanel();
}

void FrmOrder::cmdCopy_Click()
{
    const QString selected = rtfNotes->selText();
    txtNotes->setText(selected.isEmpty() ? rtfNotes->text() : selected);
}

void FrmOrder::Command2_Click() { frmNotes->setVisible(false); }

void FrmOrder::cmdMainHelp_Click() { ui::platform().sendKey(window(), Qt::Key_F1); }

void FrmOrder::Command1_Click()
{
    if (!isLoaded())
        return;
    // A new estimate has no stored lines to print from until it is saved.
    if (mode_ == QLatin1String("A") && !saved_) {
        ui::msgBox(QStringLiteral("Please save this estimate before printing its proposal."), ui::Buttons::Ok,
                   QStringLiteral("Estimate"));
        return;
    }
    const int number = shownOrderNo();
    if (ShowProposal) {
        ShowProposal(number);
        return;
    }
    ui::msgBox(QStringLiteral("\"Print Proposal\" is not available in this version yet."));
}

}  // namespace estimates
