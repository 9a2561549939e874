#pragma once
#include <QPointF>

namespace shell {

// Where StartUp puts a secondary window, in twips: centred on a window of
// the main window's size standing at the screen's origin, lifted by 250
// twips. There is no clamping: a bigger window gets a negative position.
QPointF startUpPlacement(double mainWidth, double mainHeight, double width, double height);

}  // namespace shell
