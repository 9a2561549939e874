#include "support/screentest.h"
#include "support/seed.h"
#include "support/sqltestutil.h"

#include "data/appfolder.h"
#include "masters/clscategory.h"

#include <QTest>

using masters::clsCategory;
using seed::addCategory;
using seed::addItem;
using sqltest::column;

namespace {}  // namespace

class TstClsCategory : public ScreenTest {
    Q_OBJECT

    void addItems(int category, int n)
    {
        for (int i = 0; i < n; ++i)
            addItem(db, {.code = "1", .name = "x", .category = category});
    }
    // Root <- Child <- Grand <- Great, and Other beside them.
    struct Tree {
        int root, child, grand, great, other;
    };
    Tree tree()
    {
        Tree t{};
        t.root = addCategory(db, QStringLiteral("Root"));
        t.child = addCategory(db, QStringLiteral("Child"), t.root);
        t.grand = addCategory(db, QStringLiteral("Grand"), t.child);
        t.great = addCategory(db, QStringLiteral("Great"), t.grand);
        t.other = addCategory(db, QStringLiteral("Other"));
        return t;
    }

private slots:

    void emptyNameIsRefusedInEveryMode_data()
    {
        QTest::addColumn<QString>("mode");
        for (const char* m : {"A", "E", "D", ""})
            QTest::newRow(m) << QString::fromLatin1(m);
    }
    void emptyNameIsRefusedInEveryMode()
    {
        QFETCH(QString, mode);
        clsCategory c;
        c.AddEditDel = mode;
        QVERIFY(!c.Validate());
        QCOMPARE(fake->messageTexts(), QStringList({"Empty Data"}));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Inventory"));
        QCOMPARE(fake->messages[0].buttons, ui::Buttons::Ok);
    }

    void duplicateNameOnlyWhenAdding()
    {
        const Tree t = tree();
        clsCategory c;
        c.Catname = QStringLiteral("child");  // the name compares without regard to case
        c.AddEditDel = QStringLiteral("A");
        QVERIFY(!c.Validate());
        QCOMPARE(fake->messageTexts(), QStringList({"Duplicate Data"}));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Inventory"));

        // Editing may give a category another category's name.
        c.AddEditDel = QStringLiteral("E");
        c.Catid = t.other;
        QVERIFY(c.Validate());
        c.AddEditDel = QStringLiteral("A");
        c.Catname = QStringLiteral("Children");
        QVERIFY(c.Validate());
        QCOMPARE(fake->messages.size(), 1);
    }

    void parentThatWouldMakeACycleIsRefused_data()
    {
        QTest::addColumn<QString>("edited");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<bool>("refused");
        // clang-format off
        QTest::newRow("itself") << "Root" << "Root" << true;
        QTest::newRow("its child") << "Root" << "Child" << true;
        QTest::newRow("its great-grandchild") << "Root" << "Great" << true;
        QTest::newRow("a grandchild's own child") << "Child" << "Great" << true;
        QTest::newRow("top level") << "Grand" << "" << false;
        QTest::newRow("another branch") << "Child" << "Other" << false;
        QTest::newRow("its own ancestor") << "Great" << "Root" << false;
        QTest::newRow("a key that is not there") << "Root" << "missing" << false;
        QTest::newRow("into a cycle left by another tool") << "Root" << "Loop" << false;
        // clang-format on
    }
    void parentThatWouldMakeACycleIsRefused()
    {
        QFETCH(QString, edited);
        QFETCH(QString, parent);
        QFETCH(bool, refused);
        const Tree t = tree();
        const int loopA = addCategory(db, QStringLiteral("Loop"));
        const int loopB = addCategory(db, QStringLiteral("Loop B"), loopA);
        db.execute(QStringLiteral("UPDATE Category SET ParentCategory = ? WHERE CatId = ?"), {loopB, loopA});
        const QHash<QString, int> key{{"Root", t.root},
                                      {"Child", t.child},
                                      {"Grand", t.grand},
                                      {"Great", t.great},
                                      {"Other", t.other},
                                      {"Loop", loopA},
                                      {"", 0},
                                      {"missing", 999}};

        clsCategory c;
        c.AddEditDel = QStringLiteral("E");
        c.Catid = key[edited];
        c.Catname = edited;
        c.ParentCategory = key[parent];
        QCOMPARE(c.Validate(), !refused);
        if (refused) {
            QCOMPARE(fake->messageTexts(), QStringList({"Invalid Parent Category"}));
            QCOMPARE(fake->messages[0].title, QStringLiteral("Inventory"));
            QCOMPARE(fake->messages[0].buttons, ui::Buttons::Ok);
        } else {
            QVERIFY(fake->messages.isEmpty());
        }
    }

