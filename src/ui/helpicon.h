#pragma once
// The picture of every help button: our own, so that it shows the same on a
// desktop with no icon theme, where the style's stock help icon is missing.

#include <QIcon>

namespace ui {

// A question mark on a blue disc, drawn at the usual button sizes.
QIcon helpIcon();

}  // namespace ui
