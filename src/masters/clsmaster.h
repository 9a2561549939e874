#pragma once
// The one-column name lists: takeoff names ("Rooms") and units ("Units"),
// the table chosen by Mastertable. The name-list screen walks them one
// record at a time by position in name order.

#include "records/recordclass.h"

namespace masters {

class clsMaster : public records::RecordClass {
public:
    using records::RecordClass::RecordClass;

    QString Mastertable;  // "Rooms" or "Units"; set before any operation
    int Id = 0;
    QString Name;  // also the text GetSearchCategories looks for
    // 1-based place of the current row in name order (0 while unknown):
    // set by GetRecord, GetCategory and a Save that wrote a row.
    int Position = 0;

    // Name given; in mode "A" no row of that name. Failures show their
    // message (title "Master Entry") and give false.
    bool Validate();
    // Inserts (mode "A") or renames (mode "E"); after a written row the
    // object holds that row's Id and Position, and "Record Saved" is shown.
    // True when a row was written.
    bool Save();
    // Deletes the row of Id in mode "D" only.
    void Delete();
    // Loads the name of Id and returns it; "" and nothing changed when there is none.
    QString GetCatg();
    // The row at a position in name order, clamped into the table (nothing
    // or 0 reads as 1); nothing, and no field changed, for an empty table.
    // Sets RecordCount to the table's rows.
    std::optional<int> GetRecord(std::optional<int> position);
    // Pages of the whole table (key, name).
    std::optional<data::RowArray> GetAllCategories(int& page, int& pageCount, const QString& sortColumn,
                                                   const QString& direction);
    // Every row by name, or nothing.
    std::optional<data::RowArray> GetComboCategories();
    // Pages of the rows whose name contains Name; "No Result found." when none.
    std::optional<data::RowArray> GetSearchCategories(int& page, int& pageCount, const QString& sortColumn,
                                                      const QString& direction);
    // Position of the first name in name order that contains the text, with
    // that row loaded; "No Result found." and nothing when none does.
    std::optional<int> GetCategory(const QString& text);

    static const QStringList& tables();

private:
    QString table() const;
    int positionOf(int id);
    int rowCount();
    std::optional<data::RowArray> namesPage(const QString& source, const data::Params& params, int& page,
                                            int& pageCount, const QString& sortColumn, const QString& direction);
};

}  // namespace masters
