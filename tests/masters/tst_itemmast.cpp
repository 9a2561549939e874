// The item dialog: its fields and combos (categories with their ancestor
// path, units), Apply's checks and messages (the missing unit among them),
// Ok and Cancel, the record object emptied on every close, editable and
// view-only by the opener's mode, and the category picker and add buttons
// while no category exists.

#include "support/filesizelimit.h"
#include "support/screendriver.h"
#include "support/screentest.h"
#include "support/seed.h"

#include "data/appfolder.h"
#include "data/dberror.h"
#include "data/recordset.h"
#include "masters/frmitem.h"
#include "masters/itemmast.h"
#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "ui/combobox.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/textbox.h"

#include "masters/frmcategory.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <sqlite3.h>

using masters::FrmItem;
using masters::FrmItemMast;

using screentest::comboTexts;
using screentest::modalWindow;
using screentest::typeOver;
using seed::addCategory;
using seed::addUnit;

class TestItemMast : public ScreenTest {
    Q_OBJECT
    const QString app = ui::applicationTitle();

    // An item with labour 1.5, sub-labour 2 and equipment 3.
    int addItem(const QString& code, const QString& name, int cat, int unit, double material, double qty,
                const QString& tu = QString())
    {
        return seed::addItem(db, {.code = code,
                                  .name = name,
                                  .category = cat,
                                  .unit = unit,
                                  .material = material,
                                  .labor = 1.5,
                                  .qty = qty,
                                  .tu = tu,
                                  .subLabor = 2,
                                  .equipment = 3});
    }
    // "code|name|category|unit|material|labor|sub|equipment|qty|TU" of every item.
    QStringList storedItems()
    {
        QStringList out;
        data::Recordset rs = db.query(QStringLiteral(
            "SELECT ItemCode, ItemName, CategoryID, UnitId, Material, Labor, SubLabor, Equipment, Qty, TU "
            "FROM Item ORDER BY ItemId"));
        for (; !rs.eof(); rs.moveNext()) {
            QStringList f;
            for (int i = 0; i < 10; ++i)
                f << rs.value(i).toText();
            out << f.join(QLatin1Char('|'));
        }
        return out;
    }