    void newCategoryIsNeverACycle()
    {
        const Tree t = tree();
        clsCategory c;
        c.AddEditDel = QStringLiteral("A");
        c.Catid = t.root;  // left from an earlier edit
        c.Catname = QStringLiteral("New");
        c.ParentCategory = t.great;
        QVERIFY(c.Validate());
    }

    void saveInsertsUpdatesAndDeletes()
    {
        const Tree t = tree();
        addItems(t.child, 2);
        clsCategory c;
        c.AddEditDel = QStringLiteral("A");
        c.Catname = QStringLiteral("O'Neil's tools");
        c.ParentCategory = t.root;
        QVERIFY(c.Save());
        const int key = c.Catid;
        QVERIFY(key > t.other);

        clsCategory back;
        back.Catid = key;
        QCOMPARE(back.GetCatg(), QStringLiteral("O'Neil's tools"));
        QCOMPARE(back.ParentCategory, t.root);

        back.AddEditDel = QStringLiteral("E");
        back.Catname = QStringLiteral("Tools");
        back.ParentCategory = 0;
        QVERIFY(back.Save());
        QCOMPARE(back.GetCatg(), QStringLiteral("Tools"));
        QCOMPARE(back.ParentCategory, 0);

        back.Delete();  // mode "E": nothing
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Category")).toInt(), 6);
        // No look at items or children: the list screen guards that.
        back.AddEditDel = QStringLiteral("D");
        back.Catid = t.child;
        back.Delete();
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Category")).toInt(), 5);
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Item")).toInt(), 2);
        QVERIFY(fake->messages.isEmpty());
    }

    void getCatgReadsNullParentAsTopLevel()
    {
        sqltest::rawExec(data::databasePath(), "INSERT INTO Category (CatId, CatName) VALUES (5, 'Loose')");
        clsCategory c;
        c.Catid = 5;
        c.ParentCategory = 3;
        QCOMPARE(c.GetCatg(), QStringLiteral("Loose"));
        QCOMPARE(c.ParentCategory, 0);
    }

    void getCatgOfMissingKeyEmptiesTheRecord()
    {
        clsCategory c;
        c.Catid = 5;
        c.Catname = QStringLiteral("old");
        c.ParentCategory = 3;
        QCOMPARE(c.GetCatg(), QString());
        QCOMPARE(c.Catname, QString());
        QCOMPARE(c.ParentCategory, 0);
    }

    void ancestorPath_data()
    {
        QTest::addColumn<QString>("of");
        QTest::addColumn<QString>("path");
        // clang-format off
        QTest::newRow("top level") << "Root" << "";
        QTest::newRow("unknown key") << "missing" << "";
        QTest::newRow("child") << "Child" << " (Root)";
        QTest::newRow("grandchild") << "Grand" << " (Child <- Root)";
        QTest::newRow("three ancestors at most") << "Deep" << " (Great <- Grand <- Child)";
        QTest::newRow("parent deleted") << "Orphan" << "";
        QTest::newRow("grandparent deleted") << "Half" << " (Orphan)";
        QTest::newRow("its own parent") << "Self" << " (Self <- Self <- Self)";
        QTest::newRow("Null parent") << "Loose" << "";
        // clang-format on
    }
    void ancestorPath()
    {
        QFETCH(QString, of);
        QFETCH(QString, path);
        const Tree t = tree();
        QHash<QString, int> key{{"Root", t.root}, {"Child", t.child}, {"missing", 999}};
        key["Deep"] = addCategory(db, QStringLiteral("Deep"), t.great);
        key["Orphan"] = addCategory(db, QStringLiteral("Orphan"), 998);
        key["Half"] = addCategory(db, QStringLiteral("Half"), key["Orphan"]);
        key["Grand"] = t.grand;
        key["Self"] = addCategory(db, QStringLiteral("Self"));
        db.execute(QStringLiteral("UPDATE Category SET ParentCategory = CatId WHERE CatName = 'Self'"));
        key["Loose"] = addCategory(db, QStringLiteral("Loose"), data::DbValue());
        clsCategory c;
        QCOMPARE(c.GetParentName(key[of]), path);
    }

