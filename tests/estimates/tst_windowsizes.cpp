// Every window fits a small screen's work area: 1280 x 720 at scale 1.0, and
// (run a second time with QT_SCALE_FACTOR=1.5 and CORVANEL_TEST_SCREEN=
// 1920x1080) a full-HD screen at scale 1.5. A window and a title bar lie on
// the screen, nothing needs scrolling, and every button it shows lies
// whole inside it, where the user can reach it.

#include "support/menuleaves.h"
#include "support/screendriver.h"
#include "support/screentest.h"
#include "support/seed.h"

#include "calculators/calculatorscreens.h"
#include "estimates/estimatescreens.h"
#include "estimates/frmorder.h"
#include "masters/frmcategory.h"
#include "masters/frmcustomer.h"
#include "masters/frmitem.h"
#include "masters/masterscreens.h"
#include "shell/assistant.h"
#include "shell/mainmenu.h"
#include "shell/menutree.h"
#include "ui/application.h"
#include "ui/forms.h"
#include "ui/formwindow.h"

#include <QAbstractButton>
#include <QFile>
#include <QHash>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The title bar and borders a window manager adds, which must fit too.
const QMargins decorations(4, 30, 4, 4);

// Whether a layout places the widget (the scientific calculator's keys are
// placed at their designed sizes, smaller than a button would ask for).
bool laidOut(const QLayout* layout, const QWidget* w)
{
    for (int i = 0; layout && i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == w || laidOut(item->layout(), w))
            return true;
    }
    return false;
}

// The size each window had when it showed. A window that grows after it
// showed can no longer be placed by its frame: its title bar may go off the
// screen.
class ShownSizes : public QObject {
public:
    QHash<QWidget*, QSize> sizes;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* w = qobject_cast<ui::FormWindow*>(watched))
                sizes[w] = w->size();
        return false;
    }
};

ShownSizes& shownSizes()
{
    static ShownSizes s;
    return s;
}

QList<QWidget*> shownWindows()
{
    QList<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<ui::FormWindow*>(w))
            out << w;
    return out;
}

// The problems of one shown window; empty when it fits.
QStringList problems(QWidget* w)
{
    QStringList out;
    const QString name = w->objectName();
    const QRect area = w->screen()->availableGeometry();
    if (!area.contains(w->frameGeometry()))
        out << QStringLiteral("%1 at %2,%3 size %4x%5 leaves the %6x%7 work area")
                   .arg(name)
                   .arg(w->frameGeometry().x())
                   .arg(w->frameGeometry().y())
                   .arg(w->frameGeometry().width())
                   .arg(w->frameGeometry().height())
                   .arg(area.width())
                   .arg(area.height());
    // The window at its smallest (a fixed one's only size) leaves room for
    // a real title bar, which the offscreen platform does not draw.
    const QSize smallest = w->minimumSize().expandedTo(QSize(1, 1)).grownBy(decorations);
    if (smallest.width() > area.width() || smallest.height() > area.height())
        out << QStringLiteral("%1 needs %2x%3 with its frame").arg(name).arg(smallest.width()).arg(smallest.height());
    const QSize atShow = shownSizes().sizes.value(w);
    if (atShow.isValid() && atShow != w->size())
        out << QStringLiteral("%1 showed at %2x%3 and then became %4x%5")
                   .arg(name)
                   .arg(atShow.width())
                   .arg(atShow.height())
                   .arg(w->width())
                   .arg(w->height());
    if (static_cast<ui::FormWindow*>(w)->scrollArea())
        out << name + QStringLiteral(" needs scrolling");
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(w) || b->objectName().isEmpty())
            continue;
        const QRect r(b->mapTo(w, QPoint(0, 0)), b->size());
        bool whole = w->rect().contains(r);
        for (QWidget* p = b->parentWidget(); whole && p && p != w; p = p->parentWidget())
            whole = QRect(p->mapTo(w, QPoint(0, 0)), p->size()).contains(r);
        if (!whole)
            out << QStringLiteral("%1/%2 is cut off").arg(name, b->objectName());
        else if (auto* push = qobject_cast<QPushButton*>(b); push && laidOut(push->parentWidget()->layout(), push) &&
                                                             push->width() < push->minimumSizeHint().width())
            out << QStringLiteral("%1/%2 is squeezed").arg(name, b->objectName());
    }
    return out;
}

}  // namespace

class TestWindowSizes : public ScreenTest {
    Q_OBJECT

