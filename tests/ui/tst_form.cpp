#include "support/fakeplatform.h"
#include "data/dberror.h"
#include "ui/application.h"
#include "ui/events.h"
#include "ui/form.h"
#include "ui/forms.h"
#include "ui/formwindow.h"
#include "ui/screenfit.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

class Sample : public ui::Form {
public:
    Sample() : ui::Form(QStringLiteral("frmSample")) {}

    int loads = 0, activations = 0, unloads = 0;
    bool refuseClose = false;
    QString mode;  // a public variable: outlives the window
    QPointer<QLineEdit> txtName;
    QPointer<QPushButton> cmdFail;

protected:
    void createControls() override
    {
        setClientSize(3000, 1500);
        txtName = new QLineEdit(client());
        txtName->setObjectName(QStringLiteral("txtName"));
        cmdFail = new QPushButton(QStringLiteral("Fail"), client());
        cmdFail->setObjectName(QStringLiteral("cmdFail"));
        ui::onClick(cmdFail, [] { throw data::DbError(QStringLiteral("no such table: Nowhere")); });
    }
    void Form_Load() override { ++loads; }
    void Form_Activate() override { ++activations; }
    bool Form_QueryUnload(ui::UnloadMode) override { return !refuseClose; }
    void Form_Unload() override { ++unloads; }
};

// A window of a given size with a list that takes its spare room.
class Sized : public ui::Form {
public:
    Sized() : ui::Form(QStringLiteral("frmSized")) {}
    double widthTwips = 6000, heightTwips = 4500;
    bool resizable = true;
    QPointer<QListWidget> list;

protected:
    void createControls() override
    {
        auto* layout = new QVBoxLayout(client());
        list = new QListWidget(client());
        list->setMinimumSize(200, 150);
        layout->addWidget(list, 1);
        layout->addWidget(new QPushButton(QStringLiteral("Close"), client()));
        setClientSize(widthTwips, heightTwips);
        setResizable(resizable);
    }
};

// Throws from a raw event handler, outside any guarded() call.
class Thrower : public QWidget {
protected:
    void mousePressEvent(QMouseEvent*) override { throw std::runtime_error("raw handler failed"); }
};

}  // namespace

