#include "ui/combobox.h"
#include "ui/datepicker.h"
#include "ui/headericons.h"
#include "ui/keyedlistmodel.h"
#include "ui/listview.h"
#include "ui/modellistview.h"
#include "ui/popupmenu.h"
#include "ui/richtextbox.h"
#include "ui/tabstrip.h"
#include "ui/textbox.h"
#include "ui/twips.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <memory>

using namespace ui;

Q_DECLARE_METATYPE(ui::ComboStyle)
Q_DECLARE_METATYPE(Qt::FocusReason)

namespace {

QStringList keysOf(const ListView& list)
{
    QStringList keys;
    for (int row = 0; row < list.rowCount(); ++row)
        keys << list.text(row);
    return keys;
}

// A price list as the list screens build it: a hidden key column, then the
// visible columns; keys deliberately out of order.
std::unique_ptr<ListView> priceList()
{
    auto list = std::make_unique<ListView>(nullptr, QStringLiteral("ListView1"));
    list->addColumn(QStringLiteral("ID"), 0);
    list->addColumn(QStringLiteral("Name"), 1500);
    list->addColumn(QStringLiteral("Price"), 900);
    list->addRow(QStringLiteral("30"), {QStringLiteral("Nails"), QStringLiteral("2.5")});
    list->addRow(QStringLiteral("10"), {QStringLiteral("Boards"), QStringLiteral("12")});
    list->addRow(QStringLiteral("20"), {QStringLiteral("Adhesive"), QStringLiteral("7")});
    list->resize(400, 200);
    return list;
}

// Rows of texts held apart from the view that shows them; column 0 is the
// key.
class TextRows : public QAbstractTableModel {
public:
    explicit TextRows(QStringList captions) : captions_(std::move(captions)) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(captions_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(rows_[index.row()].value(index.column())) : QVariant();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        return orientation == Qt::Horizontal && role == Qt::DisplayRole ? QVariant(captions_.value(section))
                                                                        : QVariant();
    }

    void append(const QStringList& row)
    {
        beginInsertRows(QModelIndex(), rowCount(), rowCount());
        rows_ << row;
        endInsertRows();
    }
    void remove(int row)
    {
        beginRemoveRows(QModelIndex(), row, row);
        rows_.removeAt(row);
        endRemoveRows();
    }
    void set(int row, int column, const QString& text)
    {
        rows_[row][column] = text;
        emit dataChanged(index(row, column), index(row, column));
    }
    void replace(const QList<QStringList>& rows)
    {
        beginResetModel();
        rows_ = rows;
        endResetModel();
    }

private:
    QStringList captions_;
    QList<QStringList> rows_;
};

// The price list of priceList() over a model.
struct ModelPriceList {
    TextRows rows{{QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Price")}};
    ModelListView view{nullptr, QStringLiteral("ListView1")};

    ModelPriceList()
    {
        view.setModel(&rows);
        view.setColumnDesign(0, 0);
        view.setColumnDesign(1, 1500);
        view.setColumnDesign(2, 900);
        rows.append({QStringLiteral("30"), QStringLiteral("Nails"), QStringLiteral("2.5")});
        rows.append({QStringLiteral("10"), QStringLiteral("Boards"), QStringLiteral("12")});
        rows.append({QStringLiteral("20"), QStringLiteral("Adhesive"), QStringLiteral("7")});
        view.resize(400, 200);
    }
};

// The number of non-transparent pixels in one row of a picture.
int opaqueInRow(const QImage& image, int y)
{
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
        n += qAlpha(image.pixel(x, y)) > 128;
    return n;
}

}  // namespace

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void comboAddsLeaveNothingSelected_data();
    void comboAddsLeaveNothingSelected();
    void comboSelectionByCodeAndData();
    void comboText();
    void comboOverAKeyedModel_data();
    void comboOverAKeyedModel();
    void aLongDropDownHasAScrollBar();

    void listViewColumnsAndRows();
    void listViewHeaderClickReportsButNeverSorts();
    void listViewHeaderIcons();
    void headerIconPictures();
    void listViewSelection();
    void listViewDoubleClick();
    void listViewEnterIsTheKeyboardsDoubleClick();
    void listViewMoneyColumnRightAlignedAndWholeFigure();
    void listViewScrollsToARow();

    void modelListViewColumnsAndHeader();
    void modelListViewSelection();
    void modelListViewDoubleClickAndEnter();
    void modelListViewFitsAndScrolls();

    void tabStripCodeSelectsSilentlyUserClickReports();
    void tabStripFramesOneOrNone();

    void textBoxNumbers_data();
    void textBoxNumbers();
    void textBoxDigitsAndPointFilter_data();
    void textBoxDigitsAndPointFilter();
    void textBoxDigitsOnlyPaste();
    void textBoxLostFocusReasons_data();
    void textBoxLostFocusReasons();
    void textBoxLostFocusOnRealFocusMove();

    void richTextBoxKeepsPlainText();
    void datePickerFormat();