    void checkShownWindows(const QString& what)
    {
        const QList<QWidget*> shown = shownWindows();
        QVERIFY2(!shown.isEmpty(), qPrintable(what + " showed no window"));
        QStringList found;
        for (QWidget* w : shown)
            found << problems(w);
        QVERIFY2(found.isEmpty(), qPrintable(what + ": " + found.join(QStringLiteral("; "))));
    }
    // Runs `open`, which shows a modal window; checks every window once it
    // is up, then closes the modal one.
    void checkModal(const QString& what, const std::function<void()>& open)
    {
        bool checked = false;
        QTimer whileModal;
        whileModal.setSingleShot(true);
        connect(&whileModal, &QTimer::timeout, this, [&] {
            checkShownWindows(what);
            checked = true;
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        whileModal.start(0);
        open();
        QVERIFY2(checked, qPrintable(what + " was not checked"));
    }

private slots:
    void initTestCase()
    {
        shell::Assistant::setTimingScale(0.01);
        qApp->installEventFilter(&shownSizes());
        const QSize logical = QGuiApplication::primaryScreen()->availableGeometry().size();
        qInfo("work area %dx%d (device pixel ratio %g)", logical.width(), logical.height(),
              QGuiApplication::primaryScreen()->devicePixelRatio());
        QCOMPARE(logical, QSize(1280, 720));
    }
    void init()
    {
        initScreenTest(Database::Open,
                       {masters::registerScreens, calculators::registerScreens, estimates::registerScreens});
        seed::addCategory(db, QStringLiteral("Doors"));
        seed::addName(db, QStringLiteral("Rooms"), QStringLiteral("Kitchen"));
        seed::addUnit(db, QStringLiteral("Each"));
        seed::addItem(db, {.code = "D1",
                           .name = "Oak door",
                           .category = 1,
                           .unit = 1,
                           .material = 150,
                           .labor = 60,
                           .qty = 1,
                           .subLabor = 0,
                           .equipment = 0});
        seed::addCustomer(db, {.name = "Anna Baker", .city = "Austin"});
        seed::addEstimate(db, {.number = 1,
                               .customer = 1,
                               .date = "2024-03-05",
                               .state = 1,
                               .amount = 210,
                               .tax = 0,
                               .total = 987654321.25,
                               .overhead = 0});
        seed::addLine(db, 1, 1, 1, 150, 1, 1, 0, 60, 0);
        shell::frmMainMenu().show();
    }

    void everyMenuWindowFits_data()
    {
        QTest::addColumn<QString>("item");
        QStringList names = screentest::menuLeaves();
        names.removeAll(QStringLiteral("mnucustrpt"));  // straight to its print preview
        for (const QString& n : names)
            QTest::newRow(qPrintable(n)) << n;
    }
    void everyMenuWindowFits()
    {
        QFETCH(QString, item);
        bool modalChecked = false;
        // A window opened modally is checked from inside its loop; the timer
        // goes with this row when nothing modal came.
        QTimer whileModal;
        whileModal.setSingleShot(true);
        connect(&whileModal, &QTimer::timeout, this, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                checkShownWindows(item);
                modalChecked = true;
                modal->close();
            }
        });
        whileModal.start(0);
        shell::frmMainMenu().pick(item);
        if (!modalChecked)
            checkShownWindows(item);
    }

    void dialogsAndPickersFit()
    {
        masters::FrmItem& items = ui::form<masters::FrmItem>();
        items.AddOrDelete = QStringLiteral("A");
        items.show();
        checkModal(QStringLiteral("item dialog"), [&] { items.cmdAdd->click(); });
        items.unload();

        masters::FrmCustomer& customers = ui::form<masters::FrmCustomer>();
        customers.AddOrDelete = QStringLiteral("A");
        customers.show();
        checkModal(QStringLiteral("customer dialog"), [&] { customers.cmdAdd->click(); });
        customers.unload();

        masters::FrmCategory& categories = ui::form<masters::FrmCategory>();
        categories.AddOrDelete = QStringLiteral("E");
        categories.show();
        checkModal(QStringLiteral("category dialog"), [&] { categories.CmdEdit->click(); });
        categories.unload();

        estimates::FrmOrder& order = estimates::frmOrder();
        order.setAddOrDelete(QStringLiteral("A"));
        order.show();
        checkModal(QStringLiteral("customer picker"), [&] { order.CmdSelCust->click(); });
        order.cmdItemList->click();
        checkShownWindows(QStringLiteral("multi-item picker"));
    }

    // The estimate screen in its modes, with a long line list.
    void estimateScreenFits_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("edit") << "E";
        QTest::newRow("delete") << "D";
    }
    void estimateScreenFits()
    {
        QFETCH(QString, mode);
        for (int i = 2; i <= 40; ++i)
            db.execute(QStringLiteral("INSERT INTO OrderItem (OrderNo, ItemId, Qty, Material, RoomId, UnitId, "
                                      "Extension, Labor, Others) VALUES (1, 1, ?, 150, 1, 1, 0, 60, 0)"),
                       {i});
        estimates::FrmOrder& order = estimates::frmOrder();
        QVERIFY(order.openStored(mode, 1));
        QVERIFY(order.isVisible());
        QCoreApplication::processEvents();
        checkShownWindows(QStringLiteral("estimate screen ") + mode);
        // The list of lines got the spare height: more than its smallest.
        QVERIFY(order.ListView1->height() > order.ListView1->minimumHeight());
    }
};

int main(int argc, char** argv)
{
    // The screen the windows must fit, set up before the application starts.
    const QString size = qEnvironmentVariableIsSet("CORVANEL_TEST_SCREEN")
                             ? qEnvironmentVariable("CORVANEL_TEST_SCREEN")
                             : QStringLiteral("1280x720");
    QTemporaryDir configDir;
    const QString config = configDir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(QStringLiteral("{\"screens\": [{\"name\": \"laptop\", \"x\": 0, \"y\": 0, \"width\": %1, "
                              "\"height\": %2, \"logicalDpi\": 96}]}")
                   .arg(size.section(QLatin1Char('x'), 0, 0), size.section(QLatin1Char('x'), 1, 1))
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());

    ui::Application app(argc, argv);
    TestWindowSizes t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_windowsizes.moc"
