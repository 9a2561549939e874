#include "support/screentest.h"
#include "support/seed.h"
#include "support/sqltestutil.h"

#include "data/dberror.h"
#include "masters/clsmaster.h"

#include <QTest>
#include <memory>
#include <optional>

using masters::clsMaster;
using seed::addName;
using seed::addUnit;
using sqltest::column;

Q_DECLARE_METATYPE(std::optional<int>)

namespace {}  // namespace

class TstClsMaster : public ScreenTest {
    Q_OBJECT

    QString nameOf(int id, const QString& table = QStringLiteral("Units"))
    {
        return db.scalar(QStringLiteral("SELECT Name FROM %1 WHERE Id = ?").arg(table), {id}).toText();
    }
    // A name list on the units, as the screens use it.
    static std::unique_ptr<clsMaster> units()
    {
        auto m = std::make_unique<clsMaster>();
        m->Mastertable = QStringLiteral("Units");
        return m;
    }

private slots:

    void validate_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("empty, adding") << "A" << "" << "Empty Data";
        QTest::newRow("empty, editing") << "E" << "" << "Empty Data";
        QTest::newRow("empty, deleting") << "D" << "" << "Empty Data";
        QTest::newRow("taken, adding") << "A" << "sq FT" << "Duplicate Data 'sq FT'";
        QTest::newRow("taken, editing") << "E" << "sq ft" << "";
        QTest::newRow("new, adding") << "A" << "Bag" << "";
        QTest::newRow("apostrophe") << "A" << "O'Hara's" << "Duplicate Data 'O'Hara's'";
        // clang-format on
    }
    void validate()
    {
        QFETCH(QString, mode);
        QFETCH(QString, name);
        QFETCH(QString, message);
        addUnit(db, QStringLiteral("sq ft"));
        addUnit(db, QStringLiteral("O'Hara's"));
        const auto m = units();
        m->AddEditDel = mode;
        m->Name = name;
        QCOMPARE(m->Validate(), message.isEmpty());
        if (message.isEmpty()) {
            QVERIFY(fake->messages.isEmpty());
        } else {
            QCOMPARE(fake->messageTexts(), QStringList({message}));
            QCOMPARE(fake->messages[0].title, QStringLiteral("Master Entry"));
            QCOMPARE(fake->messages[0].buttons, ui::Buttons::Ok);
        }
    }

    void insertHoldsTheNewRowSoASecondApplyRenamesIt()
    {
        addUnit(db, QStringLiteral("Box"));
        const int shown = addUnit(db, QStringLiteral("Roll"));
        const auto m = units();
        QCOMPARE(m->GetRecord(2), std::optional<int>(2));
        QCOMPARE(m->Id, shown);

        m->AddEditDel = QStringLiteral("A");
        m->Name = QStringLiteral("Can");
        QVERIFY(m->Save());
        QVERIFY(m->Id != shown);
        QCOMPARE(nameOf(m->Id), QStringLiteral("Can"));
        QCOMPARE(m->Position, 2);  // Box, Can, Roll
        QCOMPARE(m->RecordCount, 3);

        m->AddEditDel = QStringLiteral("E");
        m->Name = QStringLiteral("Crate");
        QVERIFY(m->Save());
        QCOMPARE(nameOf(shown), QStringLiteral("Roll"));
        QCOMPARE(nameOf(m->Id), QStringLiteral("Crate"));
        QCOMPARE(m->Position, 2);
        QCOMPARE(fake->messageTexts(), QStringList({"Record Saved", "Record Saved"}));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Master Entry"));
    }

    void recordSavedOnlyWhenARowWasWritten_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("told");
        const QString why = QStringLiteral("Nothing was saved: there is no record shown to change. To add a new "
                                           "name, press 'Add', type the name and press 'Apply'.");
        QTest::newRow("update of a missing key") << "E" << 0 << QStringList{why};
        QTest::newRow("delete mode") << "D" << 1 << QStringList{};
        QTest::newRow("no mode") << "" << 1 << QStringList{};
    }
    void recordSavedOnlyWhenARowWasWritten()
    {
        QFETCH(QString, mode);
        QFETCH(int, id);
        QFETCH(QStringList, told);
        addUnit(db, QStringLiteral("Box"));
        const auto m = units();
        m->AddEditDel = mode;
        m->Id = id;
        m->Name = QStringLiteral("Other");
        QVERIFY(!m->Save());
        QCOMPARE(fake->messageTexts(), told);
        for (const auto& message : fake->messages)
            QCOMPARE(message.title, QStringLiteral("Master Entry"));
        QCOMPARE(nameOf(1), QStringLiteral("Box"));
    }

    void deleteOnlyInModeD()
    {
        const int id = addUnit(db, QStringLiteral("Box"));
        const auto m = units();
        m->Id = id;
        m->AddEditDel = QStringLiteral("E");
        m->Delete();
        QCOMPARE(nameOf(id), QStringLiteral("Box"));
        m->AddEditDel = QStringLiteral("D");
        m->Delete();
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Units")).toInt(), 0);
    }

    void getRecordClampsToTheTable_data()
    {
        QTest::addColumn<std::optional<int>>("asked");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << std::optional<int>(1) << 1 << "Bag";
        QTest::newRow("middle") << std::optional<int>(2) << 2 << "box";
        QTest::newRow("last") << std::optional<int>(3) << 3 << "Can";
        QTest::newRow("past the end") << std::optional<int>(9) << 3 << "Can";
        QTest::newRow("zero") << std::optional<int>(0) << 1 << "Bag";
        QTest::newRow("nothing") << std::optional<int>() << 1 << "Bag";
        QTest::newRow("below zero") << std::optional<int>(-2) << 1 << "Bag";
    }
    void getRecordClampsToTheTable()
    {
        QFETCH(std::optional<int>, asked);
        QFETCH(int, position);
        QFETCH(QString, name);
        addUnit(db, QStringLiteral("Can"));
        addUnit(db, QStringLiteral("box"));
        addUnit(db, QStringLiteral("Bag"));
        const auto m = units();
        QCOMPARE(m->GetRecord(asked), std::optional<int>(position));
        QCOMPARE(m->Name, name);
        QCOMPARE(m->Id, db.scalar(QStringLiteral("SELECT Id FROM Units WHERE Name = ?"), {name}).toInt());
        QCOMPARE(m->RecordCount, 3);
        QCOMPARE(m->Position, position);
    }

    void getRecordOnOneRowAndOnNone()
    {
        const auto m = units();
        m->Id = 7;
        m->Name = QStringLiteral("kept");
        m->RecordCount = 5;
        QCOMPARE(m->GetRecord(1), std::nullopt);
        QCOMPARE(QStringList({QString::number(m->Id), m->Name, QString::number(m->RecordCount)}),
                 QStringList({"7", "kept", "5"}));

        const int id = addUnit(db, QStringLiteral("Only"));
        QCOMPARE(m->GetRecord(1), std::optional<int>(1));
        QCOMPARE(m->Id, id);
        QCOMPARE(m->RecordCount, 1);
    }

    void equalNamesKeepAStableOrder()
    {
        const int first = addUnit(db, QStringLiteral("Same"));
        const int second = addUnit(db, QStringLiteral("same"));
        const auto m = units();
        QCOMPARE(m->GetRecord(1), std::optional<int>(1));
        QCOMPARE(m->Id, first);
        QCOMPARE(m->GetRecord(2), std::optional<int>(2));
        QCOMPARE(m->Id, second);
        QCOMPARE(m->GetCategory(QStringLiteral("SAME")), std::optional<int>(1));
        QCOMPARE(m->Id, first);
    }

    void findByPartOfName_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<int>>("position");
        QTest::addColumn<QString>("name");
        QTest::newRow("first of several in name order") << "oo" << std::optional<int>(2) << "Foot";
        QTest::newRow("anywhere, any case") << "LL" << std::optional<int>(3) << "Roll";
        QTest::newRow("empty matches all") << "" << std::optional<int>(1) << "Bag";
        QTest::newRow("typed _ is a wildcard") << "R_l" << std::optional<int>(3) << "Roll";
        QTest::newRow("apostrophe") << "'s" << std::optional<int>(5) << "Tom's";
        QTest::newRow("none") << "zz" << std::optional<int>() << "kept";
    }
    void findByPartOfName()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<int>, position);
        QFETCH(QString, name);
        for (const char* n : {"Tom's", "Roll", "Spool", "Foot", "Bag"})
            addUnit(db, QString::fromLatin1(n));
        const auto m = units();
        m->Name = QStringLiteral("kept");
        m->RecordCount = 0;
        QCOMPARE(m->GetCategory(text), position);
        QCOMPARE(m->Name, name);
        if (position) {
            QCOMPARE(m->RecordCount, 5);
            QVERIFY(fake->messages.isEmpty());
        } else {
            QCOMPARE(m->RecordCount, 0);
            QCOMPARE(fake->messageTexts(), QStringList({"No Result found."}));
            QCOMPARE(fake->messages[0].title, QStringLiteral("Search"));
        }
    }

    void tablesAreKeptApart()
    {
        addName(db, QStringLiteral("Rooms"), QStringLiteral("Kitchen"));
        addUnit(db, QStringLiteral("ea"));
        clsMaster rooms;
        rooms.Mastertable = QStringLiteral("Rooms");
        const auto combo = rooms.GetComboCategories();
        QCOMPARE(column(combo, 1), QStringList({"Kitchen"}));
        rooms.AddEditDel = QStringLiteral("A");
        rooms.Name = QStringLiteral("ea");
        QVERIFY(rooms.Validate());
        QVERIFY(rooms.Save());
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Rooms")).toInt(), 2);
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM Units")).toInt(), 1);
    }

    void onlyTheTwoNameTablesAreAccepted_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("empty") << "";
        QTest::newRow("another table") << "Customer";
        QTest::newRow("more than a name") << "Units where 1=1 --";
    }
    void onlyTheTwoNameTablesAreAccepted()
    {
        QFETCH(QString, table);
        clsMaster m;
        m.Mastertable = table;
        m.Name = QStringLiteral("x");
        m.AddEditDel = QStringLiteral("A");
        QVERIFY_THROWS_EXCEPTION(data::DbError, m.Validate());
        QVERIFY_THROWS_EXCEPTION(data::DbError, m.GetRecord(1));
    }

    void getCatgLoadsTheName()
    {
        const int id = addUnit(db, QStringLiteral("Bag"));
        const auto m = units();
        m->Id = id;
        QCOMPARE(m->GetCatg(), QStringLiteral("Bag"));
        m->Id = 99;
        QCOMPARE(m->GetCatg(), QString());
        QCOMPARE(m->Name, QStringLiteral("Bag"));
    }

    void pagedGetters()
    {
        for (int i = 1; i <= 16; ++i)
            addUnit(db, QStringLiteral("Unit %1").arg(i, 2, 10, QLatin1Char('0')));
        const auto m = units();
        int page = 2, pages = 0;
        QCOMPARE(column(m->GetAllCategories(page, pages, QStringLiteral("Name"), QStringLiteral("A")), 1),
                 QStringList({"Unit 16"}));
        QCOMPARE(pages, 2);
        QCOMPARE(m->RecordCount, 16);

        m->Name = QStringLiteral("t 1");
        page = 1;
        QCOMPARE(column(m->GetSearchCategories(page, pages, QStringLiteral("Name"), QStringLiteral("D")), 1),
                 QStringList({"Unit 16", "Unit 15", "Unit 14", "Unit 13", "Unit 12", "Unit 11", "Unit 10"}));
        QVERIFY(fake->messages.isEmpty());
        m->Name = QStringLiteral("none");
        QVERIFY(!m->GetSearchCategories(page, pages, QStringLiteral("Name"), QStringLiteral("D")));
        QCOMPARE(fake->messageTexts(), QStringList({"No Result found."}));
        QCOMPARE(fake->messages[0].title, QStringLiteral("Search"));
    }

    void emptyTableGivesNothing()
    {
        const auto m = units();
        int page = 1, pages = 3;
        m->RecordCount = 4;
        QVERIFY(!m->GetComboCategories());
        QVERIFY(!m->GetAllCategories(page, pages, QStringLiteral("Name"), QStringLiteral("A")));
        QCOMPARE(QList<int>({page, pages, m->RecordCount}), QList<int>({1, 3, 4}));
    }
};

QTEST_MAIN(TstClsMaster)
#include "tst_clsmaster.moc"
