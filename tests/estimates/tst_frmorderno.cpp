// The estimate-number prompt: what it says to each kind of text, and how it
// opens a stored estimate through the estimate screen, as the main menu's
// delete-estimate item drives it.

#include "support/screentest.h"
#include "support/seed.h"

#include "estimates/frmorder.h"
#include "estimates/frmorderno.h"
#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "shell/screens.h"
#include "ui/forms.h"
#include "ui/textbox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using estimates::FrmOrderNo;

namespace {
const QString searchTitle = QStringLiteral("Search Estimate");
}

class TestFrmOrderNo : public ScreenTest {
    Q_OBJECT

    // Estimate 7, as the delete path opens it.
    void storeEstimate()
    {
        seed::addCustomer(db, {.key = 1, .name = "Anna", .state = 1});
        db.execute(QStringLiteral("INSERT INTO Rooms (Id, Name) VALUES (1, 'Kitchen')"));
        db.execute(QStringLiteral("INSERT INTO Units (Id, Name) VALUES (1, 'Each')"));
        seed::addItem(db, {.key = 1, .name = "Tile"});
        seed::addEstimate(db, seed::plainEstimate(7, 1, QStringLiteral("2024-03-05"), 10, 10));
        seed::addLine(db, 7, 1, 1, 10, 1, 1, 0, 0, 0);
    }

    // What the main menu's delete-estimate item does.
    FrmOrderNo& openForDelete()
    {
        shell::registerScreen(QStringLiteral("frmOrder"), estimates::frmOrderScreen());
        shell::registerScreen(QStringLiteral("FrmOrderNo"), estimates::frmOrderNoScreen());
        shell::frmMainMenu().pick(QStringLiteral("mnuDelEstimate"));
        return ui::form<FrmOrderNo>();
    }

private slots:
    void initTestCase() { shell::Assistant::setTimingScale(0.01); }

    void init()
    {
        initScreenTest();
        storeEstimate();
    }

    void window()
    {
        FrmOrderNo& f = ui::form<FrmOrderNo>();
        f.show();
        QCOMPARE(f.caption(), QStringLiteral("Delete Estimate"));
        QCOMPARE(f.LblEdit->text(), QStringLiteral("Please Enter Estimate Number"));
        QVERIFY(f.TxtGetOrderNo->text().isEmpty());
        QVERIFY(f.cmdOk->text().isEmpty() && !f.cmdOk->icon().isNull());
        QVERIFY(f.CmdCancel->text().isEmpty() && !f.CmdCancel->icon().isNull());
        f.unload();
        // The menu's caption.
        FrmOrderNo& g = openForDelete();
        QVERIFY(g.isVisible());
        QCOMPARE(g.caption(), QStringLiteral("Delete Order"));
    }