    void popupPositionIsTwipsInClientCoordinates();
};

// ---- ComboBox ---------------------------------------------------------

void TestControls::comboAddsLeaveNothingSelected_data()
{
    QTest::addColumn<ComboStyle>("style");
    QTest::newRow("drop-down list") << ComboStyle::DropDownList;
    QTest::newRow("drop-down") << ComboStyle::DropDown;
}

void TestControls::comboAddsLeaveNothingSelected()
{
    QFETCH(ComboStyle, style);
    ComboBox combo(nullptr, QStringLiteral("cmbUnit"), style);
    QCOMPARE(combo.objectName(), QStringLiteral("cmbUnit"));
    QSignalSpy changed(&combo, &QComboBox::currentIndexChanged);

    QCOMPARE(combo.addItem(QStringLiteral("Feet"), 7), 0);
    QCOMPARE(combo.addItem(QStringLiteral("Yard"), 2147483647), 1);
    QCOMPARE(combo.addItem(QStringLiteral("Each")), 2);

    QCOMPARE(combo.listCount(), 3);
    QCOMPARE(combo.listIndex(), -1);
    QCOMPARE(combo.text(), QString());
    QCOMPARE(combo.selectedData(), 0);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(combo.itemData(0), 7);
    QCOMPARE(combo.itemData(1), 2147483647);
    QCOMPARE(combo.itemData(2), 0);  // no data given
    QCOMPARE(combo.itemData(3), 0);  // outside the list
    QCOMPARE(combo.itemData(-1), 0);

    // Clearing a selected combo is silent too, and the next fill starts
    // unselected again.
    combo.setListIndex(1);
    changed.clear();
    combo.clear();
    QCOMPARE(combo.listCount(), 0);
    QCOMPARE(combo.listIndex(), -1);
    QCOMPARE(combo.text(), QString());
    combo.addItem(QStringLiteral("Sq ft"), 4);
    QCOMPARE(combo.listIndex(), -1);
    QCOMPARE(changed.count(), 0);
}

void TestControls::comboSelectionByCodeAndData()
{
    ComboBox combo(nullptr, QStringLiteral("cmbParent"));
    combo.addItem(QStringLiteral("No Parent Category"), 0);
    combo.addItem(QStringLiteral("Doors"), 20);
    combo.addItem(QStringLiteral("Windows"), 35);
    QSignalSpy changed(&combo, &QComboBox::currentIndexChanged);

    QVERIFY(combo.selectByData(35));
    QCOMPARE(combo.listIndex(), 2);
    QCOMPARE(combo.selectedData(), 35);
    QCOMPARE(combo.text(), QStringLiteral("Windows"));
    QCOMPARE(changed.count(), 1);  // code selection fires, as the old Click did
    QCOMPARE(changed.at(0).at(0).toInt(), 2);

    QVERIFY(!combo.selectByData(99));
    QCOMPARE(combo.listIndex(), 2);

    combo.setListIndex(5);  // outside: ignored
    QCOMPARE(combo.listIndex(), 2);
    combo.setListIndex(0);
    QCOMPARE(combo.selectedData(), 0);
    combo.setListIndex(-1);
    QCOMPARE(combo.listIndex(), -1);
    QCOMPARE(changed.count(), 3);

    // 0 is an ordinary key: the "No Parent Category" entry is found by it.
    QVERIFY(combo.selectByData(0));
    QCOMPARE(combo.listIndex(), 0);
}

void TestControls::comboText()
{
    ComboBox list(nullptr, QStringLiteral("cmbSState"), ComboStyle::DropDownList);
    QVERIFY(!list.isEditable());
    list.addItem(QStringLiteral("Nevada"), 1);
    list.addItem(QStringLiteral("Ohio"), 2);
    list.setText(QStringLiteral("Ohio"));
    QCOMPARE(list.listIndex(), 1);
    list.setText(QStringLiteral("Texas"));  // not in the list: nothing changes
    QCOMPARE(list.listIndex(), 1);
    QCOMPARE(list.text(), QStringLiteral("Ohio"));

    // A drop-down keeps typed text while entries are added, and typing plus
    // Enter does not add an entry.
    ComboBox typed(nullptr, QStringLiteral("cmbTab37"), ComboStyle::DropDown);
    QVERIFY(typed.isEditable());
    typed.setText(QStringLiteral("12 x 12"));
    typed.addItem(QStringLiteral("6 x 6"), 6);
    QCOMPARE(typed.text(), QStringLiteral("12 x 12"));
    QCOMPARE(typed.listIndex(), -1);
    typed.show();
    QTest::keyClick(typed.lineEdit(), Qt::Key_Return);
    QCOMPARE(typed.listCount(), 1);
    typed.setListIndex(0);
    QCOMPARE(typed.text(), QStringLiteral("6 x 6"));
}

// Two combos show one model (names, and a second column as the hidden
// price list does): entries, item data and selection as with entries of
// their own; keys found at once, also when they lie far apart.
void TestControls::comboOverAKeyedModel_data()
{
    QTest::addColumn<QList<qint64>>("keys");
    QTest::newRow("keys close together") << QList<qint64>{5, 3, 9, 3, 4};
    QTest::newRow("keys far apart") << QList<qint64>{5000000000LL, 3, -7, 3, 123456789};
}

void TestControls::comboOverAKeyedModel()
{
    QFETCH(QList<qint64>, keys);
    const QStringList names{"Board", "Nail", "Pipe", "Nail again", "Wire"};
    KeyedListModel model(std::vector<qint64>(keys.begin(), keys.end()), 2, [&names](int row, int column) {
        return column == 0 ? names.at(row) : QStringLiteral("price %1").arg(row);
    });
    ComboBox items(nullptr, QStringLiteral("cmbItems"));
    ComboBox prices(nullptr, QStringLiteral("cmbPrices"));
    items.addItem(QStringLiteral("old entry"), 1);
    items.setListIndex(0);
    QSignalSpy changed(&items, &QComboBox::currentIndexChanged);
    items.setKeyedModel(&model, 0);
    prices.setKeyedModel(&model, 1);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(items.listIndex(), -1);
    QCOMPARE(items.listCount(), 5);
    QCOMPARE(prices.listCount(), 5);
    QCOMPARE(items.itemText(2), QStringLiteral("Pipe"));
    QCOMPARE(prices.itemText(2), QStringLiteral("price 2"));
    QCOMPARE(items.itemData(4), keys[4]);

    // A key held twice: the first entry for selectByData, the last on asking.
    QCOMPARE(items.firstEntryOf(3), 1);
    QCOMPARE(items.lastEntryOf(3), 3);
    QCOMPARE(items.firstEntryOf(keys[2]), 2);
    QCOMPARE(items.lastEntryOf(keys[4]), 4);
    QCOMPARE(items.firstEntryOf(6), -1);
    QCOMPARE(items.lastEntryOf(-8), -1);
    QVERIFY(items.selectByData(3));
    QCOMPARE(items.listIndex(), 1);
    QCOMPARE(items.text(), QStringLiteral("Nail"));
    QCOMPARE(items.selectedData(), 3);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!items.selectByData(6));
    QCOMPARE(items.listIndex(), 1);

