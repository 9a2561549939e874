// The estimate screen's item list, read a page at a time: every row, the
// row of every key, the typed search and the price entries agree with a
// plain query of the whole table, in whatever order the rows are asked
// for; items written while the list is open; and the screen that shows it.

#include "support/screentest.h"
#include "support/seed.h"

#include "estimates/frmorder.h"
#include "estimates/itemchoices.h"
#include "estimates/ordertotals.h"
#include "data/appfolder.h"
#include "data/recordset.h"
#include "ui/combobox.h"
#include "ui/listview.h"
#include "ui/pagedlistmodel.h"
#include "ui/textbox.h"

#include <QAbstractItemView>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>
#include <QFile>

using estimates::FrmOrder;

namespace {

struct RefRow {
    qint64 key;
    QString name;
};

// Texts as the list's order compares them: A to Z taken as a to z.
QString folded(const QString& s)
{
    QString out = s;
    for (QChar& c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return out;
}

}  // namespace

class TestItemChoices : public ScreenTest {
    Q_OBJECT

    // More rows than pages kept, both halves well filled; names that tie,
    // differ only in case, have no text, or hold quotes and wildcards.
    static constexpr int itemCount = 5000;
    QTemporaryDir fixture_;

    QList<RefRow> reference()
    {
        QList<RefRow> out;
        data::Recordset rs = db.query(QStringLiteral("Select ItemId, ItemName from Item order by ItemName, ItemId"));
        for (; !rs.eof(); rs.moveNext())
            out.push_back({rs.value(0).toInt64(), rs.value(1).toText()});
        return out;
    }
    std::unique_ptr<ui::PagedListModel> model()
    {
        return std::make_unique<ui::PagedListModel>(std::make_unique<estimates::ItemChoices>(), 2);
    }
    void compareRow(const ui::PagedListModel& m, const QList<RefRow>& ref, int row)
    {
        QVERIFY2(m.key(row) == ref[row].key, qPrintable(QStringLiteral("row %1").arg(row)));
        QCOMPARE(m.text(row, 0), ref[row].name);
        QCOMPARE(m.data(m.index(row, 0), Qt::UserRole).toLongLong(), ref[row].key);
    }

private slots:
    // The fixture is made once and copied for each test.
    void initTestCase()
    {
        initScreenTest();
        seed::addCategory(db, QStringLiteral("Interior"));
        seed::addUnit(db, QStringLiteral("Each"));
        db.execute(QStringLiteral("Insert into Rooms (Id, Name) values (1, 'Kitchen')"));
        const QStringList stems{"Paint", "paint",  "PAINT",     "Plaster", "plank",        "Éclair",       "école",
                                "Zinc",  "_under", "100% wool", "O'Brien", "ceramic tile", "Ceramic Tile", ""};
        QRandomGenerator rng(7);
        db.begin();
        for (int i = 1; i <= itemCount; ++i) {
            const QString stem = stems[int(rng.bounded(stems.size()))];
            data::DbValue name = stem + QStringLiteral(" %1").arg(rng.bounded(400));
            if (i % 251 == 0)
                name = data::DbValue();  // no name at all
            else if (i % 97 == 0)
                name = QStringLiteral("Paint 7");  // many of one name
            seed::addItem(db, {.code = QString::number(i),
                               .name = name,
                               .category = 1,
                               .unit = 1,
                               .material = i % 13 == 0 ? data::DbValue(QStringLiteral("12.5 each")) : data::DbValue(i),
                               .labor = i % 3,
                               .qty = 1,
                               .tu = "",
                               .subLabor = i % 17 == 0 ? data::DbValue() : data::DbValue(0.25),
                               .equipment = 2});
        }
        db.commit();
        db.close();
        QVERIFY(QFile::copy(data::databasePath(), fixture_.filePath(QStringLiteral("items.mdb"))));
        cleanupScreenTest();
    }
    void init()
    {
        initScreenTest(Database::None);
        QVERIFY(QFile::copy(fixture_.filePath(QStringLiteral("items.mdb")), data::databasePath()));
        db.open(data::databasePath());
    }

