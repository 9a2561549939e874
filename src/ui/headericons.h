#pragma once
// The three column-header pictures the list screens show beside the header
// text of the sorted column. Screens name them "Blank", "Up" and "Down".

#include <QIcon>
#include <QString>
#include <QStringView>
#include <optional>

namespace ui {

enum class HeaderIcon { Blank, Up, Down };

// A 16x16 picture: fully transparent, or a small triangle pointing up or
// down. Drawn once and kept in the pixmap cache.
QIcon headerIcon(HeaderIcon which);

// "Blank", "Up", "Down".
QString headerIconName(HeaderIcon which);
// The icon of a name (exact spelling); nothing for any other text.
std::optional<HeaderIcon> headerIconFromName(QStringView name);

}  // namespace ui
