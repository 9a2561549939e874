#pragma once
// The estimate screen: one estimate is composed, changed or deleted here.
// It shows the customer, number and date, the ship-to address, the line
// entry with the list of lines, the totals and the notes, and holds the
// estimate in its public record object Order.
//
// Modes (AddOrDelete, set by the opener, fixed when the window loads): "A"
// a new estimate, "E" edit a stored one, "D" delete a stored one. Openers
// reach the screen through frmOrder():
//   - new:    setAddOrDelete("A"), then show();
//   - stored: openStored("E" or "D", number); it runs Order().GetOrder(),
//             which shows the screen when the estimate is found.
// While the screen holds an estimate that is not saved, every opening first
// asks whether to drop it, so two estimates never share the screen.

#include "clsorder.h"
#include "orderlinesmodel.h"
#include "shell/screens.h"
#include "ui/form.h"
#include "ui/modellistview.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QGroupBox;
class QHBoxLayout;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace masters {
class ClsCustomer;
class ClsItem;
}  // namespace masters

namespace ui {
class ComboBox;
class DatePicker;
class RichTextBox;
class TextBox;
}  // namespace ui

namespace estimates {

class FrmOrder : public ui::Form {
    Q_OBJECT
public:
    FrmOrder();
    ~FrmOrder() override;

    static constexpr int helpContext = 12;

    // The estimate on screen, made on first use. It outlives the window;
    // closing the window clears it.
    ClsOrder& Order();
    // The mode for the next load: "A", "E" or "D" (anything else loads as
    // a new estimate).
    QString AddOrDelete;
    // Item key of the line being entered.
    int itemid = 0;

    // The reports set this to show the estimate proposal of a number; while
    // it is unset "Print Proposal" says the report is not available yet.
    std::function<void(int orderNo)> ShowProposal;

    // --- Opening ---------------------------------------------------------
    // The main menu's way to set the mode. When the screen is open, it is
    // closed first (asking before an unsaved estimate is dropped); false
    // when the user chose to keep it, which then stays as it was.
    bool setAddOrDelete(const QString& mode);
    // Opens stored estimate `orderNo` in `mode` ("E" or "D"): closes the
    // open screen as setAddOrDelete does, then loads the estimate, which
    // shows the screen. False when the user kept the open estimate or the
    // number is not stored.
    bool openStored(const QString& mode, int orderNo);
    // Closes the screen, asking first when it holds an unsaved estimate.
    // True when the screen is closed now (or was not open).
    bool releaseOpenEstimate();

    // The mode the open window loaded with; empty while it is not loaded.
    QString loadedMode() const { return mode_; }
    // True after a successful save, until the window closes.
    bool isSaved() const { return saved_; }
    // True while a line is loaded for editing (Apply and Cancel shown).
    bool isEditingLine() const { return editOpen_; }

    // --- Public procedures ------------------------------------------------
    // Adds a line from the entry fields. The multi-item picker calls it once
    // per picked row after selecting the row's takeoff name and item.
    void cmdAdd_Click();
    void FillState();
    void FillRooms();
    void FillUnits();
    void FillItems();
    void InitListView();
    // Resets Order after a save; the boxes and the list keep showing the
    // saved estimate.
    void ClearClass();
    // Shows Order (as GetOrder loaded it) in the screen.
    void FillData();
    // The estimate amount from the list of lines, then the rest of the totals.
    void CalTotal();
    // The line total of the entry boxes.
    void CalTot();
    // Tax, overhead and final total from the totals boxes.
    void CalFinalTotal();
    // The area calculator's nine figures from length, width and height.
    void CalTotalArea();

    // --- Event procedures -------------------------------------------------
    void CmdSave_Click();
    void cmdOk_Click();
    void CmdCancel_Click();
    void CmdDeleteOrder_Click();
    void CmdSelCust_Click();
    void CmdNewCust_Click();
    void cmdImport_Click();
    void cmdCopy_Click();
    void Command2_Click();
    void cmdMainHelp_Click();
    void Command1_Click();  // Print Proposal

    void cmbItems_Click();
    void CmdEdit_Click();  // also a double-click on a line
    void cmdEditApply_Click();
    void cmdEditCanc_Click();
    void cmdDel_Click();
    void TxtMaterial_LostFocus();
    void txtLabor_LostFocus();
    void txtExtension_LostFocus();
    void txtOthers_LostFocus();

    // Area calculator and calculator windows.
    void txtLength_Change();
    void txtWidth_Change();
    void txtHeight_Change();
    void cmdMove_Click();   // the selected figure into the quantity box
    void Command7_Click();  // pops up mnuCalc beside the button
    void mnuCalc1_Click();  // the calculator windows, shown as they are
    void mnuCalc2_Click();
    void mnuCalc3_Click();
    void mnuCalc4_Click();
    // Opens the multi-item picker.
    void cmdItemList_Click();

    // Columns of ListView1: those of the lines it shows.
    using Column = OrderLinesModel::Column;
    using enum OrderLinesModel::Column;

