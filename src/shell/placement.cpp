#include "placement.h"

namespace shell {

QPointF startUpPlacement(double mainWidth, double mainHeight, double width, double height)
{
    // The old code worked in single precision; the twips values involved
    // are small whole numbers, so float and double agree.
    const float left = (float(mainWidth) - float(width)) / 2.0f;
    const float top = (float(mainHeight) - float(height)) / 2.0f - 250.0f;
    return QPointF(left, top);
}

}  // namespace shell
