#include "buttons.h"

#include <QPushButton>

namespace ui {

QPushButton* namedButton(QWidget* parent, const QString& name, const QString& text, const QString& toolTip)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    if (!toolTip.isEmpty())
        b->setToolTip(toolTip);
    return b;
}

}  // namespace ui
