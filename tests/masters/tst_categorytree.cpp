// The one walk of the category hierarchy, without widgets or a database:
// the picker's layout, the ancestor path and the parent check over a tree
// five levels deep with a category whose parent is gone, a loop of two, one
// hanging below the loop, and a category that is its own parent.

#include "masters/categorytree.h"

#include <QTest>

using masters::CategoryRow;
using masters::CategoryTree;

namespace {

// The rows by name, as the hierarchy is read.
CategoryTree fixture()
{
    return CategoryTree({
        {7, QStringLiteral("Attic"), 0},
        {3, QStringLiteral("Cabinets"), 2},
        {10, QStringLiteral("Doors"), 0},
        {14, QStringLiteral("Empty"), 0},
        {4, QStringLiteral("Hardware"), 3},
        {1, QStringLiteral("Interior"), 0},
        {2, QStringLiteral("Kitchen"), 1},
        {5, QStringLiteral("Knobs"), 4},
        {8, QStringLiteral("Loop A"), 9},
        {9, QStringLiteral("Loop B"), 8},
        {6, QStringLiteral("Lost"), 99},
        {13, QStringLiteral("Self"), 13},
        {11, QStringLiteral("Under loop"), 9},
    });
}

QStringList lines(const CategoryTree& tree)
{
    QStringList out;
    for (const CategoryTree::Placed& p : tree.layout())
        out << QStringLiteral("%1|%2").arg(tree.rows()[std::size_t(p.row)].name).arg(p.level);
    return out;
}

}  // namespace

class TstCategoryTree : public QObject {
    Q_OBJECT

private slots:
    // The picker's tree as it has always been: tops by name, each
    // category followed by its sub-categories, every depth, the orphan at
    // the top, the loop placed once from the member first met twice.
    void layoutOfTheFiveLevelFixture()
    {
        QCOMPARE(lines(fixture()), (QStringList{
                                       "Attic|1",
                                       "Doors|1",
                                       "Empty|1",
                                       "Interior|1",
                                       "Kitchen|2",
                                       "Cabinets|3",
                                       "Hardware|4",
                                       "Knobs|5",
                                       "Loop A|1",
                                       "Loop B|2",
                                       "Under loop|3",
                                       "Lost|1",
                                       "Self|1",
                                   }));
    }

    // Whatever the order of the rows, every category is placed once.
    void everyCategoryPlacedOnce()
    {
        std::vector<CategoryRow> rows = fixture().rows();
        std::reverse(rows.begin(), rows.end());
        const CategoryTree tree(rows);
        QStringList names;
        for (const CategoryTree::Placed& p : tree.layout())
            names << tree.rows()[std::size_t(p.row)].name;
        QCOMPARE(names.size(), int(rows.size()));
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    }

    void ancestorPaths_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("ancestors");
        QTest::newRow("top level") << 1 << QStringList();
        QTest::newRow("three at most") << 5 << QStringList{"Hardware", "Cabinets", "Kitchen"};
        QTest::newRow("parent gone") << 6 << QStringList();
        QTest::newRow("round the loop") << 11 << QStringList{"Loop B", "Loop A", "Loop B"};
        QTest::newRow("its own parent") << 13 << QStringList{"Self", "Self", "Self"};
        QTest::newRow("not there") << 42 << QStringList();
    }
    void ancestorPaths()
    {
        QFETCH(int, id);
        QFETCH(QStringList, ancestors);
        const CategoryTree tree = fixture();
        QStringList names;
        for (int row : tree.ancestors(id, 3))
            names << tree.rows()[std::size_t(row)].name;
        QCOMPARE(names, ancestors);
    }

    void parentCheck_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("parent");
        QTest::addColumn<bool>("loops");
        QTest::newRow("no parent") << 2 << 0 << false;
        QTest::newRow("itself") << 2 << 2 << true;
        QTest::newRow("its grandchild") << 2 << 4 << true;
        QTest::newRow("five levels down") << 1 << 5 << true;
        QTest::newRow("a sibling tree") << 2 << 10 << false;
        QTest::newRow("under a loop it is not in") << 1 << 11 << false;
        QTest::newRow("under a loop it is in") << 8 << 11 << true;
        QTest::newRow("a parent that is gone") << 2 << 99 << false;
        QTest::newRow("a category below one whose parent is gone") << 1 << 6 << false;
    }
    void parentCheck()
    {
        QFETCH(int, id);
        QFETCH(int, parent);
        QFETCH(bool, loops);
        QCOMPARE(fixture().wouldLoop(id, parent), loops);
    }
};

QTEST_GUILESS_MAIN(TstCategoryTree)
#include "tst_categorytree.moc"