    // The drop-down opens as a list below the box.
    items.show();
    items.showPopup();
    QVERIFY(items.view()->isVisible());
    items.hidePopup();

    // clear() gives the combo entries of its own again.
    items.clear();
    QCOMPARE(items.listCount(), 0);
    QCOMPARE(items.listIndex(), -1);
    QVERIFY(!items.keyedModel());
    items.addItem(QStringLiteral("new entry"), 8);
    QCOMPARE(items.listCount(), 1);
    QCOMPARE(items.firstEntryOf(8), 0);
    QCOMPARE(model.rowCount(), 5);  // the model was not the combo's to empty
}

void TestControls::aLongDropDownHasAScrollBar()
{
    // A mouse user reaches the end of a long list by its scroll bar.
    std::vector<qint64> keys(1000);
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = qint64(i) + 1;
    KeyedListModel model(keys, 1,
                         [](int row, int) { return QStringLiteral("Item %1").arg(row, 4, 10, QLatin1Char('0')); });
    ComboBox items(nullptr, QStringLiteral("cmbItems"));
    items.setKeyedModel(&model, 0);
    items.show();
    items.showPopup();
    QVERIFY(items.view()->isVisible());
    QScrollBar* bar = items.view()->verticalScrollBar();
    QVERIFY(bar->isVisible());
    bar->setValue(bar->maximum());
    QVERIFY(items.view()->indexAt(items.view()->viewport()->rect().bottomLeft() + QPoint(1, -1)).row() >= 990);
    items.hidePopup();
}

// ---- ListView ---------------------------------------------------------

void TestControls::listViewColumnsAndRows()
{
    auto list = priceList();
    QCOMPARE(list->columnCount(), 3);
    QVERIFY(list->isColumnHidden(0));
    QVERIFY(!list->isColumnHidden(1));
    QCOMPARE(list->columnWidth(1), toPixels(1500));
    QCOMPARE(list->columnWidth(2), toPixels(900));
    QCOMPARE(list->headerItem()->text(2), QStringLiteral("Price"));

    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(list->text(1), QStringLiteral("10"));
    QCOMPARE(list->subItem(1, 1), QStringLiteral("Boards"));
    QCOMPARE(list->subItem(1, 2), QStringLiteral("12"));
    QCOMPARE(list->text(3), QString());
    QCOMPARE(list->subItem(0, 0), QString());  // sub-items count from 1

    // A row's cells are changed in place, and removing one moves the rows
    // after it up.
    list->setText(2, QStringLiteral("21"));
    list->setSubItem(2, 2, QStringLiteral("7.25"));
    QCOMPARE(list->text(2), QStringLiteral("21"));
    QCOMPARE(list->subItem(2, 2), QStringLiteral("7.25"));
    list->removeRow(0);
    QCOMPARE(keysOf(*list), (QStringList{"10", "21"}));

    QVERIFY(!(list->topLevelItem(0)->flags() & Qt::ItemIsEditable));
    QVERIFY(!list->rootIsDecorated());
    QVERIFY(!list->isSortingEnabled());
}

