#pragma once
// The customers list: one page of customers, searched on a column chosen by
// the option buttons, sorted by header click. By its mode it adds, edits,
// copies or deletes customers through the customer dialog, or (mode "S")
// hands the chosen customer back through HandBack: the estimate screen's
// customer picker sets HandBack and shows the list modally.

#include "clscustomer.h"
#include "listscreen.h"

#include <memory>

namespace masters {

class FrmCustomer : public ListScreen {
    Q_OBJECT
public:
    FrmCustomer();
    ~FrmCustomer() override;

    // Opens a fresh customers list modally as a picker; `chosen` receives
    // the key and name of the customer the user selects (by Select or a
    // double-click). It is not called when the list closes without a choice.
    static void pickCustomer(HandBackFn chosen);

    // The screen's record object (lists, searches, deletes).
    ClsCustomer& Customers();

    void cmdAdd_Click() override;
    void CmdEdit_Click() override;
    void cmdCopy_Click() override;
    void cmdDel_Click() override;

    static QString hint();

protected:
    QList<Column> columns() const override;
    std::optional<data::RowArray> fullList(int& page, int& pageCount, const QString& sortField,
                                           const QString& sortDir) override;
    std::optional<data::RowArray> searchList(int& page, int& pageCount, const QString& sortField,
                                             const QString& sortDir) override;
    records::RecordClass& records() override { return Customers(); }
    QStringList rowSubItems(const data::RowArray& rows, int row, bool searched) override;
    QString modeCaption(const QString& mode) const override;
    QString helpText(const QString& mode) const override;
    void takeSearch() override;
    void notFound() override;
    void createSearchControls(QGridLayout* grid) override;
    bool doubleClickPicks() const override { return true; }
    void openRow(int key) override;
    QString hintText() const override { return hint(); }

private:
    std::unique_ptr<ClsCustomer> customers_;
};

}  // namespace masters
