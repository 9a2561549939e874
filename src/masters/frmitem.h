#pragma once
// The items list: one page of the item master at a time, searched by name,
// category or item number, sorted by any column. Adding, copying, viewing
// and editing happen in the item dialog, which this screen prepares and
// shows modally; deleting happens here.

#include "clsitem.h"
#include "listscreen.h"

#include <QPointer>
#include <memory>

class QRadioButton;

namespace masters {

class FrmItemMast;

class FrmItem : public ListScreen {
    Q_OBJECT
public:
    FrmItem();
    ~FrmItem() override;

    // The search box and its options.
    QPointer<ui::TextBox> txtName;
    QPointer<QRadioButton> OptAll, OptName, OptCat, OptCode;

    // The screen's record object.
    ClsItem& Items();

    void cmdAdd_Click() override;
    void CmdEdit_Click() override;
    void cmdCopy_Click() override;
    void cmdDel_Click() override;
    void CmdSelect_Click() override;

    // The spoken help of a mode (empty for the modes without one).
    static QString helpTextFor(const QString& mode);

    static constexpr int helpContextNumber = 2;

protected:
    QList<Column> columns() const override;
    std::optional<data::RowArray> fullList(int& page, int& pageCount, const QString& sortField,
                                           const QString& sortDir) override;
    std::optional<data::RowArray> searchList(int& page, int& pageCount, const QString& sortField,
                                             const QString& sortDir) override;
    records::RecordClass& records() override { return Items(); }
    QStringList rowSubItems(const data::RowArray& rows, int row, bool searched) override;
    QString modeCaption(const QString& mode) const override;
    QString helpText(const QString& mode) const override { return helpTextFor(mode); }
    void takeSearch() override;
    void notFound() override;
    void createSearchControls(QGridLayout* grid) override;
    void openRow(int key) override;

private:
    FrmItemMast& dialog();

    std::unique_ptr<ClsItem> items_;
};

}  // namespace masters
