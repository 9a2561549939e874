#include "screendriver.h"

#include "ui/combobox.h"
#include "ui/form.h"
#include "ui/listview.h"
#include "ui/modellistview.h"
#include "ui/textbox.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTimer>

namespace screentest {

QStringList columnTexts(const ui::ListView* lv, int column)
{
    QStringList out;
    for (int r = 0; r < lv->rowCount(); ++r)
        out << (column == 0 ? lv->text(r) : lv->subItem(r, column));
    return out;
}

namespace {

template <class View>
QStringList cellsOf(const View* lv, int row)
{
    QStringList out{lv->text(row)};
    for (int i = 1; i < lv->columnCount(); ++i)
        out << lv->subItem(row, i);
    return out;
}

}  // namespace

QStringList rowCells(const ui::ListView* lv, int row) { return cellsOf(lv, row); }

QStringList rowCells(const ui::ModelListView* lv, int row) { return cellsOf(lv, row); }

int rowNamed(const ui::ListView* lv, const QString& name)
{
    for (int r = 0; r < lv->rowCount(); ++r)
        if (lv->subItem(r, 1) == name)
            return r;
    return -1;
}

QStringList comboTexts(const ui::ComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->listCount(); ++i)
        out << c->itemText(i);
    return out;
}

void selectRow(ui::ListView* lv, const QString& name)
{
    const int row = rowNamed(lv, name);
    QVERIFY2(row >= 0, qPrintable(name));
    lv->setSelectedRow(row);
}

void doubleClickRow(ui::ListView* lv, int row)
{
    QTreeWidgetItem* item = lv->topLevelItem(row);
    QVERIFY(item);
    const QPoint at = lv->visualItemRect(item).center();
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(lv->viewport(), Qt::LeftButton, {}, at);
}

void clickHeader(ui::ListView* lv, int position)
{
    QHeaderView* h = lv->header();
    const int c = position - 1;
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(c) + h->sectionSize(c) / 2, h->height() / 2));
}

void typeOver(ui::TextBox* box, const QString& text)
{
    box->selectAll();
    box->del();
    QTest::keyClicks(box, text);
}

void whenShown(ui::Form& form, std::function<void()> steps)
{
    QTimer::singleShot(0, [&form, steps] {
        steps();
        if (form.isLoaded())
            form.unload();
    });
}

QStringList tabWalk(QWidget* start, int limit)
{
    QStringList names;
    QWidget* window = start->window();
    QApplication::setActiveWindow(window);
    start->setFocus(Qt::TabFocusReason);
    QWidget* at = QApplication::focusWidget();
    for (int i = 0; at && i < limit; ++i) {
        names << at->objectName();
        QTest::keyClick(at, Qt::Key_Tab);
        at = QApplication::focusWidget();
        if (at == start)
            break;
    }
    return names;
}

QWidget* visibleWindow(const QString& formName)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == formName && w->isVisible())
            return w;
    return nullptr;
}

QWidget* modalWindow(const QString& formName)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == formName && w->isVisible() && w->windowModality() == Qt::ApplicationModal)
            return w;
    return nullptr;
}

void whenListShown(const QString& formName, std::function<void(QWidget*)> steps, bool& stayedOpen)
{
    stayedOpen = false;
    QTimer::singleShot(0, [formName, steps, &stayedOpen] {
        struct Closer {
            QString name;
            bool& flag;
            ~Closer()
            {
                if (QWidget* w = visibleWindow(name)) {
                    flag = true;
                    w->close();
                }
            }
        } closer{formName, stayedOpen};
        QWidget* w = visibleWindow(formName);
        QVERIFY(w);
        steps(w);
    });
}

}  // namespace screentest