    void refusesWhatIsNotANumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString empty = QStringLiteral("Please Enter Estimate No.");
        const QString notWhole = QStringLiteral("The Estimate No. is a whole number: please enter its digits only.");
        const QString range =
            QStringLiteral("Estimate numbers run from 1 to 2147483647; please enter a number in that range.");
        QTest::newRow("empty") << "" << empty;
        QTest::newRow("blanks") << "   " << empty;
        QTest::newRow("letters") << "seven" << notWhole;
        QTest::newRow("digits then letters") << "7a" << notWhole;
        QTest::newRow("decimal point") << "7.0" << notWhole;
        QTest::newRow("decimal comma") << "7,5" << notWhole;
        QTest::newRow("exponent") << "7e2" << notWhole;
        QTest::newRow("sign alone") << "-" << notWhole;
        QTest::newRow("zero") << "0" << range;
        QTest::newRow("negative") << "-7" << range;
        QTest::newRow("just beyond 32 bits") << "2147483648" << range;
        QTest::newRow("far beyond 64 bits") << "123456789012345678901234567890" << range;
    }
    void refusesWhatIsNotANumber()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        FrmOrderNo& f = openForDelete();
        f.TxtGetOrderNo->setText(text);
        f.cmdOk->click();
        QCOMPARE(fake->messageTexts(), QStringList{message});
        QCOMPARE(fake->messages[0].title, searchTitle);
        QVERIFY(f.isLoaded());
        QCOMPARE(f.TxtGetOrderNo->text(), text);
        QVERIFY(!estimates::frmOrder().isLoaded());
    }

    void opensTheStoredEstimateForDeletion()
    {
        FrmOrderNo& f = openForDelete();
        f.TxtGetOrderNo->setText(QStringLiteral(" 7 "));
        QTest::keyClick(f.TxtGetOrderNo, Qt::Key_Return);  // Enter is Ok
        QVERIFY(fake->messages.isEmpty());
        estimates::FrmOrder& screen = estimates::frmOrder();
        QVERIFY(screen.isLoaded());
        QCOMPARE(screen.loadedMode(), QStringLiteral("D"));
        QCOMPARE(screen.caption(), QStringLiteral("Delete Estimate"));
        QCOMPARE(screen.Order().OrderNo, 7);
        QVERIFY(screen.CmdDeleteOrder->isVisible());
        // The screen's load closed the prompt.
        QVERIFY(!f.isLoaded());
    }

    void numberNotStored()
    {
        FrmOrderNo& f = openForDelete();
        f.TxtGetOrderNo->setText(QStringLiteral("8"));
        f.cmdOk->click();
        QCOMPARE(fake->messageTexts(), QStringList{"Estimate not found corresponding to entered Estimate Number"});
        QCOMPARE(fake->messages[0].title, searchTitle);
        QVERIFY(f.isLoaded());
        QCOMPARE(f.TxtGetOrderNo->text(), QStringLiteral("8"));
        QVERIFY(!estimates::frmOrder().isLoaded());
        // Another try finds the right one.
        f.TxtGetOrderNo->setText(QStringLiteral("7"));
        f.cmdOk->click();
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(estimates::frmOrder().isLoaded());
        QVERIFY(!f.isLoaded());
    }

    void cancelCloses_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelCloses()
    {
        QFETCH(bool, escape);
        FrmOrderNo& f = openForDelete();
        f.TxtGetOrderNo->setText(QStringLiteral("7"));
        if (escape)
            QTest::keyClick(f.TxtGetOrderNo, Qt::Key_Escape);
        else
            f.CmdCancel->click();
        QVERIFY(!f.isLoaded());
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(!estimates::frmOrder().isLoaded());
        // Opened again, it starts with an empty box.
        f.show();
        QVERIFY(f.TxtGetOrderNo->text().isEmpty());
    }

    void readNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("reading");
        QTest::addColumn<int>("number");
        QTest::newRow("plain") << "42" << int(FrmOrderNo::Reading::Number) << 42;
        QTest::newRow("plus sign") << "+42" << int(FrmOrderNo::Reading::Number) << 42;
        QTest::newRow("leading zeros") << "0042" << int(FrmOrderNo::Reading::Number) << 42;
        QTest::newRow("largest") << "2147483647" << int(FrmOrderNo::Reading::Number) << 2147483647;
        QTest::newRow("tab around") << "\t5\t" << int(FrmOrderNo::Reading::Number) << 5;
        QTest::newRow("inner blank") << "4 2" << int(FrmOrderNo::Reading::NotWhole) << 0;
        QTest::newRow("hex") << "&H10" << int(FrmOrderNo::Reading::NotWhole) << 0;
        QTest::newRow("arabic digits") << QString::fromUtf8("\u0664\u0662") << int(FrmOrderNo::Reading::NotWhole) << 0;
    }
    void readNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, reading);
        QFETCH(int, number);
        int n = 0;
        QCOMPARE(int(FrmOrderNo::readNumber(text, n)), reading);
        QCOMPARE(n, number);
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestFrmOrderNo test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmorderno.moc"