class TestForm : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ui::destroyAllForms(); }

    void loadRunsOnFirstShowOnly()
    {
        Sample& f = ui::form<Sample>();
        QCOMPARE(&f, &ui::form<Sample>());
        QVERIFY(!f.isLoaded());
        f.show();
        f.show();
        QCOMPARE(f.loads, 1);
        QCOMPARE(f.activations, 2);
        QVERIFY(f.isVisible());
        QCOMPARE(f.window()->objectName(), QStringLiteral("frmSample"));
        QVERIFY(f.window()->findChild<QLineEdit*>(QStringLiteral("txtName")));
    }

    void touchingTheWindowLoadsIt()
    {
        Sample& f = ui::form<Sample>();
        QVERIFY(f.client());
        QCOMPARE(f.loads, 1);
        QVERIFY(!f.isVisible());
    }

    void stateOutlivesUnloadAndControlsAreFresh()
    {
        Sample& f = ui::form<Sample>();
        f.show();
        f.mode = QStringLiteral("E");
        f.txtName->setText(QStringLiteral("typed"));
        QLineEdit* first = f.txtName;
        QVERIFY(f.unload());
        QCOMPARE(f.unloads, 1);
        QVERIFY(!f.isLoaded());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(f.txtName.isNull());
        f.show();
        QCOMPARE(f.loads, 2);
        QCOMPARE(f.mode, QStringLiteral("E"));
        QVERIFY(f.txtName != first);
        QCOMPARE(f.txtName->text(), QString());
    }

    void closeBoxUnloadsUnlessRefused()
    {
        Sample& f = ui::form<Sample>();
        f.show();
        f.refuseClose = true;
        QVERIFY(!f.window()->close());
        QVERIFY(f.isLoaded());
        f.refuseClose = false;
        QVERIFY(f.window()->close());
        QVERIFY(!f.isLoaded());
        QCOMPARE(f.unloads, 1);
    }

    void modalShowReturnsWhenUnloaded()
    {
        Sample& f = ui::form<Sample>();
        bool wasModal = false;
        QTimer::singleShot(0, [&] {
            wasModal = f.isShownModal() && f.window()->isModal();
            f.unload();
        });
        f.showModal();
        QVERIFY(wasModal);
        QVERIFY(!f.isLoaded());
        QVERIFY(!f.isShownModal());
    }

    void failedHandlerIsReportedAndTheProgramGoesOn()
    {
        FakePlatform fake;
        Sample& f = ui::form<Sample>();
        f.show();
        f.cmdFail->click();
        f.cmdFail->click();
        QCOMPARE(fake.messages.size(), 2);
        QCOMPARE(fake.messages[0].text, QStringLiteral("no such table: Nowhere"));
        QCOMPARE(fake.messages[0].title, QStringLiteral("Corvanel"));
        QVERIFY(f.isLoaded());
    }

    void escapeRunsTheActionTheFormOptedInto()
    {
        Sample& f = ui::form<Sample>();
        f.show();
        QTest::keyClick(f.txtName, Qt::Key_Escape);
        QVERIFY(f.isLoaded());  // no dialog keys by default

        int escapes = 0;
        f.setEscapeAction([&] { ++escapes; });
        QTest::keyClick(f.txtName, Qt::Key_Escape);
        QTest::keyClick(f.window(), Qt::Key_Escape);
        QCOMPARE(escapes, 2);
        QTest::keyClick(f.txtName, Qt::Key_Escape, Qt::ShiftModifier);
        QCOMPARE(escapes, 2);
        f.setEscapeAction({});
    }

    void fitInWorkArea_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<bool>("resizable");
        QTest::addColumn<QRect>("workArea");
        QTest::addColumn<QPoint>("fitPos");
        QTest::addColumn<QSize>("fitSize");
        QTest::addColumn<bool>("scrolls");
        // Every row has a frame of a 30-pixel title bar and 4-pixel borders.
        const QRect screen(0, 0, 1280, 720);
        // clang-format off
        QTest::newRow("fits: unchanged") << QPoint(100, 50) << QSize(800, 600) << QSize(400, 300) << true << screen << QPoint(100, 50) << QSize(800, 600) << false;
        // A window placed low (the group 1 calculators at top 2500 twips)
        // moves up until its bottom edge is on screen.
        QTest::newRow("sticks out below: moves up") << QPoint(0, 167) << QSize(1018, 615) << QSize(1018, 615) << false << screen << QPoint(0, 71) << QSize(1018, 615) << false;
        QTest::newRow("sticks out right: moves left") << QPoint(600, 10) << QSize(800, 400) << QSize(800, 400) << false << screen << QPoint(472, 10) << QSize(800, 400) << false;
        QTest::newRow("too tall, resizable: shrinks to the work area") << QPoint(20, 0) << QSize(1208, 760) << QSize(1100, 600) << true << screen << QPoint(20, 0) << QSize(1208, 686) << false;
        QTest::newRow("too tall, fixed: scrolls") << QPoint(20, 0) << QSize(1000, 760) << QSize(1000, 760) << false << screen << QPoint(20, 0) << QSize(1000, 686) << true;
        QTest::newRow("too tall even at its smallest: scrolls") << QPoint(0, 0) << QSize(1000, 800) << QSize(900, 700) << true << screen << QPoint(0, 0) << QSize(1000, 686) << true;
        QTest::newRow("above and left of the screen: top-left on screen") << QPoint(-120, -250) << QSize(500, 300) << QSize(500, 300) << false << screen << QPoint(0, 0) << QSize(500, 300) << false;
        // A panel along the top: the work area starts below it.
        QTest::newRow("work area below a panel") << QPoint(10, 0) << QSize(600, 700) << QSize(300, 200) << true << QRect(0, 32, 1280, 688) << QPoint(10, 32) << QSize(600, 654) << false;
        // clang-format on
    }
    void fitInWorkArea()
    {
        QFETCH(QPoint, pos);
        QFETCH(QSize, size);
        QFETCH(QSize, minimum);
        QFETCH(bool, resizable);
        QFETCH(QRect, workArea);
        const ui::WindowFit fit = ui::fitInWorkArea(pos, size, minimum, resizable, QMargins(4, 30, 4, 4), workArea);
        QTEST(fit.framePos, "fitPos");
        QTEST(fit.size, "fitSize");
        QTEST(fit.scrolls, "scrolls");
    }

    // The offscreen screen is 800 x 600: a bigger window is made to fit
    // before it shows, by its list where it has one, else by scrolling.
    void aWindowBiggerThanTheScreenIsMadeToFit_data()
    {
        QTest::addColumn<bool>("resizable");
        QTest::newRow("resizable: the list gives the room") << true;
        QTest::newRow("fixed: the client scrolls") << false;
    }
    void aWindowBiggerThanTheScreenIsMadeToFit()
    {
        QFETCH(bool, resizable);
        Sized& f = ui::form<Sized>();
        f.resizable = resizable;
        f.heightTwips = 15000;  // 1000 pixels
        f.show();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QMargins frame = ui::windowFrameMargins();
        QWidget* w = f.window();
        QVERIFY(w->height() + frame.top() + frame.bottom() <= area.height());
        QVERIFY(w->pos().y() >= area.top());
        auto* fw = static_cast<ui::FormWindow*>(w);
        QCOMPARE(fw->scrollArea() != nullptr, !resizable);
        if (resizable)
            QVERIFY(f.list->height() < 1000 - 100);
    }

    void aResizableWindowOpensAtItsSizeAndItsListTakesTheRoom()
    {
        Sized& f = ui::form<Sized>();
        f.resizable = true;
        f.heightTwips = 4500;
        f.show();
        QWidget* w = f.window();
        QCOMPARE(w->size(), QSize(400, 300));
        const int listHeight = f.list->height();
        w->resize(400, 420);
        QCoreApplication::processEvents();
        QCOMPARE(f.list->height(), listHeight + 120);
        // Never smaller than its layout allows.
        w->resize(100, 100);
        QVERIFY(f.list->height() >= 150);
    }

    void exceptionFromARawEventHandlerStopsAtNotify()
    {
        FakePlatform fake;
        Thrower w;
        w.resize(50, 50);
        w.show();
        QTest::mouseClick(&w, Qt::LeftButton);
        QCOMPARE(fake.messageTexts(), QStringList{QStringLiteral("raw handler failed")});
    }
};

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    TestForm t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_form.moc"
