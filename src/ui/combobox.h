#pragma once
// A combo box with the old runtime's list semantics: every entry carries a
// number (its item data, a record key), and the list index is -1 until code
// or the user picks an entry. Qt would pick entry 0 as soon as the first
// entry is added; this class undoes that, so that "selected" always means
// someone selected it.
//
// currentIndexChanged is the old Click event: it fires when the user picks
// an entry and also when code changes the selection (setListIndex,
// selectByData, setText on a drop-down list), but not from addItem or clear.

#include "data/rowarray.h"

#include <QComboBox>
#include <optional>
#include <QString>

namespace ui {

class KeyedModel;

enum class ComboStyle {
    DropDown,      // text can be typed as well as picked
    DropDownList,  // only the entries can be chosen
};

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    ComboBox(QWidget* parent, const QString& name, ComboStyle style = ComboStyle::DropDownList);

    ComboStyle comboStyle() const { return style_; }
    void setComboStyle(ComboStyle style);

    // Appends an entry; returns its index. The selection does not change.
    int addItem(const QString& text, qint64 itemData = 0);
    // Adds one entry per row of a combo getter's result: the name (field 1)
    // as text, the key (field 0) as item data; nothing for no result. The
    // selection stays as it was. Returns the number of entries added.
    int addRows(const std::optional<data::RowArray>& rows);
    // Removes all entries; the list index becomes -1 (and an editable
    // combo's text empty) without firing currentIndexChanged.
    void clear();
    // Shows the entries of `model` instead of entries of its own, column
    // `column` as their text, with no entry selected and without firing
    // currentIndexChanged. The combo does not own the model; addItem is
    // not for such a combo, clear() gives it back entries of its own.
    // Entries of one height let the drop-down open at once, however long.
    // A model that reads its rows afresh keeps the selected entry's key
    // selected, without firing currentIndexChanged.
    void setKeyedModel(KeyedModel* model, int column = 0);
    KeyedModel* keyedModel() const;

    int listCount() const { return count(); }
    // The selected entry, -1 for none.
    int listIndex() const { return currentIndex(); }
    // -1 clears the selection; an index outside the list is ignored.
    void setListIndex(int index);

    // Item data of entry i; 0 outside the list.
    qint64 itemData(int index) const;
    // Item data of the selected entry; 0 when none is selected.
    qint64 selectedData() const;
    // Selects the first entry whose item data is `key`. Returns false and
    // leaves the selection alone when there is none.
    bool selectByData(qint64 key);
    // The first and the last entry whose item data is `key`, -1 for none;
    // at once with a keyed model.
    int firstEntryOf(qint64 key) const;
    int lastEntryOf(qint64 key) const;

    // The box's text: what is typed in a drop-down, the selected entry's
    // text in a drop-down list.
    QString text() const;
    // A drop-down takes any text; a drop-down list selects the first entry
    // with exactly this text, and ignores a text it does not hold.
    void setText(const QString& text);

    // The text of the entry holding `key` without finding its place; empty
    // when none does.
    QString textOf(qint64 key) const;

    void showPopup() override;

private:
    ComboStyle style_;
    qint64 keyBeforeReset_ = 0;
    bool selectedBeforeReset_ = false;
    bool silentBeforeReset_ = false;
    QMetaObject::Connection aboutToReset_, wasReset_;
};

}  // namespace ui
