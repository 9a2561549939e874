#pragma once
#include <QColor>
#include <QPixmap>

namespace shell {

// The main window's decorative picture: a house on drawing paper.
QPixmap drawMainPicture(const QSize& size);
// The drawing paper's colour, shown until the picture is drawn.
QColor mainPictureColour();

}  // namespace shell
