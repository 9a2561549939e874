#pragma once
// Push buttons as the screens make them: named for the old control (tests
// and the driver find them by name), and never the window's default button,
// since Enter does not press a button on these windows.

#include <QString>

class QPushButton;
class QWidget;

namespace ui {

QPushButton* namedButton(QWidget* parent, const QString& name, const QString& text, const QString& toolTip = {});

}  // namespace ui