void TestControls::listViewHeaderClickReportsButNeverSorts()
{
    auto list = priceList();
    list->show();
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    QSignalSpy clicked(list.get(), &ListView::columnClicked);

    QHeaderView* header = list->header();
    for (int column : {2, 1, 2}) {
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    QCOMPARE(clicked.count(), 3);
    QCOMPARE(clicked.at(0).at(0).toInt(), 3);  // 1-based position
    QCOMPARE(clicked.at(1).at(0).toInt(), 2);
    QCOMPARE(keysOf(*list), (QStringList{"30", "10", "20"}));

    // The sort-order flag is only a flag.
    QCOMPARE(list->sortOrder(), 0);
    list->setSortOrder(1);
    QCOMPARE(list->property("sortOrder").toInt(), 1);
    list->setSortOrder(5);
    QCOMPARE(list->sortOrder(), 1);
    list->setSortOrder(0);
    QCOMPARE(list->sortOrder(), 0);
    QCOMPARE(keysOf(*list), (QStringList{"30", "10", "20"}));
}

void TestControls::listViewHeaderIcons()
{
    auto list = priceList();
    QVERIFY(list->headerItem()->icon(1).isNull());  // none until a screen sets one
    QCOMPARE(list->headerIcon(1), HeaderIcon::Blank);

    list->setAllHeaderIcons(HeaderIcon::Blank);
    list->setHeaderIcon(1, HeaderIcon::Down);
    QCOMPARE(list->headerIcon(0), HeaderIcon::Blank);
    QCOMPARE(list->headerIcon(1), HeaderIcon::Down);
    QCOMPARE(list->headerIcon(2), HeaderIcon::Blank);
    QVERIFY(!list->headerItem()->icon(1).isNull());
    QVERIFY(!list->headerItem()->icon(2).isNull());  // blank still takes the space

    list->setAllHeaderIcons(HeaderIcon::Blank);
    list->setHeaderIcon(2, HeaderIcon::Up);
    QCOMPARE(list->headerIcon(1), HeaderIcon::Blank);
    QCOMPARE(list->headerIcon(2), HeaderIcon::Up);
    list->setHeaderIcon(7, HeaderIcon::Up);  // no such column: ignored
    QCOMPARE(list->headerIcon(7), HeaderIcon::Blank);
}

void TestControls::headerIconPictures()
{
    const QImage blank = headerIcon(HeaderIcon::Blank).pixmap(16, 16).toImage();
    const QImage up = headerIcon(HeaderIcon::Up).pixmap(16, 16).toImage();
    const QImage down = headerIcon(HeaderIcon::Down).pixmap(16, 16).toImage();
    QCOMPARE(blank.size(), QSize(16, 16));

    int blankOpaque = 0, upOpaque = 0;
    for (int y = 0; y < 16; ++y) {
        blankOpaque += opaqueInRow(blank, y);
        upOpaque += opaqueInRow(up, y);
    }
    QCOMPARE(blankOpaque, 0);
    QVERIFY(upOpaque > 10);
    // Up is wide at the bottom and narrow at the top; Down the other way.
    QVERIFY(opaqueInRow(up, 9) > opaqueInRow(up, 6));
    QVERIFY(opaqueInRow(down, 6) > opaqueInRow(down, 9));

    for (HeaderIcon h : {HeaderIcon::Blank, HeaderIcon::Up, HeaderIcon::Down})
        QCOMPARE(headerIconFromName(headerIconName(h)), std::optional<HeaderIcon>(h));
    QCOMPARE(headerIconName(HeaderIcon::Down), QStringLiteral("Down"));
    QCOMPARE(headerIconFromName(u"up"), std::optional<HeaderIcon>());
}

void TestControls::listViewSelection()
{
    ListView list(nullptr, QStringLiteral("ListView1"));
    list.addColumn(QStringLiteral("ID"), 0);
    list.addColumn(QStringLiteral("Name"), 1500);
    QSignalSpy selected(&list, &ListView::rowSelected);
    QCOMPARE(list.selectedRow(), -1);
    QCOMPARE(list.selectedKey(), QString());

    // The first row of a fill is selected, silently; later rows do not move
    // the selection.
    for (int i = 0; i < 500; ++i)
        QCOMPARE(list.addRow(QString::number(1000 + i), {QStringLiteral("Item %1").arg(i)}), i);
    QCOMPARE(list.selectedRow(), 0);
    QCOMPARE(list.selectedKey(), QStringLiteral("1000"));

    QVERIFY(list.selectByKey(QStringLiteral("1450")));
    QCOMPARE(list.selectedRow(), 450);
    QVERIFY(!list.selectByKey(QStringLiteral("99")));
    QCOMPARE(list.selectedRow(), 450);
    list.setSelectedRow(-1);
    QCOMPARE(list.selectedRow(), -1);
    list.setSelectedRow(3);
    QCOMPARE(list.selectedKey(), QStringLiteral("1003"));
    QCOMPARE(selected.count(), 0);  // code selections are not user choices

    list.clearRows();
    QCOMPARE(list.rowCount(), 0);
    QCOMPARE(list.selectedRow(), -1);
    QCOMPARE(list.columnCount(), 2);  // the columns stay
    list.addRow(QStringLiteral("7"));
    QCOMPARE(list.selectedKey(), QStringLiteral("7"));
    QCOMPARE(selected.count(), 0);
}

void TestControls::listViewDoubleClick()
{
    auto list = priceList();
    list->show();
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    QSignalSpy selected(list.get(), &ListView::rowSelected);
    QSignalSpy doubled(list.get(), &ListView::rowDoubleClicked);

    const QPoint at = list->visualItemRect(list->topLevelItem(2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toInt(), 2);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(doubled.count(), 1);
    QCOMPARE(doubled.at(0).at(0).toInt(), 2);
    QCOMPARE(list->selectedKey(), QStringLiteral("20"));
    QVERIFY(!list->isPersistentEditorOpen(list->topLevelItem(2), 1));
    QCOMPARE(list->subItem(2, 1), QStringLiteral("Adhesive"));
}

void TestControls::listViewEnterIsTheKeyboardsDoubleClick()
{
    auto list = priceList();
    list->show();
    QSignalSpy doubled(list.get(), &ListView::rowDoubleClicked);
    list->setSelectedRow(1);
    QTest::keyClick(list.get(), Qt::Key_Return);
    QTest::keyClick(list.get(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(doubled.count(), 2);
    QCOMPARE(doubled.at(0).at(0).toInt(), 1);
    // With nothing selected Enter means nothing.
    list->setSelectedRow(-1);
    QTest::keyClick(list.get(), Qt::Key_Return);
    QCOMPARE(doubled.count(), 2);
}

void TestControls::listViewMoneyColumnRightAlignedAndWholeFigure()
{
    auto list = priceList();
    list->setSpreadColumns(true);
    list->setColumnRightAligned(2);
    list->setColumnFitsContents(2);
    list->addRow(QStringLiteral("40"), {QStringLiteral("Crane"), QStringLiteral("123456789012.25")});
    list->show();
    QCOMPARE(list->headerItem()->textAlignment(2), int(Qt::AlignRight | Qt::AlignVCenter));
    for (int row = 0; row < list->rowCount(); ++row)
        QCOMPARE(list->topLevelItem(row)->textAlignment(2), int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(list->topLevelItem(0)->textAlignment(1) & Qt::AlignRight, 0);
    // However narrow the list, the figure is not cut off.
    for (int width : {400, 180}) {
        list->resize(width, 200);
        const int need = list->fontMetrics().horizontalAdvance(QStringLiteral("123456789012.25"));
        QVERIFY2(list->columnWidth(2) > need, qPrintable(QString::number(width)));
    }
    // A longer figure set later widens it again.
    list->setSubItem(0, 2, QStringLiteral("98765432109876.5"));
    QVERIFY(list->columnWidth(2) > list->fontMetrics().horizontalAdvance(QStringLiteral("98765432109876.5")));
}

void TestControls::listViewScrollsToARow()
{
    auto list = priceList();
    for (int i = 0; i < 40; ++i)
        list->addRow(QString::number(100 + i), {QStringLiteral("Part %1").arg(i), QStringLiteral("1")});
    list->resize(300, 150);
    list->show();
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    const int last = list->rowCount() - 1;
    QVERIFY(!list->viewport()->rect().intersects(list->visualItemRect(list->topLevelItem(last))));
    list->scrollToRow(last);
    QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->topLevelItem(last))));
    QCOMPARE(list->selectedKey(), QStringLiteral("30"));
}

// ---- ModelListView ----------------------------------------------------

void TestControls::modelListViewColumnsAndHeader()
{
    ModelPriceList list;
    ModelListView& lv = list.view;
    QCOMPARE(lv.sourceModel(), &list.rows);
    QCOMPARE(lv.columnCount(), 3);
    QVERIFY(lv.isColumnHidden(0));
    QVERIFY(!lv.isColumnHidden(1));
    QCOMPARE(lv.columnWidth(1), toPixels(1500));
    QCOMPARE(lv.columnWidth(2), toPixels(900));
    QCOMPARE(lv.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Price"));

    QCOMPARE(lv.rowCount(), 3);
    QCOMPARE(lv.text(1), QStringLiteral("10"));
    QCOMPARE(lv.subItem(1, 1), QStringLiteral("Boards"));
    QCOMPARE(lv.subItem(1, 2), QStringLiteral("12"));
    QCOMPARE(lv.text(3), QString());
    QCOMPARE(lv.subItem(0, 0), QString());  // sub-items count from 1
    QCOMPARE(lv.subItem(0, 3), QString());
    QVERIFY(!lv.rootIsDecorated());
    QVERIFY(!lv.isSortingEnabled());
    QCOMPARE(lv.editTriggers(), QAbstractItemView::NoEditTriggers);

    // The pictures are the view's, shown in the model's header.
    const auto picture = [&lv](int column) {
        return qvariant_cast<QIcon>(lv.model()->headerData(column, Qt::Horizontal, Qt::DecorationRole));
    };
    QVERIFY(picture(1).isNull());  // none until a screen sets one
    QCOMPARE(lv.headerIcon(1), HeaderIcon::Blank);
    lv.setHeaderIcon(1, HeaderIcon::Down);
    QCOMPARE(lv.headerIcon(1), HeaderIcon::Down);
    QCOMPARE(lv.headerIcon(2), HeaderIcon::Blank);
    QVERIFY(!picture(1).isNull());
    QVERIFY(picture(2).isNull());
    QVERIFY(list.rows.headerData(1, Qt::Horizontal, Qt::DecorationRole).isNull());
    lv.setHeaderIcon(7, HeaderIcon::Up);  // no such column: ignored
    QCOMPARE(lv.headerIcon(7), HeaderIcon::Blank);
}

void TestControls::modelListViewSelection()
{
    TextRows rows({QStringLiteral("ID"), QStringLiteral("Name")});
    ModelListView lv(nullptr, QStringLiteral("ListView1"));
    lv.setModel(&rows);
    QSignalSpy selected(&lv, &ModelListView::rowSelected);
    QCOMPARE(lv.selectedRow(), -1);

    // The first row of an empty list is selected, silently; later rows do
    // not move the selection.
    for (int i = 0; i < 5; ++i)
        rows.append({QString::number(100 + i), QStringLiteral("Item %1").arg(i)});
    QCOMPARE(lv.selectedRow(), 0);
    lv.setSelectedRow(3);
    QCOMPARE(lv.selectedRow(), 3);
    lv.setSelectedRow(-1);
    QCOMPARE(lv.selectedRow(), -1);

    // Removing the selected row selects the one that takes its place, or
    // the one before when it was the last; removing another keeps it.
    lv.setSelectedRow(1);
    rows.remove(1);
    QCOMPARE(lv.text(lv.selectedRow()), QStringLiteral("102"));
    rows.remove(0);
    QCOMPARE(lv.text(lv.selectedRow()), QStringLiteral("102"));
    lv.setSelectedRow(2);
    rows.remove(2);
    QCOMPARE(lv.text(lv.selectedRow()), QStringLiteral("103"));
    rows.remove(1);
    rows.remove(0);
    QCOMPARE(lv.selectedRow(), -1);
    QCOMPARE(lv.rowCount(), 0);

    // Rows put in place of all others: the first is selected.
    rows.replace({{QStringLiteral("7"), QStringLiteral("Seven")}, {QStringLiteral("8"), QStringLiteral("Eight")}});
    QCOMPARE(lv.selectedRow(), 0);
    rows.replace({});
    QCOMPARE(lv.selectedRow(), -1);
    QCOMPARE(selected.count(), 0);  // code selections are not user choices
}

void TestControls::modelListViewDoubleClickAndEnter()
{
    ModelPriceList list;
    ModelListView& lv = list.view;
    lv.show();
    QVERIFY(QTest::qWaitForWindowExposed(&lv));
    QSignalSpy selected(&lv, &ModelListView::rowSelected);
    QSignalSpy doubled(&lv, &ModelListView::rowDoubleClicked);

    const QPoint at = lv.rowRect(2).center();
    QTest::mouseClick(lv.viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toInt(), 2);
    QTest::mouseDClick(lv.viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(doubled.count(), 1);
    QCOMPARE(doubled.at(0).at(0).toInt(), 2);
    QCOMPARE(lv.selectedRow(), 2);

    lv.setSelectedRow(1);
    QTest::keyClick(&lv, Qt::Key_Return);
    QTest::keyClick(&lv, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(doubled.count(), 3);
    QCOMPARE(doubled.at(1).at(0).toInt(), 1);
    // With nothing selected Enter means nothing.
    lv.setSelectedRow(-1);
    QTest::keyClick(&lv, Qt::Key_Return);
    QCOMPARE(doubled.count(), 3);
}

void TestControls::modelListViewFitsAndScrolls()
{
    ModelPriceList list;
    ModelListView& lv = list.view;
    lv.setSpreadColumns(true);
    lv.setColumnFitsContents(2);
    list.rows.append({QStringLiteral("40"), QStringLiteral("Crane"), QStringLiteral("123456789012.25")});
    lv.show();
    // However narrow the list, the figure is not cut off.
    for (int width : {400, 180}) {
        lv.resize(width, 200);
        const int need = lv.fontMetrics().horizontalAdvance(QStringLiteral("123456789012.25"));
        QVERIFY2(lv.columnWidth(2) > need, qPrintable(QString::number(width)));
    }
    // A longer figure set later widens it again.
    list.rows.set(0, 2, QStringLiteral("98765432109876.5"));
    QVERIFY(lv.columnWidth(2) > lv.fontMetrics().horizontalAdvance(QStringLiteral("98765432109876.5")));
    // The visible columns share a wide list.
    lv.resize(900, 200);
    QVERIFY(lv.columnWidth(1) > toPixels(1500));

    for (int i = 0; i < 40; ++i)
        list.rows.append({QString::number(100 + i), QStringLiteral("Part %1").arg(i), QStringLiteral("1")});
    lv.resize(300, 150);
    QVERIFY(QTest::qWaitForWindowExposed(&lv));
    const int last = lv.rowCount() - 1;
    QVERIFY(!lv.viewport()->rect().intersects(lv.rowRect(last)));
    lv.scrollToRow(last);
    QVERIFY(lv.viewport()->rect().contains(lv.rowRect(last)));
    QCOMPARE(lv.selectedRow(), 0);
}

// ---- TabStrip ---------------------------------------------------------

void TestControls::tabStripCodeSelectsSilentlyUserClickReports()
{
    TabStrip strip(nullptr, QStringLiteral("TabStrip1"));
    QSignalSpy clicked(&strip, &TabStrip::tabClicked);
    QCOMPARE(strip.selectedIndex(), 0);
    QCOMPARE(strip.addTab(QStringLiteral("Rafter Angle")), 1);
    QCOMPARE(strip.addTab(QStringLiteral("Stairs"), QStringLiteral("Stair calculator")), 2);
    QCOMPARE(strip.addTab(QStringLiteral("Gutter")), 3);
    QCOMPARE(strip.tabCount(), 3);
    QCOMPARE(strip.selectedIndex(), 1);
    QCOMPARE(strip.tabBar()->tabToolTip(1), QStringLiteral("Stair calculator"));

    strip.setSelectedIndex(3);
    QCOMPARE(strip.selectedIndex(), 3);
    strip.setSelectedIndex(4);  // no such tab
    QCOMPARE(strip.selectedIndex(), 3);
    QCOMPARE(clicked.count(), 0);

    strip.resize(400, 300);
    strip.show();
    QVERIFY(QTest::qWaitForWindowExposed(&strip));
    QTabBar* bar = strip.tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), 2);
    QCOMPARE(strip.selectedIndex(), 2);

    // A click on the tab already selected is no new choice.
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QCOMPARE(clicked.count(), 1);
}

void TestControls::tabStripFramesOneOrNone()
{
    TabStrip strip(nullptr, QStringLiteral("TabStrip1"));
    strip.addTab(QStringLiteral("Gutter"));
    strip.addTab(QStringLiteral("Sofface"));
    strip.addTab(QStringLiteral("Conversions"));
    auto* gutter = strip.addFrame(new QWidget);
    auto* blocks = strip.addFrame(new QWidget);
    auto* length = new QLineEdit(gutter);

    // The screen's handler: tabs 1 and 2 share a frame, tab 3 shows none.
    QObject::connect(&strip, &TabStrip::tabClicked, &strip, [&](int tab) {
        strip.hideFrames();
        if (tab == 1 || tab == 2)
            strip.showFrame(gutter);
    });

    strip.resize(400, 300);
    strip.show();
    QVERIFY(QTest::qWaitForWindowExposed(&strip));
    QCOMPARE(strip.visibleFrame(), nullptr);  // frames start hidden
    QVERIFY(!gutter->isVisible());

    strip.showFrame(gutter);
    QVERIFY(strip.isFrameVisible(gutter));
    QVERIFY(gutter->isVisible());
    QTest::keyClicks(length, QStringLiteral("42"));

    QTabBar* bar = strip.tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QVERIFY(strip.isFrameVisible(gutter));
    QCOMPARE(length->text(), QStringLiteral("42"));

    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    QCOMPARE(strip.visibleFrame(), nullptr);
    QVERIFY(!gutter->isVisible());
    QVERIFY(!blocks->isVisible());

    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    QVERIFY(gutter->isVisible());
    QCOMPARE(length->text(), QStringLiteral("42"));

    strip.showFrame(blocks);
    QVERIFY(blocks->isVisible());
    QVERIFY(!gutter->isVisible());
    QVERIFY(!strip.isFrameVisible(gutter));
    QVERIFY(!strip.isFrameVisible(nullptr));

    // A frame not added before is taken in when shown.
    auto* late = new QWidget;
    strip.showFrame(late);
    QCOMPARE(strip.visibleFrame(), late);
    QVERIFY(late->isVisible());
}

// ---- TextBox ----------------------------------------------------------

void TestControls::textBoxNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("number then unit") << "7.5 ft" << 7.5;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("not a number") << "abc" << 0.0;
    QTest::newRow("comma is no decimal point") << "2,5" << 2.0;
}

void TestControls::textBoxNumbers()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    TextBox box(nullptr, QStringLiteral("TxtQty"));
    box.setText(text);
    QCOMPARE(box.number(), number);

    box.setNumber(0.1 + 0.2);
    QCOMPARE(box.text(), QStringLiteral("0.3"));
    box.setNumber(24);
    QCOMPARE(box.text(), QStringLiteral("24"));
}

void TestControls::textBoxDigitsAndPointFilter_data()
{
    QTest::addColumn<bool>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    // clang-format off
    QTest::newRow("letters and minus dropped") << true << "12a.5-" << "12.5";
    QTest::newRow("comma and blank dropped") << true << ",7 x" << "7";
    QTest::newRow("points not limited") << true << "1..2." << "1..2.";
    QTest::newRow("filter off") << false << "12a.5-" << "12a.5-";
    // clang-format on
}

void TestControls::textBoxDigitsAndPointFilter()
{
    QFETCH(bool, filter);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    TextBox box(nullptr, QStringLiteral("TxtMaterial"));
    box.setDigitsAndPointOnly(filter);
    box.show();
    QTest::keyClicks(&box, typed);
    QCOMPARE(box.text(), result);

    // Editing keys still work.
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(box.text(), result.chopped(1));
    QTest::keyClick(&box, Qt::Key_Home);
    QTest::keyClick(&box, Qt::Key_Delete);
    QCOMPARE(box.text(), result.chopped(1).mid(1));
}

void TestControls::textBoxDigitsOnlyPaste()
{
    TextBox box(nullptr, QStringLiteral("txtLabor"));
    box.setDigitsAndPointOnly(true);
    box.setText(QStringLiteral("1"));
    box.show();
    QClipboard* clipboard = QApplication::clipboard();
    const QString saved = clipboard->text();

    clipboard->setText(QStringLiteral("-2a"));
    QTest::keySequence(&box, QKeySequence::Paste);
    QCOMPARE(box.text(), QStringLiteral("1"));

    clipboard->setText(QStringLiteral("2.5"));
    QTest::keySequence(&box, QKeySequence::Paste);
    QCOMPARE(box.text(), QStringLiteral("12.5"));

    // The same through the context menu.
    const auto pasteFromMenu = [&box] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&box, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* a : menu->actions()) {
            if (a->text().startsWith(QStringLiteral("&Paste")))
                a->trigger();
        }
        menu->close();
    };
    box.setText(QStringLiteral("1"));
    clipboard->setText(QStringLiteral("x9"));
    pasteFromMenu();
    QCOMPARE(box.text(), QStringLiteral("1"));
    clipboard->setText(QStringLiteral("9"));
    pasteFromMenu();
    QCOMPARE(box.text(), QStringLiteral("19"));

    // Code may still write any text.
    box.setNumber(-1e-5);
    QCOMPARE(box.text(), QStringLiteral("-1E-05"));
    clipboard->setText(saved);
}

