#pragma once
// The estimate list: one page of stored estimates (number, date, customer,
// total), searched by estimate number or customer name, sorted by header
// click. Its one action opens the chosen estimate in the estimate screen
// for editing (Select or a double-click), which closes the list. It takes
// no mode: the main menu only shows it.

#include "clsorder.h"

#include "masters/listscreen.h"
#include "shell/screens.h"

#include <memory>

namespace estimates {

class FrmOrders : public masters::ListScreen {
    Q_OBJECT
public:
    FrmOrders();
    ~FrmOrders() override;

    // The screen's record object, made on first use; its SearchFld and
    // SearchVal hold the search every listing uses.
    ClsOrder& Orders();

    // Empties the record object's estimate.
    void ClearClass();

    // Opens the selected estimate in the estimate screen in mode "E" and
    // closes the list; nothing when the list is empty.
    void CmdSelect_Click() override;
    void ListView1_DblClick() override;

    static QString hint();

protected:
    QList<Column> columns() const override;
    std::optional<data::RowArray> fullList(int& page, int& pageCount, const QString& sortField,
                                           const QString& sortDir) override;
    std::optional<data::RowArray> searchList(int& page, int& pageCount, const QString& sortField,
                                             const QString& sortDir) override;
    records::RecordClass& records() override { return Orders(); }
    QStringList rowSubItems(const data::RowArray& rows, int row, bool searched) override;
    QString modeCaption(const QString&) const override { return {}; }
    QString helpText(const QString&) const override { return {}; }
    void takeSearch() override;
    void notFound() override;
    void createSearchControls(QGridLayout* grid) override;
    void controlsCreated() override;
    QString modeButtons() const override { return QStringLiteral("S"); }
    double clientWidth() const override { return 7800; }
    double clientHeight() const override { return 6300; }
    bool hasHelpButton() const override { return false; }
    QString hintText() const override { return hint(); }
    void Form_Load() override;

private:
    void openSelected();

    std::unique_ptr<ClsOrder> orders_;
};

// The list as the main menu drives it: it takes no variables, and show
// opens it (or brings it forward).
shell::Screen frmOrdersScreen();

}  // namespace estimates
