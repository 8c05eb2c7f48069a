#include "pgs/PicturePlacement.h"

#include <cmath>

namespace lumelle::pgs {

namespace {

// `start` and `length` moved the least that brings them inside [areaStart, areaStart +
// areaLength); centred on the area when longer than it.
int keptInside(int start, int length, int areaStart, int areaLength)
{
    if (length > areaLength)
        return areaStart + (areaLength - length) / 2;
    if (start < areaStart)
        return areaStart;
    if (start + length > areaStart + areaLength)
        return areaStart + areaLength - length;
    return start;
}

QRect insideOf(QRect box, QRect area)
{
    box.moveTo(keptInside(box.x(), box.width(), area.x(), area.width()),
               keptInside(box.y(), box.height(), area.y(), area.height()));
    return box;
}

} // namespace

QRect PictureArea(QSize frame, double frameShape, double shape)
{
    if (shape >= frameShape) {
        const int rows = int(std::lround(frame.height() * frameShape / shape));
        return QRect(0, (frame.height() - rows) / 2, frame.width(), rows);
    }
    const int columns = int(std::lround(frame.width() * shape / frameShape));
    return QRect((frame.width() - columns) / 2, 0, columns, frame.height());
}

QRect PlacedBox(QRect box, QSize frame, double frameShape, const PicturePlacement& placement)
{
    if (box.isEmpty())
        return box;
    box.translate(placement.move);
    const QRect whole(QPoint(0, 0), frame);
    if (!placement.keepInside.isEmpty())
        box = insideOf(box, placement.keepInside & whole);
    else if (placement.keepInsideShape > 0)
        box = insideOf(box, PictureArea(frame, frameShape, placement.keepInsideShape));
    // Never outside the frame; a picture larger than it is clipped by its writer.
    return insideOf(box, whole);
}

} // namespace lumelle::pgs