void TestControls::textBoxLostFocusReasons_data()
{
    QTest::addColumn<Qt::FocusReason>("reason");
    QTest::addColumn<int>("emitted");
    QTest::newRow("tab") << Qt::TabFocusReason << 1;
    QTest::newRow("mouse") << Qt::MouseFocusReason << 1;
    QTest::newRow("code") << Qt::OtherFocusReason << 1;
    QTest::newRow("context menu") << Qt::PopupFocusReason << 0;
    QTest::newRow("other window") << Qt::ActiveWindowFocusReason << 0;
}

void TestControls::textBoxLostFocusReasons()
{
    QFETCH(Qt::FocusReason, reason);
    QFETCH(int, emitted);
    TextBox box(nullptr, QStringLiteral("TxtMaterial"));
    QSignalSpy lost(&box, &TextBox::lostFocus);
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(&box, &out);
    QCOMPARE(lost.count(), emitted);
}

void TestControls::textBoxLostFocusOnRealFocusMove()
{
    QWidget window;
    auto* price = new TextBox(&window, QStringLiteral("TxtMaterial"));
    auto* qty = new TextBox(&window, QStringLiteral("TxtQty"));
    qty->move(0, 40);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy priceLost(price, &TextBox::lostFocus);
    QSignalSpy qtyLost(qty, &TextBox::lostFocus);

    price->setFocus(Qt::TabFocusReason);
    QVERIFY(price->hasFocus());
    QCOMPARE(qtyLost.count(), 0);
    qty->setFocus(Qt::TabFocusReason);
    QCOMPARE(priceLost.count(), 1);
    QCOMPARE(qtyLost.count(), 0);

    price->setLocked(true);
    QVERIFY(price->isLocked());
    QVERIFY(price->isReadOnly());
}