    // Every row, read front to back (on from the page before), back to
    // front (each page on its own) and at random.
    void everyRowInOrder_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("forward") << "forward";
        QTest::newRow("backward") << "backward";
        QTest::newRow("at random") << "random";
    }
    void everyRowInOrder()
    {
        QFETCH(QString, how);
        const QList<RefRow> ref = reference();
        auto m = model();
        QCOMPARE(m->rowCount(), ref.size());
        QCOMPARE(m->columnCount(), 2);
        if (how == QLatin1String("forward")) {
            for (int row = 0; row < ref.size(); ++row)
                compareRow(*m, ref, row);
        } else if (how == QLatin1String("backward")) {
            for (int row = int(ref.size()) - 1; row >= 0; --row)
                compareRow(*m, ref, row);
        } else {
            QRandomGenerator rng(11);
            for (int i = 0; i < 400; ++i)
                compareRow(*m, ref, int(rng.bounded(int(ref.size()))));
        }
        QVERIFY(!m->index(int(ref.size()), 0).isValid());
    }

    // The row of every key; none for a key the list does not hold.
    void everyKeyFindsItsRow()
    {
        const QList<RefRow> ref = reference();
        auto m = model();
        for (int row = 0; row < ref.size(); ++row) {
            QVERIFY2(m->firstRowOf(ref[row].key) == row, qPrintable(QString::number(ref[row].key)));
            QCOMPARE(m->lastRowOf(ref[row].key), row);
            QCOMPARE(m->textOf(ref[row].key), ref[row].name);
        }
        QCOMPARE(m->firstRowOf(itemCount + 50), -1);
        QCOMPARE(m->firstRowOf(0), -1);
        QCOMPARE(m->textOf(itemCount + 50), QString());
    }

    // Typing looks for the typed text from the current row on, and goes
    // round to the first match; texts that differ only in case match alike.
    void typingFindsTheRun_data()
    {
        QTest::addColumn<QString>("typed");
        for (const char* typed :
             {"p", "PA", "paint 7", "Paint 7 ", "c", "CERAMIC T", "_", "100%", "o'", "é", "z", "zz", "{", " "})
            QTest::newRow(typed) << QString::fromUtf8(typed);
    }
    void typingFindsTheRun()
    {
        QFETCH(QString, typed);
        const QList<RefRow> ref = reference();
        auto m = model();
        QList<int> matching;
        for (int row = 0; row < ref.size(); ++row)
            if (folded(ref[row].name).startsWith(folded(typed)))
                matching << row;
        for (int start : {0, 1, int(ref.size()) / 2, int(ref.size()) - 1}) {
            int want = -1;
            for (int row : matching)
                if (row >= start) {
                    want = row;
                    break;
                }
            if (want < 0 && !matching.isEmpty())
                want = matching.first();
            const QModelIndexList found = m->match(m->index(start, 0), Qt::DisplayRole, typed);
            QCOMPARE(found.isEmpty() ? -1 : found.first().row(), want);
            // Without going round: nothing past the last match.
            const QModelIndexList ahead = m->match(m->index(start, 0), Qt::DisplayRole, typed, 1, Qt::MatchStartsWith);
            QCOMPARE(ahead.isEmpty() ? -1 : ahead.first().row(), want >= start ? want : -1);
        }
    }

    // Exactly this text, letters of each case as typed.
    void exactTextFindsTheFirstRow()
    {
        const QList<RefRow> ref = reference();
        auto m = model();
        for (const QString& wanted : {ref[10].name, ref[ref.size() - 3].name, QStringLiteral("PAINT 7"),
                                      QStringLiteral("Paint 7"), QStringLiteral("nothing of the kind")}) {
            int want = -1;
            for (int row = 0; row < ref.size() && want < 0; ++row)
                if (ref[row].name == wanted)
                    want = row;
            QCOMPARE(m->rowOfText(wanted), want);
            const QModelIndexList found =
                m->match(m->index(0, 0), Qt::DisplayRole, wanted, 1, Qt::MatchExactly | Qt::MatchCaseSensitive);
            QCOMPARE(found.isEmpty() ? -1 : found.first().row(), want);
        }
    }