    // --- Controls (null while the window is not loaded) -------------------
    QPointer<ui::TextBox> TxtCustomer;
    QPointer<QPushButton> CmdSelCust, CmdNewCust;
    QPointer<QGroupBox> Frame3;
    QPointer<ui::TextBox> TxtOrder;
    QPointer<ui::DatePicker> TxtDate;
    QPointer<QGroupBox> Frame4;
    QPointer<ui::TextBox> TxtSstreet1, TxtSstreet2, TxtScity, TxtSZip, TxtSCountry, TxtSPhone, TxtSMobile, TxtSEmail;
    QPointer<ui::ComboBox> cmbSState;

    QPointer<QGroupBox> Frame2;  // line entry
    QPointer<ui::ComboBox> cmbRooms, cmbUnits, cmbItems, cmbPrices;
    QPointer<ui::TextBox> TxtQty, TxtMaterial, txtLabor, txtExtension, txtOthers, txtTotal;
    QPointer<QPushButton> cmdAdd, cmdEditApply, cmdEditCanc;
    QPointer<QGroupBox> Frame1;             // list of lines
    QPointer<ui::ModelListView> ListView1;  // shows lines_
    QPointer<QLabel> lblListHint;
    QPointer<QPushButton> CmdEdit, cmdDel;

    QPointer<QGroupBox> Frame5;  // totals
    QPointer<ui::TextBox> TxtAmount, txtTaxPer, txtTax, txtOHPer, txtOverhead, txtFinalTotal;

    QPointer<ui::RichTextBox> txtNotes;
    QPointer<QPushButton> cmdImport;
    QPointer<QGroupBox> frmNotes;
    QPointer<ui::RichTextBox> rtfNotes;
    QPointer<QPushButton> cmdCopy, Command2;

    QPointer<QToolButton> CmdSave, cmdOk, CmdCancel, cmdMainHelp;
    QPointer<QPushButton> CmdDeleteOrder, Command1;
    QPointer<QPushButton> Command7;  // "Calculators"
    QPointer<QMenu> mnuCalc;
    QPointer<QAction> mnuCalc1, mnuCalc2, mnuCalc3, mnuCalc4;
    QPointer<QPushButton> cmdItemList;  // the multi-item picker

    QPointer<QGroupBox> Frame6;  // area calculator
    QPointer<ui::TextBox> txtLength, txtWidth, txtHeight;
    // The figures, top to bottom, each with its option button.
    QPointer<ui::TextBox> txtPerimeter, txtWalls, txtCeiling, txtConcrete, txtFloorCeil, txtTotArea, txtPlywood,
        txtDrywall4x12, txtDrywall4x8;
    QPointer<QRadioButton> chkarea1, chkarea2, chkarea3, chkarea4, chkarea5, chkarea6, chkarea7, chkarea8, chkarea9;
    QPointer<QPushButton> cmdMove;

protected:
    void createControls() override;
    void Form_Load() override;
    bool Form_QueryUnload(ui::UnloadMode mode) override;
    void Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the screen put into Order that no box shows, so that Order can
    // be made whole again when someone else loaded into it or cleared it.
    struct Held {
        int orderNo = 0;
        int custId = 0;
        int repId = 0;
        int shipId = 0;
        QString upsTracking;
    };

    void createHeader(QWidget* c);
    void createLineEntry(QWidget* c);
    void createLineList(QWidget* c);
    void createBottom(QWidget* c);
    QGroupBox* createAreaCalculator(QWidget* c);
    void createCalculatorMenu(QWidget* c);
    void showCalculator(const QString& formName, const QString& caption);
    void connectControls();
    void applyMode();
    void estimateLoaded();
    bool holdsUnsavedEstimate() const;
    bool mayDropOpenEstimate();
    bool confirmCancel();
    bool linesEditable() const;
    // A quantity and all three picks, or a message and false.
    bool lineInputComplete();
    // Puts the screen's estimate back into Order when a look-up elsewhere
    // cleared it or loaded another estimate into it.
    void takeBackOrder();
    void enterSavedState();
    int shownOrderNo() const;
    void showNotesPanel();

    // Line entry helpers: the picks and the boxes as a line.
    LineKeys pickedKeys() const;
    OrderLinesModel::Names pickedNames() const;
    LineAmounts enteredAmounts() const;
    void setEditButtons(bool editing);
    void priceLostFocus(ui::TextBox* box, int piece, const QString& question,
                        void (masters::ClsItem::*update)(int, double));
    masters::ClsCustomer& customer();

    std::unique_ptr<ClsOrder> order_;
    // The lines on screen: the estimate's own, shared with Order while the
    // screen is the one using it.
    QPointer<OrderLinesModel> lines_;
    std::unique_ptr<masters::ClsCustomer> customer_;
    Held held_;
    QString mode_;
    bool saved_ = false;
    bool keepOrderOnUnload_ = false;
    QObject* notesAnchor_ = nullptr;  // Frame1, which the notes panel covers

    // Line editing state.
    bool Editing = false;            // while a line is loaded into the boxes
    bool editOpen_ = false;          // Apply and Cancel shown
    int EditListIndex = -1;          // the row being edited (0-based)
    int EditItemIndex = 0;           // its line's position in the collection (1-based)
    QPersistentModelIndex editRow_;  // that row, followed as rows come and go
};

// The program's one estimate screen.
FrmOrder& frmOrder();

// The screen as the main menu drives it ("AddOrDelete", then show).
shell::Screen frmOrderScreen();

}  // namespace estimates
