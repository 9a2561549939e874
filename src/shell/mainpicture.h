#pragma once
#include <QPixmap>

namespace shell {

// The main window's decorative picture: a house on drawing paper.
QPixmap drawMainPicture(const QSize& size);

}  // namespace shell