    // The price entry of a row is read when asked for, as the item's
    // master figures make it.
    void priceEntryOfARow()
    {
        const QList<RefRow> ref = reference();
        auto m = model();
        for (int row : {0, 1, 500, int(ref.size()) - 1}) {
            data::Recordset rs =
                db.query(QStringLiteral("Select Material, Labor, Qty, SubLabor, Equipment from Item where ItemId = ?"),
                         {std::int64_t(ref[row].key)});
            const auto price = [&](int i) {
                const data::DbValue v = rs.value(i);
                return v.isText() ? data::DbValue(v.toText().section(QLatin1Char(' '), 0, 0).toDouble()) : v;
            };
            QCOMPARE(m->text(row, 1), estimates::priceEntry(price(0), price(1), price(2), price(3), price(4)));
        }
        // A text price reads as the number it starts with.
        const qint64 textPriced = 13;
        QVERIFY(m->text(m->firstRowOf(textPriced), 1).startsWith(QLatin1String("12.5#")));
    }

    // Items written while the list is open: one added is not in it (as in
    // a list filled once); one deleted or renamed is, once the list reads
    // afresh, gone or in its new place; a combo showing the list keeps its
    // selected item.
    void writesWhileTheListIsOpen()
    {
        auto m = model();
        ui::ComboBox combo(nullptr, QStringLiteral("cmbItems"));
        combo.setKeyedModel(m.get(), 0);
        const qint64 kept = 4000;
        QVERIFY(combo.selectByData(kept));
        const int before = m->rowCount();
        // The list read afresh is no new choice: the screen must not fill
        // its price boxes from whatever row the reset passed through.
        QSignalSpy changed(&combo, &QComboBox::currentIndexChanged);

        seed::addItem(db, {.code = "new",
                           .name = "Aardvark",
                           .category = 1,
                           .unit = 1,
                           .material = 1,
                           .labor = 1,
                           .qty = 1,
                           .tu = "",
                           .subLabor = 0,
                           .equipment = 0});
        db.execute(QStringLiteral("Delete from Item where ItemId in (10, 2500)"));
        db.execute(QStringLiteral("Update Item set ItemName = 'zzz last' where ItemId = 20"));
        QVERIFY(m->refreshIfChanged());
        QVERIFY(!m->refreshIfChanged());
        QCOMPARE(m->rowCount(), before - 2);
        QList<RefRow> ref = reference();
        ref.removeIf([](const RefRow& r) { return r.key > itemCount; });
        QCOMPARE(m->rowCount(), ref.size());
        for (int row = 0; row < ref.size(); row += 7)
            compareRow(*m, ref, row);
        compareRow(*m, ref, int(ref.size()) - 1);
        int renamed = 0;
        while (ref[renamed].key != 20)
            ++renamed;
        QCOMPARE(m->firstRowOf(20), renamed);
        QCOMPARE(m->text(renamed, 0), QStringLiteral("zzz last"));
        QCOMPARE(m->firstRowOf(itemCount + 1), -1);
        QCOMPARE(combo.selectedData(), kept);
        QCOMPARE(combo.currentIndex(), m->firstRowOf(kept));
        QCOMPARE(changed.count(), 0);
    }

