#include "support/fakeplatform.h"
#include "data/dberror.h"
#include "ui/application.h"
#include "ui/events.h"
#include "ui/form.h"
#include "ui/forms.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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
    bool Form_QueryUnload() override { return !refuseClose; }
    void Form_Unload() override { ++unloads; }
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
