// The desktop platform's own windows: message boxes wide enough for their
// titles.

#include "ui/application.h"
#include "ui/desktopplatform.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class TestDesktopPlatform : public QObject {
    Q_OBJECT

private slots:
    void messageBoxesShowTheirTitleWhole_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("short title, short text") << "Inventory" << "Deleted";
        QTest::newRow("long title") << "Change master file price?" << "Update?";
        QTest::newRow("estimate deletion") << "Estimate deletion" << "Deleted";
        // clang-format on
    }
    void messageBoxesShowTheirTitleWhole()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        ui::DesktopPlatform platform;
        int width = 0;
        QString shownTitle;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            width = box->width();
            shownTitle = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(platform.messageBox(text, ui::Buttons::Ok, title), ui::Answer::Ok);
        QCOMPARE(shownTitle, title);
        // At least the title's width in a bold, larger font, and room for
        // the window manager's buttons beside it.
        QFont bold = QApplication::font();
        bold.setBold(true);
        QVERIFY2(width >= QFontMetrics(bold).horizontalAdvance(title) + 120, qPrintable(QString::number(width)));
    }
};

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    TestDesktopPlatform t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_desktopplatform.moc"