    void fullListHasItemCountsAndPageMinusOne()
    {
        const Tree t = tree();
        addItems(t.child, 3);
        addItems(t.other, 1);
        clsCategory c;
        c.PageSize = 2;
        int page = -1, pages = 0;
        const auto all = c.GetAllCategories(page, pages, QStringLiteral("totitm"), QStringLiteral("D"));
        QVERIFY(all);
        QCOMPARE(all->rowCount(), 5);
        QCOMPARE(all->fieldCount(), 4);
        QCOMPARE(column(all, 1).first(2), QStringList({"Child", "Other"}));
        QCOMPARE(column(all, 2).first(2), QStringList({"3", "1"}));
        QCOMPARE(all->at(3, 0).toInt(), t.root);
        QCOMPARE(c.RecordCount, 5);

        page = 3;
        const auto last = c.GetAllCategories(page, pages, QStringLiteral("CatName"), QStringLiteral("A"));
        QCOMPARE(column(last, 1), QStringList({"Root"}));
        QCOMPARE(pages, 3);
    }

    void emptyTableGivesNothing()
    {
        clsCategory c;
        c.RecordCount = 9;
        int page = 1, pages = 4;
        QVERIFY(!c.GetAllCategories(page, pages, QStringLiteral("CatName"), QStringLiteral("A")));
        QVERIFY(!c.GetSearchCategories(page, pages, QStringLiteral("CatName"), QStringLiteral("A")));
        QVERIFY(!c.GetComboCategories());
        QCOMPARE(QList<int>({page, pages, c.RecordCount}), QList<int>({1, 4, 9}));
        QVERIFY(fake->messages.isEmpty());
    }

    void searchIsANamePrefix_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        // clang-format off
        QTest::newRow("empty matches all") << "" << QStringList({"Child", "Grand", "Great", "O'Hara", "Other", "Root"});
        QTest::newRow("prefix, any case") << "gr" << QStringList({"Grand", "Great"});
        QTest::newRow("no substring") << "rand" << QStringList();
        QTest::newRow("typed % is a wildcard") << "%r" << QStringList({"Child", "Grand", "Great", "O'Hara", "Other", "Root"}) .filter(QStringLiteral("r"), Qt::CaseInsensitive);
        QTest::newRow("apostrophe") << "O'" << QStringList({"O'Hara"});
        // clang-format on
    }
    void searchIsANamePrefix()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        tree();
        addCategory(db, QStringLiteral("O'Hara"));
        clsCategory c;
        c.Catname = text;
        int page = 1, pages = 0;
        QCOMPARE(column(c.GetSearchCategories(page, pages, QStringLiteral("CatName"), QStringLiteral("A")), 1), names);
        QVERIFY(fake->messages.isEmpty());
    }

    void searchHasNoPageMinusOne()
    {
        for (int i = 0; i < 20; ++i)
            addCategory(db, QStringLiteral("Cat %1").arg(i, 2, 10, QLatin1Char('0')));
        clsCategory c;
        c.Catname = QStringLiteral("Cat");
        int page = -1, pages = 0;
        const auto rows = c.GetSearchCategories(page, pages, QStringLiteral("CatName"), QStringLiteral("A"));
        QCOMPARE(rows->rowCount(), 15);
        QCOMPARE(page, 1);
        QCOMPARE(pages, 2);
    }

    void comboListsByName()
    {
        const Tree t = tree();
        clsCategory c;
        const auto rows = c.GetComboCategories();
        QVERIFY(rows);
        QCOMPARE(rows->fieldCount(), 3);
        QCOMPARE(column(rows, 1), QStringList({"Child", "Grand", "Great", "Other", "Root"}));
        QCOMPARE(rows->at(0, 0).toInt(), t.child);
        QCOMPARE(rows->at(2, 0).toInt(), t.root);
        QCOMPARE(c.RecordCount, 0);
    }

    void totalItems()
    {
        const Tree t = tree();
        addItems(t.grand, 4);
        clsCategory c;
        c.Catid = t.grand;
        QCOMPARE(c.GetTotalItems(), 4);
        c.Catid = t.root;
        QCOMPARE(c.GetTotalItems(), 0);
    }
};

QTEST_MAIN(TstClsCategory)
#include "tst_clscategory.moc"
