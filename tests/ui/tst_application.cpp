// The program's application object gives every window the program's icon,
// compiled in, and names the desktop entry the windows belong to.

#include "ui/application.h"

#include <QTest>
#include <QWidget>

class TestApplication : public QObject {
    Q_OBJECT

private slots:
    void namesItsDesktopEntry()
    {
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("com.pellworth.Corvanel"));
    }

    void everyWindowShowsTheIconInEverySize()
    {
        const QList<QSize> expected{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
        QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(sizes, expected);

        QWidget window;
        QCOMPARE(window.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
        // Drawn, not blank: the tile's corner is clear, its middle is not.
        const QImage small = window.windowIcon().pixmap(QSize(32, 32)).toImage();
        QCOMPARE(small.size(), QSize(32, 32));
        QCOMPARE(qAlpha(small.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(small.pixel(16, 16)), 255);
    }
};

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
