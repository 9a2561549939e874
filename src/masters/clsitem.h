#pragma once
// The item master: one priced item, its checks and writes, the next item
// number, the single-price write-backs of the estimate screen, and the item
// lists page by page.

#include "records/recordclass.h"

#include "data/textlist.h"

#include <memory>

namespace masters {

class ItemLists;

class ClsItem : public records::RecordClass {
public:
    explicit ClsItem(int pageSize = defaultPageSize);
    ~ClsItem() override;

    int itemid = 0;
    QString Itemcode;  // shown as "Item #"
    QString Itemname;  // the description
    int CategoryId = 0;
    int UnitId = 0;
    int SupplierId = 0;  // kept for the record's shape; nothing reads or writes it
    double Material = 0;
    double Labor = 0;
    double SubLabor = 0;
    double Equipment = 0;
    double Discount = 0;  // as SupplierId
    double qty = 0;
    int ReorderLev = 0;  // as SupplierId
    QString TU;
    QString SearchFld;  // column GetSearchItems matches, or "All"
    QString SearchVal;  // the text the column starts with

    // Field checks, then in mode "A" the duplicate test; each failure shows
    // its message and gives false.
    bool Validate();
    // Inserts (mode "A", itemid then holds the new key) or updates (mode
    // "E") the item; true when a row was written.
    bool Save();
    // Nothing in the program calls it; the item table keeps no stock.
    bool UpdateStock() { return false; }
    // Deletes the item of itemid in mode "D" only.
    void Delete();
    // Loads the item of itemid; false (and nothing changed) when there is none.
    bool GetItem();
    // The next item number: the largest numeric item number plus 1, or 1.
    double Maxitemno();

    // One price of one item, written back from an estimate line.
    void Updatematerialprice(int key, double price);
    void Updatelabourprice(int key, double price);
    void UpdateSublabourprice(int key, double price);
    void UpdateEquipmentprice(int key, double price);

    // Paged lists (records::RecordClass::pagedRows). GetAllItemsN and
    // GetAllReItemsN give, by position: key, name, category name, material,
    // quantity, item number, unit name; only items whose category and unit
    // exist.
    // Nothing in the program calls it (the list pages by GetAllItemsN).
    std::optional<data::RowArray> GetAllItems(int& page, int& pageCount, const QString& sortColumn,
                                              const QString& direction);
    // Item numbers sort by their numeric value first, then as text.
    std::optional<data::RowArray> GetAllItemsN(int& page, int& pageCount, const QString& sortColumn,
                                               const QString& direction);
    // Nothing in the program calls it.
    std::optional<data::RowArray> GetAllReItemsN(int& page, int& pageCount, const QString& sortColumn,
                                                 const QString& direction);
    // Items whose SearchFld starts with SearchVal ("All": whose name or
    // category name does); page -1 gives every match.
    std::optional<data::RowArray> GetSearchItems(int& page, int& pageCount, const QString& sortColumn,
                                                 const QString& direction);

    // Item keys and names, read in one go into a compact form.
    struct ItemNames {
        std::vector<int> keys;
        data::TextList names;
        int count() const { return int(keys.size()); }
        QString name(int i) const { return names.at(i); }
    };
    // The listed items of one category (their unit present), by name, as
    // the index on category and name hands them over: the multi-item
    // picker hangs them under their category when it is opened.
    ItemNames GetCategoryItemNames(int categoryId);
    // The categories that have listed items, whatever their number: one
    // look in the index per category.
    std::vector<int> GetCategoriesWithItems();

    // The sort columns of the joined lists, and the search columns.
    static const QStringList& listSortColumns();
    static const QStringList& searchColumns();

private:
    // What the database lists learn about the table, kept while nothing is
    // written.
    struct ListState {
        std::int64_t dataVersion = -1;
        std::int64_t changes = -1;
        std::optional<bool> allJoined;  // every item has its category and unit
    };
    enum class Filter { None, All, Column };

    void checkListState();
    bool allJoined();
    ItemLists& lists();
    void updatePrice(const char* column, int key, double price, const QString& message);
    // A list page: its keys by ItemLists where it can, by the statement
    // alone for the rest (every row at once, a search of the category key,
    // a database not yet brought up to date).
    std::optional<data::RowArray> itemList(const QString& columns, const QString& source, Filter filter,
                                           const QString& filterColumn, int& page, int& pageCount,
                                           const QString& sortColumn, const QString& direction, bool numericItemNumbers,
                                           bool allowAll);
    std::optional<data::RowArray> databaseList(const QString& columns, const QString& source, Filter filter,
                                               const QString& filterColumn, int& page, int& pageCount,
                                               const QString& sortColumn, const QString& direction, bool allowAll,
                                               bool numericItemNumbers);

    ListState listState_;
    std::unique_ptr<ItemLists> lists_;
};

}  // namespace masters
