#include "screendriver.h"

#include "ui/combobox.h"
#include "ui/form.h"
#include "ui/listview.h"

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

void doubleClickRow(ui::ListView* lv, int row)
{
    QTreeWidgetItem* item = lv->topLevelItem(row);
    QVERIFY(item);
    const QPoint at = lv->visualItemRect(item).center();
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(lv->viewport(), Qt::LeftButton, {}, at);
}

void whenShown(ui::Form& form, std::function<void()> steps)
{
    QTimer::singleShot(0, [&form, steps] {
        steps();
        if (form.isLoaded())
            form.unload();
    });
}

}  // namespace screentest