    // Opening the estimate screen reads the count and a page or so, never
    // the cost book.
    void theScreenOpensOnAFewRows()
    {
        QStringList statements;
        db.setStatementObserver([&statements](const QString& sql, const QString&) { statements << sql; });
        FrmOrder& f = estimates::frmOrder();
        f.setAddOrDelete(QStringLiteral("A"));
        f.show();
        db.setStatementObserver({});
        QCOMPARE(f.cmbItems->listCount(), itemCount);
        for (const QString& sql : statements) {
            if (!sql.contains(QLatin1String(" from Item"), Qt::CaseInsensitive))
                continue;
            const bool bounded = sql.contains(QLatin1String("limit"), Qt::CaseInsensitive) ||
                                 sql.contains(QLatin1String("count(")) || sql.contains(QLatin1String("max(")) ||
                                 sql.contains(QLatin1String("ItemId = ?"));
            QVERIFY2(bounded, qPrintable(sql));
        }
        // The first item is picked, its figures in the boxes.
        const QList<RefRow> ref = reference();
        QCOMPARE(f.cmbItems->text(), ref[0].name);
        QCOMPARE(f.cmbItems->selectedData(), ref[0].key);
    }

    // The drop-down scrolled to its end shows and picks the last items.
    void scrollingTheItemListToItsEnd()
    {
        FrmOrder& f = estimates::frmOrder();
        f.setAddOrDelete(QStringLiteral("A"));
        f.show();
        const QList<RefRow> ref = reference();
        f.cmbItems->showPopup();
        QAbstractItemView* view = f.cmbItems->view();
        view->scrollToBottom();
        QCoreApplication::processEvents();
        const QModelIndex last = view->indexAt(QPoint(4, view->viewport()->height() - 2));
        QCOMPARE(last.row(), int(ref.size()) - 1);
        QCOMPARE(last.data().toString(), ref.last().name);
        QTest::keyClick(view, Qt::Key_End);
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(f.cmbItems->listIndex(), int(ref.size()) - 1);
        QCOMPARE(f.cmbItems->selectedData(), ref.last().key);
        QCOMPARE(f.TxtMaterial->text(), f.cmbPrices->itemText(int(ref.size()) - 1).section(QLatin1Char('#'), 0, 0));
    }

    // Typing into the closed list picks the next item that begins so.
    void typingIntoTheItemList()
    {
        FrmOrder& f = estimates::frmOrder();
        f.setAddOrDelete(QStringLiteral("A"));
        f.show();
        const QList<RefRow> ref = reference();
        f.cmbItems->setFocus();
        QTest::keyClicks(f.cmbItems, QStringLiteral("pla"));
        QVERIFY2(folded(f.cmbItems->text()).startsWith(QLatin1String("pla")), qPrintable(f.cmbItems->text()));
        int first = 0;
        while (!folded(ref[first].name).startsWith(QLatin1String("pla")))
            ++first;
        QCOMPARE(f.cmbItems->listIndex(), first);
        // The pick filled the boxes from the item.
        QCOMPARE(f.TxtMaterial->text(), f.cmbPrices->itemText(first).section(QLatin1Char('#'), 0, 0));
    }

    // A stored estimate whose items lie far apart in name order shows each
    // line's item name; Edit finds each item in the list.
    void reopensItemsFarApart()
    {
        const QList<RefRow> ref = reference();
        const QList<int> rows{1, int(ref.size()) / 3, int(ref.size()) / 2 + 5, int(ref.size()) - 1};
        seed::addEstimate(db, seed::plainEstimate(1, 0, QStringLiteral("2024-03-05"), 40, 40));
        for (int row : rows)
            seed::addLine(db, 1, std::int64_t(ref[row].key), 1, 10, 1, 1, 0, 0, 0);
        FrmOrder& f = estimates::frmOrder();
        QVERIFY(f.openStored(QStringLiteral("E"), 1));
        QCOMPARE(f.ListView1->rowCount(), rows.size());
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(f.ListView1->subItem(i, FrmOrder::ColItemName), ref[rows[i]].name);
            f.ListView1->setSelectedRow(i);
            f.CmdEdit_Click();
            QCOMPARE(f.cmbItems->listIndex(), rows[i]);
            QCOMPARE(f.cmbItems->selectedData(), ref[rows[i]].key);
            f.cmdEditCanc_Click();
        }
    }
};

QTEST_MAIN(TestItemChoices)
#include "tst_itemchoices.moc"
