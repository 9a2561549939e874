#include "support/categoryscreentest.h"
#include "support/screendriver.h"
#include "support/seed.h"

#include "masters/catmast.h"
#include "masters/frmcategory.h"
#include "shell/assistant.h"
#include "ui/combobox.h"
#include "ui/forms.h"
#include "ui/listview.h"
#include "ui/textbox.h"

#include <QPushButton>
#include <QTest>

using masters::FrmCategory;
using masters::FrmCatMast;

using screentest::columnTexts;
using screentest::comboTexts;
using screentest::doubleClickRow;
using screentest::rowNamed;
using screentest::selectRow;
using screentest::whenShown;
using seed::addCategory;

namespace {

const QString inventory = QStringLiteral("Inventory");
const QString noParent = QStringLiteral("No Parent Category");

}  // namespace

class TestCatMast : public CategoryScreenTest {
    Q_OBJECT

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }

    void editInTheDialog_data()
    {
        QTest::addColumn<bool>("byDoubleClick");
        QTest::newRow("double-click") << true;
        QTest::newRow("edit button") << false;
    }
    void editInTheDialog()
    {
        QFETCH(bool, byDoubleClick);
        const int root = addCategory(db, QStringLiteral("Root"));
        const int other = addCategory(db, QStringLiteral("Other"));
        addCategory(db, QStringLiteral("Child"), root);
        addCategory(db, QStringLiteral("Zed"));
        FrmCategory& s = open(QStringLiteral("E"));
        FrmCatMast& d = ui::form<FrmCatMast>();

        bool ran = false;
        whenShown(d, [&] {
            ran = true;
            QVERIFY(d.isShownModal());
            QCOMPARE(d.caption(), QStringLiteral("Category Details"));
            QCOMPARE(d.helpContextId(), 5);
            QCOMPARE(d.Txtname->text(), QStringLiteral("Child"));
            QCOMPARE(d.cmbParent->selectedData(), qint64(root));
            QVERIFY(d.Txtname->isEnabled());
            QCOMPARE(screentest::tabWalk(d.Txtname),
                     (QStringList{"Txtname", "cmbParent", "cmdOk", "CmdCancel", "CmdSave"}));
            d.Txtname->setText(QStringLiteral("Kid"));
            QVERIFY(d.cmbParent->selectByData(other));
            d.CmdSave->click();
            QVERIFY(!d.CmdSave->isEnabled());
            QCOMPARE(d.Cat.Catname, QString());  // cleared after the save
            d.cmdOk->click();
            QVERIFY(!d.isLoaded());
        });
        if (byDoubleClick) {
            doubleClickRow(s.ListView1, rowNamed(s.ListView1, QStringLiteral("Child")));
        } else {
            selectRow(s.ListView1, QStringLiteral("Child"));
            s.CmdEdit->click();
        }
        QVERIFY(ran);

        QCOMPARE(fake->messageTexts(), QStringList{"Category Saved"});
        QCOMPARE(fake->messages.first().title, inventory);
        QCOMPARE(storedParent(QStringLiteral("Kid")), other);
        QCOMPARE(storedParent(QStringLiteral("Child")), -1);
        QCOMPARE(columnTexts(s.ListView1, 1), (QStringList{"Kid", "Other", "Root", "Zed"}));
        QCOMPARE(s.selectedSubItem(1), QStringLiteral("Kid"));
        QCOMPARE(s.ListView1->subItem(0, 3), QStringLiteral("Other"));
        QCOMPARE(s.AddOrDelete, QStringLiteral("E"));
        // The list's parent combo was refilled with the new name.
        QVERIFY(comboTexts(s.cmbParent).contains(QStringLiteral("Kid")));
        QVERIFY(!comboTexts(s.cmbParent).contains(QStringLiteral("Child")));
    }

    void dialogRefusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QStringList>("messages");
        // clang-format off
        QTest::newRow("empty name") << "" << "Root" << QStringList{"Empty Data", "Please enter Valid Data"};
        QTest::newRow("itself as parent") << "Mid" << "Mid" << QStringList{"Invalid Parent Category", "Please enter Valid Data"};
        QTest::newRow("own descendant as parent") << "Mid" << "Leaf" << QStringList{"Invalid Parent Category", "Please enter Valid Data"};
        // clang-format on
    }
    void dialogRefusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QStringList, messages);
        const int root = addCategory(db, QStringLiteral("Root"));
        const int mid = addCategory(db, QStringLiteral("Mid"), root);
        addCategory(db, QStringLiteral("Leaf"), mid);
        FrmCategory& s = open(QStringLiteral("E"));
        FrmCatMast& d = ui::form<FrmCatMast>();

        whenShown(d, [&] {
            d.Txtname->setText(name);
            const int entry = d.cmbParent->findText(parent, Qt::MatchStartsWith);
            QVERIFY(entry > 0);
            d.cmbParent->setListIndex(entry);
            d.CmdSave->click();
            QCOMPARE(fake->messageTexts(), messages);
            QVERIFY(d.CmdSave->isEnabled());
            // Ok tries once more, then closes all the same.
            addCategory(db, QStringLiteral("Added meanwhile"));
            d.cmdOk->click();
            QVERIFY(!d.isLoaded());
        });
        selectRow(s.ListView1, QStringLiteral("Mid"));
        s.CmdEdit->click();

        QCOMPARE(fake->messageTexts(), messages + messages);
        QCOMPARE(storedParent(QStringLiteral("Mid")), root);
        QVERIFY(rowNamed(s.ListView1, QStringLiteral("Added meanwhile")) >= 0);
    }

    void dialogOrphanBecomesTopLevel()
    {
        addCategory(db, QStringLiteral("Other"));
        addCategory(db, QStringLiteral("Orphan"), 999);
        FrmCategory& s = open(QStringLiteral("E"));
        FrmCatMast& d = ui::form<FrmCatMast>();
        whenShown(d, [&] {
            QCOMPARE(d.cmbParent->listIndex(), 0);
            QCOMPARE(d.cmbParent->currentText(), noParent);
            d.cmdOk->click();
        });
        selectRow(s.ListView1, QStringLiteral("Orphan"));
        s.CmdEdit->click();
        QCOMPARE(storedParent(QStringLiteral("Orphan")), 0);
    }

    void dialogCancelRefreshesTheList_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel") << "cancel";
        QTest::newRow("Escape: as Cancel") << "escape";
        QTest::newRow("close box") << "close box";
    }
    void dialogCancelRefreshesTheList()
    {
        QFETCH(QString, how);
        const bool closeBox = how == QLatin1String("close box");
        addCategory(db, QStringLiteral("Root"));
        FrmCategory& s = open(QStringLiteral("E"));
        FrmCatMast& d = ui::form<FrmCatMast>();
        whenShown(d, [&] {
            d.Txtname->setText(QStringLiteral("Renamed"));
            addCategory(db, QStringLiteral("Added meanwhile"));
            if (closeBox)
                d.window()->close();
            else if (how == QLatin1String("escape"))
                QTest::keyClick(d.Txtname, Qt::Key_Escape);
            else
                d.CmdCancel->click();
            QVERIFY(!d.isLoaded());
            // Cancel re-reads the list itself; the close box leaves that to
            // the screen once the dialog has returned.
            QCOMPARE(rowNamed(s.ListView1, QStringLiteral("Added meanwhile")) >= 0, !closeBox);
        });
        selectRow(s.ListView1, QStringLiteral("Root"));
        s.CmdEdit->click();
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(storedNames(), (QStringList{"Added meanwhile", "Root"}));
        // Every close empties the record; the screen re-reads its page.
        QCOMPARE(d.Cat.Catname, QString());
        QCOMPARE(d.Cat.ParentCategory, 0);
        QCOMPARE(columnTexts(s.ListView1, 1), (QStringList{"Added meanwhile", "Root"}));
    }
};

QTEST_MAIN(TestCatMast)
#include "tst_catmast.moc"