// ---- RichTextBox, DatePicker --------------------------------------------

void TestControls::richTextBoxKeepsPlainText()
{
    RichTextBox notes(nullptr, QStringLiteral("rtfNotes"));
    QVERIFY(!notes.acceptRichText());
    notes.setText(QStringLiteral("<b>Call</b> before\n9 am"));
    QCOMPARE(notes.text(), QStringLiteral("<b>Call</b> before\n9 am"));

    notes.moveCursor(QTextCursor::Start);
    notes.moveCursor(QTextCursor::End, QTextCursor::KeepAnchor);
    QCOMPARE(notes.selText(), notes.text());
    notes.setSelText(QStringLiteral("one\ntwo"));
    QCOMPARE(notes.text(), QStringLiteral("one\ntwo"));
    QCOMPARE(notes.selText(), QString());
}

void TestControls::datePickerFormat()
{
    DatePicker date(nullptr, QStringLiteral("TxtDate"));
    QVERIFY(date.calendarPopup());
    QCOMPARE(date.customFormat(), QStringLiteral("MM/dd/yyyy"));
    date.setValue(QDate(2003, 2, 7));
    QCOMPARE(date.value(), QDate(2003, 2, 7));
    QCOMPARE(date.text(), QStringLiteral("02/07/2003"));
    date.setValue(QDate());  // invalid: ignored
    QCOMPARE(date.value(), QDate(2003, 2, 7));
    date.setCustomFormat(QStringLiteral("yyyy-MM-dd"));
    QCOMPARE(date.text(), QStringLiteral("2003-02-07"));
}

// ---- pop-up menus -----------------------------------------------------

void TestControls::popupPositionIsTwipsInClientCoordinates()
{
    QWidget window;
    window.resize(600, 400);
    auto* client = new QWidget(&window);
    client->setGeometry(30, 40, 500, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const double tpp = twipsPerPixel();
    const QPoint expected = QPoint(30, 40) + QPoint(qRound(1500 / tpp), qRound(300 / tpp));
    QCOMPARE(window.mapFromGlobal(popupPosition(client, 1500, 300)), expected);

    QMenu menu;
    menu.addAction(QStringLiteral("Group 1"));
    popupMenuAt(&menu, client, 1500, 300);  // returns at once
    QVERIFY(menu.isVisible());
    QCOMPARE(menu.pos(), popupPosition(client, 1500, 300));
    menu.close();
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