    // Shows the dialog for an items list in `mode` (loaded or not), after
    // `prepare` set up its record object; `act` runs while it is up, and the
    // dialog is closed after it in any case.
    bool runDialog(const QString& mode, const std::function<void(FrmItemMast&)>& prepare,
                   const std::function<void(FrmItemMast&)>& act)
    {
        FrmItem& list = ui::form<FrmItem>();
        list.AddOrDelete = mode;
        FrmItemMast& d = ui::form<FrmItemMast>();
        d.Opener = &list;
        if (prepare)
            prepare(d);
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = d.isShownModal();
            if (ran)
                act(d);
            if (d.isLoaded())
                d.unload();
        });
        d.showModal();
        return ran;
    }
    static void newItem(FrmItemMast& d) { d.Item.AddEditDel = QStringLiteral("A"); }
    static std::function<void(FrmItemMast&)> existing(int key)
    {
        return [key](FrmItemMast& d) {
            d.Item.itemid = key;
            d.Item.GetItem();
            d.Item.AddEditDel = QStringLiteral("E");
        };
    }
    // Fills every field with valid values for a new item.
    static void fillValid(FrmItemMast& d)
    {
        typeOver(d.txtCode, QStringLiteral("100"));
        typeOver(d.TxtName, QStringLiteral("Copper pipe"));
        typeOver(d.TxtMaterial, QStringLiteral("4.25"));
        typeOver(d.txtLabor, QStringLiteral("1"));
        typeOver(d.txtSubLabor, QStringLiteral("0.5"));
        typeOver(d.txtEquipment, QStringLiteral("0"));
        typeOver(d.TxtQty, QStringLiteral("10"));
    }

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }

    void showsTheFieldsWithTheirLabels()
    {
        addCategory(db, QStringLiteral("General"));
        addUnit(db, QStringLiteral("Each"));
        QStringList labels;
        QString caption;
        int context = 0;
        QVERIFY(runDialog(QStringLiteral("A"), newItem, [&](FrmItemMast& d) {
            caption = d.caption();
            context = d.helpContextId();
            for (QLabel* l : d.window()->findChildren<QLabel*>())
                labels << l->text();
            d.CmdCancel->click();
        }));
        QCOMPARE(caption, QStringLiteral("Item Master"));
        QCOMPARE(context, 3);
        QCOMPARE(labels,
                 (QStringList{"Item #", "Item Description", "Category (Parent category is indicated in brackets)",
                              "Unit", "Material Cost", "Labor Cost", "Sub Labor Cost", "Equipments and other Cost",
                              "Default Quantity"}));
    }

    // Tab goes down the window: the item number, the description, the field
    // frame top to bottom, then the buttons left to right.
    void tabFollowsTheWindowFromTopToBottom()
    {
        addCategory(db, QStringLiteral("General"));
        addUnit(db, QStringLiteral("Each"));
        QStringList order;
        QVERIFY(
            runDialog(QStringLiteral("A"), newItem, [&](FrmItemMast& d) { order = screentest::tabWalk(d.txtCode); }));
        QCOMPARE(order,
                 (QStringList{"txtCode", "TxtName", "CmbCat", "cmbUnit", "TxtMaterial", "txtLabor", "txtSubLabor",
                              "txtEquipment", "TxtQty", "cmdMainHelp", "cmdOk", "CmdCancel", "CmdSave"}));
    }

    void combosCarryKeysAndTheAncestorPath()
    {
        const int fixtures = addCategory(db, QStringLiteral("Fixtures"));
        const int taps = addCategory(db, QStringLiteral("Taps"), fixtures);
        const int mixers = addCategory(db, QStringLiteral("Mixers"), taps);
        const int ft = addUnit(db, QStringLiteral("Ft"));
        const int each = addUnit(db, QStringLiteral("Each"));
        const int key = addItem(QStringLiteral("5"), QStringLiteral("Mixer tap"), mixers, ft, 80, 1);
        QStringList cats, units;
        QList<qint64> catKeys, unitKeys;
        QString shownCategory, shownUnit;
        QVERIFY(runDialog(QStringLiteral("E"), existing(key), [&](FrmItemMast& d) {
            QVERIFY(d.CmbCat->isVisibleTo(d.window()));
            QVERIFY(!d.txtCatName->isVisibleTo(d.window()));
            QVERIFY(!d.CmdSelCat->isVisibleTo(d.window()));
            QVERIFY(!d.cmdAddCat->isVisibleTo(d.window()));
            QVERIFY(d.HasCategories);
            cats = comboTexts(d.CmbCat);
            units = comboTexts(d.cmbUnit);
            for (int i = 0; i < d.CmbCat->listCount(); ++i)
                catKeys << d.CmbCat->itemData(i);
            for (int i = 0; i < d.cmbUnit->listCount(); ++i)
                unitKeys << d.cmbUnit->itemData(i);
            shownCategory = d.CmbCat->text();
            shownUnit = d.cmbUnit->text();
            d.CmdCancel->click();
        }));
        QCOMPARE(cats, (QStringList{"Fixtures", "Mixers (Taps <- Fixtures)", "Taps (Fixtures)"}));
        QCOMPARE(catKeys, (QList<qint64>{fixtures, mixers, taps}));
        QCOMPARE(units, (QStringList{"Each", "Ft"}));
        QCOMPARE(unitKeys, (QList<qint64>{each, ft}));
        QCOMPARE(shownCategory, QStringLiteral("Mixers (Taps <- Fixtures)"));
        QCOMPARE(shownUnit, QStringLiteral("Ft"));
    }

    void applyRefusesAndKeepsTheDialog_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("item number") << "txtCode" << "" << "Item Details|Enter Item #";
        QTest::newRow("description") << "TxtName" << "" << "Item Details|Enter Item Description";
        QTest::newRow("material not a number") << "TxtMaterial" << "abc" << "Item Details|Enter Material Cost";
        QTest::newRow("quantity empty") << "TxtQty" << "" << "Item Details|Enter Default Quantity";
        QTest::newRow("no unit exists") << "units" << "" << "Item Details|Please select unit";
        // clang-format on
    }
    void applyRefusesAndKeepsTheDialog()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        addCategory(db, QStringLiteral("Pipes"));
        if (field != "units")
            addUnit(db, QStringLiteral("Ft"));
        bool stillOpen = false, applyEnabled = false;
        QVERIFY(runDialog(QStringLiteral("A"), newItem, [&](FrmItemMast& d) {
            fillValid(d);
            if (auto* box = d.window()->findChild<ui::TextBox*>(field))
                typeOver(box, text);
            d.CmdSave->click();
            stillOpen = d.isVisible();
            applyEnabled = d.CmdSave->isEnabled();
            d.CmdCancel->click();
        }));
        QCOMPARE(fake->takeBoxes(), (QStringList{reason, "Inventory|Please enter Valid Data"}));
        QVERIFY(stillOpen);
        QVERIFY(applyEnabled);
        QVERIFY(storedItems().isEmpty());
    }

    void applyOnAnUnwritableFileKeepsWhatWasTyped_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("words");
        // clang-format off
        QTest::newRow("another program holds the file") << "locked" << "is in use by another program";
        QTest::newRow("read-only file") << "read-only" << "cannot be written: the file or its folder is read-only";
        QTest::newRow("disk full") << "full" << "There is no room left on the disk that holds the database \"%1\", so nothing " "was saved. Make room on the disk and try again.";
        // clang-format on
    }
    void applyOnAnUnwritableFileKeepsWhatWasTyped()
    {
        QFETCH(QString, how);
        QFETCH(QString, words);
        if (words.contains(QLatin1String("%1")))
            words = words.arg(QDir::toNativeSeparators(QFileInfo(data::databasePath()).canonicalFilePath()));
        const bool locked = how == QLatin1String("locked");
        std::unique_ptr<FileSizeLimit> full;
        addCategory(db, QStringLiteral("Pipes"));
        addUnit(db, QStringLiteral("Ft"));
        // A short wait for the lock, on a handle opened after it was set.
        data::setBusyTimeoutMs(50);
        auto restore = qScopeGuard([] { data::setBusyTimeoutMs(5000); });
        db.close();
        db.open(data::databasePath());
        sqlite3* other = nullptr;
        QStringList typed, shown;
        bool stillOpen = false, applyEnabled = false;
        QVERIFY(runDialog(QStringLiteral("A"), newItem, [&](FrmItemMast& d) {
            fillValid(d);
            if (locked) {
                QCOMPARE(
                    sqlite3_open_v2(data::databasePath().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr),
                    SQLITE_OK);
                // The start-up check of the file may still be reading it.
                sqlite3_busy_timeout(other, 10000);
                QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
            } else if (how == QLatin1String("full")) {
                full = std::make_unique<FileSizeLimit>(1024);
            } else {
                // The program's handle is the fixture's; SQLite's read-only
                // switch stands in for a file the user may not write.
                db.execute(QStringLiteral("PRAGMA query_only = ON"));
            }
            for (auto* box : {d.txtCode.data(), d.TxtName.data(), d.TxtMaterial.data()})
                typed << box->text();
            d.cmdOk->click();  // Ok applies first
            stillOpen = d.isVisible();
            applyEnabled = d.CmdSave->isEnabled();
            for (auto* box : {d.txtCode.data(), d.TxtName.data(), d.TxtMaterial.data()})
                shown << box->text();
            if (other) {
                sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
                sqlite3_close(other);
            }
            full.reset();
            db.execute(QStringLiteral("PRAGMA query_only = OFF"));
            // Once the file can be written again, the same click saves.
            d.CmdSave->click();
            d.CmdCancel->click();
        }));
        const QStringList told = fake->takeBoxes();
        QVERIFY2(!told.isEmpty() && told.first().contains(words), qPrintable(told.join(QLatin1Char('\n'))));
        QVERIFY(told.first().startsWith(app + QLatin1Char('|')));
        QVERIFY(stillOpen);
        QVERIFY(applyEnabled);
        QCOMPARE(shown, typed);
        QCOMPARE(storedItems().size(), 1);
        QVERIFY(storedItems().first().startsWith(QStringLiteral("100|Copper pipe|")));
    }

    void applyWithoutCategoryRefuses()
    {
        addUnit(db, QStringLiteral("Ft"));
        bool nameBox = false;
        QVERIFY(runDialog(QStringLiteral("A"), newItem, [&](FrmItemMast& d) {
            nameBox = d.txtCatName->isVisibleTo(d.window()) && d.CmdSelCat->isVisibleTo(d.window()) &&
                      d.cmdAddCat->isVisibleTo(d.window()) && !d.CmbCat->isVisibleTo(d.window());
            fillValid(d);
            d.CmdSave->click();
            d.CmdCancel->click();
        }));
        QVERIFY(nameBox);
        QCOMPARE(fake->takeBoxes(),
                 (QStringList{"Item Details|Please select category", "Inventory|Please enter Valid Data"}));
        QVERIFY(storedItems().isEmpty());
    }

    void applySavesOnceAndOkThenOnlyCloses()
    {
        const int cat = addCategory(db, QStringLiteral("Pipes"));
        const int unit = addUnit(db, QStringLiteral("Ft"));
        FrmItem& list = ui::form<FrmItem>();
        list.AddOrDelete = QStringLiteral("A");
        list.show();
        QCOMPARE(list.ListView1->rowCount(), 0);
        QString boxAfterApply;
        int keyAfterApply = -1;
        QVERIFY(runDialog(QStringLiteral("A"), newItem, [&](FrmItemMast& d) {
            fillValid(d);
            typeOver(d.TxtMaterial, QStringLiteral("12.5 per ft"));  // read up to the first non-number
            typeOver(d.txtEquipment, QStringLiteral("x"));
            d.CmdSave->click();
            QVERIFY(!d.CmdSave->isEnabled());
            boxAfterApply = d.TxtName->text();
            keyAfterApply = d.Item.CategoryId;  // emptied after the save
            d.cmdOk->click();
            QVERIFY(!d.isLoaded());
        }));
        QCOMPARE(fake->takeBoxes(), QStringList{"Inventory| Item Saved"});
        QCOMPARE(boxAfterApply, QStringLiteral("Copper pipe"));
        QCOMPARE(keyAfterApply, 0);
        QCOMPARE(storedItems(),
                 QStringList{QStringLiteral("100|Copper pipe|%1|%2|12.5|1|0.5|0|10|").arg(cat).arg(unit)});
        QCOMPARE(list.ListView1->rowCount(), 1);  // Ok refreshed the opener
    }

    void okWithRefusedDataStillCloses()
    {
        addCategory(db, QStringLiteral("Pipes"));
        addUnit(db, QStringLiteral("Ft"));
        FrmItem& list = ui::form<FrmItem>();
        list.AddOrDelete = QStringLiteral("A");
        list.show();
        addItem(QStringLiteral("1"), QStringLiteral("Meanwhile added"), 1, 1, 1, 1);
        bool closed = false;
        QVERIFY(runDialog(QStringLiteral("A"), newItem, [&](FrmItemMast& d) {
            fillValid(d);
            typeOver(d.TxtName, QString());
            d.cmdOk->click();
            closed = !d.isLoaded();
        }));
        QVERIFY(closed);
        QCOMPARE(fake->takeBoxes(),
                 (QStringList{"Item Details|Enter Item Description", "Inventory|Please enter Valid Data"}));
        QCOMPARE(storedItems().size(), 1);
        QCOMPARE(list.ListView1->rowCount(), 1);
    }

    void editStoresAnEmptyTU()
    {
        const int cat = addCategory(db, QStringLiteral("Pipes"));
        const int unit = addUnit(db, QStringLiteral("Ft"));
        const int key = addItem(QStringLiteral("7"), QStringLiteral("Elbow"), cat, unit, 3, 4, QStringLiteral("box"));
        QVERIFY(runDialog(QStringLiteral("E"), existing(key), [&](FrmItemMast& d) {
            QCOMPARE(d.txtLabor->text(), QStringLiteral("1.5"));
            QCOMPARE(d.txtSubLabor->text(), QStringLiteral("2"));
            QCOMPARE(d.txtEquipment->text(), QStringLiteral("3"));
            d.cmdOk->click();
        }));
        QCOMPARE(fake->takeBoxes(), QStringList{"Inventory| Item Saved"});
        QCOMPARE(storedItems(), QStringList{QStringLiteral("7|Elbow|%1|%2|3|1.5|2|3|4|").arg(cat).arg(unit)});
    }

    void everyCloseEmptiesTheRecord_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("close box") << "box";
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("Escape: as Cancel") << "escape";
        QTest::newRow("Ok") << "ok";
    }
    void everyCloseEmptiesTheRecord()
    {
        QFETCH(QString, how);
        const int pipes = addCategory(db, QStringLiteral("Pipes"));
        const int valves = addCategory(db, QStringLiteral("Valves"));
        addUnit(db, QStringLiteral("Ft"));
        const int unit = addUnit(db, QStringLiteral("Gallon"));
        const int key = addItem(QStringLiteral("7"), QStringLiteral("Gate valve"), valves, unit, 30, 2);
        QVERIFY(runDialog(QStringLiteral("E"), existing(key), [&](FrmItemMast& d) {
            QCOMPARE(d.TxtName->text(), QStringLiteral("Gate valve"));
            if (how == "box")
                d.window()->close();
            else if (how == "cancel")
                d.CmdCancel->click();
            else if (how == "escape")
                QTest::keyClick(d.TxtMaterial, Qt::Key_Escape);
            else
                d.cmdOk->click();
            QVERIFY(!d.isLoaded());
        }));
        FrmItemMast& d = ui::form<FrmItemMast>();
        QCOMPARE(d.Item.itemid, 0);
        QCOMPARE(d.Item.Itemname, QString());
        QCOMPARE(d.Item.Material, 0.0);
        QCOMPARE(d.Item.UnitId, 0);

        // The next add shows nothing of that item.
        addItem(QStringLiteral("8"), QStringLiteral("Other"), pipes, unit, 1, 1);
        FrmItem& list = ui::form<FrmItem>();
        list.AddOrDelete = QStringLiteral("A");
        list.show();
        typeOver(list.txtName, QStringLiteral("Ball valve"));
        QStringList shown;
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = d.isShownModal();
            shown << d.txtCode->text() << d.TxtName->text() << d.TxtMaterial->text() << d.txtLabor->text()
                  << d.txtSubLabor->text() << d.txtEquipment->text() << d.TxtQty->text() << d.CmbCat->text()
                  << d.cmbUnit->text();
            d.CmdCancel->click();
        });
        list.cmdAdd->click();
        QVERIFY(ran);
        QCOMPARE(shown, (QStringList{"9", "Ball valve", "0", "0", "0", "0", "0", "Pipes", "Ft"}));
        QCOMPARE(storedItems().size(), 2);
    }

    void editableOrViewOnlyByTheOpenersMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("buttons");  // Apply and Ok shown
        QTest::addColumn<bool>("keys");     // item number and description enabled
        QTest::addColumn<bool>("frame");    // the field frame enabled
        QTest::newRow("A") << "A" << true << true << true;
        QTest::newRow("C") << "C" << true << true << true;
        QTest::newRow("E") << "E" << true << true << true;
        QTest::newRow("EE") << "EE" << true << true << true;
        QTest::newRow("D") << "D" << false << false << false;
        QTest::newRow("DE") << "DE" << false << false << false;
        QTest::newRow("AE") << "AE" << false << false << false;
        QTest::newRow("other: as designed") << "S" << true << true << true;
    }
    void editableOrViewOnlyByTheOpenersMode()
    {
        QFETCH(QString, mode);
        QFETCH(bool, buttons);
        QFETCH(bool, keys);
        QFETCH(bool, frame);
        const int cat = addCategory(db, QStringLiteral("Pipes"));
        const int unit = addUnit(db, QStringLiteral("Ft"));
        const int key = addItem(QStringLiteral("7"), QStringLiteral("Elbow"), cat, unit, 3, 4);
        bool save = false, ok = false, code = false, name = false, fields = false, cancel = false, help = false;
        QVERIFY(runDialog(mode, existing(key), [&](FrmItemMast& d) {
            QWidget* w = d.window();
            save = d.CmdSave->isVisibleTo(w);
            ok = d.cmdOk->isVisibleTo(w);
            cancel = d.CmdCancel->isVisibleTo(w);
            help = d.cmdMainHelp->isVisibleTo(w);
            code = d.txtCode->isEnabled();
            name = d.TxtName->isEnabled();
            fields = d.fraFields->isEnabled() && d.TxtMaterial->isEnabled();
            d.CmdCancel->click();
        }));
        QCOMPARE(save, buttons);
        QCOMPARE(ok, buttons);
        QVERIFY(cancel);
        QVERIFY(help);
        QCOMPARE(code, keys);
        QCOMPARE(name, keys);
        QCOMPARE(fields, frame);
    }

    void helpSpeaksTheDialogsText()
    {
        addUnit(db, QStringLiteral("Ft"));
        QStringList requests;
        QVERIFY(runDialog(QStringLiteral("DE"), newItem, [&](FrmItemMast& d) {
            shell::Assistant& merlin = shell::frmMainMenu().Merlin();
            const int before = int(merlin.requests().size());
            d.cmdMainHelp->click();
            requests = merlin.requests().mid(before);
            d.CmdCancel->click();
        }));
        QCOMPARE(requests,
                 (QStringList{"Show", "Speak Once you enter all the data, press 'Ok' button to save the record and "
                                      "close. 'Cancel' button closes the window without saving. 'Apply' button saves "
                                      "your data but does not close the window."}));
    }

    void pickerWritesTheChosenCategory()
    {
        const int unit = addUnit(db, QStringLiteral("Ft"));
        int picked = 0;
        QString shownName;
        QVERIFY(runDialog(QStringLiteral("A"), newItem, [&](FrmItemMast& d) {
            QVERIFY(d.txtCatName->isVisibleTo(d.window()));
            // A category appears while the dialog is open (another window
            // added it); the picker offers it.
            const int cat = addCategory(db, QStringLiteral("Drainage"));
            bool pickerRan = false;
            QTimer::singleShot(0, [&] {
                QWidget* w = modalWindow(QStringLiteral("frmCategory"));
                QVERIFY(w);
                pickerRan = true;
                auto* lv = w->findChild<ui::ListView*>(QStringLiteral("ListView1"));
                QCOMPARE(lv->rowCount(), 1);
                lv->setSelectedRow(0);
                w->findChild<QPushButton*>(QStringLiteral("CmdSelect"))->click();
            });
            d.CmdSelCat->click();
            QVERIFY(pickerRan);
            picked = d.Item.CategoryId;
            QCOMPARE(picked, cat);
            shownName = d.txtCatName->text();
            fillValid(d);
            d.cmdOk->click();
        }));
        QCOMPARE(shownName, QStringLiteral("Drainage"));
        QCOMPARE(fake->takeBoxes(), QStringList{"Inventory| Item Saved"});
        QCOMPARE(storedItems(),
                 QStringList{QStringLiteral("100|Copper pipe|%1|%2|4.25|1|0.5|0|10|").arg(picked).arg(unit)});
    }

    void addingTheFirstCategoryBringsTheCombo()
    {
        addUnit(db, QStringLiteral("Ft"));
        QStringList cats;
        bool comboShown = false, boxShown = true;
        int selected = -1;
        QVERIFY(runDialog(QStringLiteral("A"), newItem, [&](FrmItemMast& d) {
            bool addRan = false;
            QTimer::singleShot(0, [&] {
                QWidget* w = modalWindow(QStringLiteral("frmCategory"));
                QVERIFY(w);
                addRan = true;
                typeOver(w->findChild<ui::TextBox*>(QStringLiteral("txtCatName")), QStringLiteral("Roofing"));
                w->findChild<QPushButton*>(QStringLiteral("cmdAdd"))->click();
                w->close();
            });
            d.cmdAddCat->click();
            QVERIFY(addRan);
            cats = comboTexts(d.CmbCat);
            selected = d.CmbCat->listIndex();
            comboShown = d.CmbCat->isVisibleTo(d.window());
            boxShown = d.txtCatName->isVisibleTo(d.window());
            d.CmdCancel->click();
        }));
        QCOMPARE(cats, QStringList{"Roofing"});
        QCOMPARE(selected, 0);
        QVERIFY(comboShown);
        QVERIFY(!boxShown);
    }
};

QTEST_MAIN(TestItemMast)
#include "tst_itemmast.moc"
