#pragma once
// The item categories: a tree in which each category names its parent
// (0 = top level). Lists come from the query Categories, which adds each
// category's item count.

#include "categorytree.h"
#include "records/recordclass.h"

#include "data/rowchanges.h"

namespace masters {

class clsCategory : public records::RecordClass {
public:
    using records::RecordClass::RecordClass;

    int Catid = 0;
    QString Catname;  // also the prefix GetSearchCategories looks for
    int ParentCategory = 0;

    // Name given; in mode "A" no other category of that name; in mode "E"
    // a parent that is neither the category itself nor one of its
    // descendants. Each failure shows its message and gives false.
    bool Validate();
    // Inserts (mode "A", Catid then holds the new key) or updates (mode
    // "E"); true when a row was written.
    bool Save();
    // Deletes the category of Catid in mode "D" only; items and child
    // categories are not looked at.
    void Delete();
    // Loads the category of Catid and returns its name; when there is none
    // the name becomes "" and the parent 0.
    QString GetCatg();
    // " (parent <- grandparent <- great-grandparent)" of a category, as far
    // as those exist; "" for a top-level or unknown category.
    QString GetParentName(int key);
    // Pages of Categories (key, name, item count, parent key); page -1
    // gives every row.
    std::optional<data::RowArray> GetAllCategories(int& page, int& pageCount, const QString& sortColumn,
                                                   const QString& direction);
    // Every category by name (key, name, parent key), or nothing.
    std::optional<data::RowArray> GetComboCategories();
    // Pages of the categories whose name starts with Catname.
    std::optional<data::RowArray> GetSearchCategories(int& page, int& pageCount, const QString& sortColumn,
                                                      const QString& direction);
    // Number of items in the category of Catid.
    int GetTotalItems();

    // Every category (key, name, parent) by name, as one hierarchy; read
    // again only after the table changed.
    const CategoryTree& Hierarchy();

    static const QStringList& sortColumns();

private:
    bool parentWouldCycle();
    std::optional<data::RowArray> categoriesPage(const QString& source, const data::Params& params, int& page,
                                                 int& pageCount, const QString& sortColumn, const QString& direction,
                                                 bool allowAll);

    CategoryTree hierarchy_;
    data::RowChanges hierarchyChanges_{QStringLiteral("Category")};
};

}  // namespace masters
