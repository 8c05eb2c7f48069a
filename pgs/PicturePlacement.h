// Where pictures read from a file go in the output's frame besides being resized: moved by an
// offset, and kept inside the picture area of a cropped film (the rows a 2.40:1 film fills in
// a 16:9 frame), always inside the frame.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace lumelle::pgs {

struct PicturePlacement
{
    QPoint move; // in pixels of the output's frame, right and down
    // The film's shape (width over height, 2.40) whose picture area, as large as fits and
    // centred, the pictures are kept inside; 0: none.
    double keepInsideShape = 0;
    QRect keepInside; // or that area given in pixels of the output's frame; empty: none

    bool isNone() const { return move.isNull() && keepInsideShape <= 0 && keepInside.isEmpty(); }
};

// The area of `frame` that a film of `shape` fills when the frame shows at `frameShape`
// (both width over height): full width and centred rows for a wider film, else centred columns.
QRect PictureArea(QSize frame, double frameShape, double shape);

// Where a picture covering `box` of `frame` goes: moved, then shifted the least that brings it
// inside the kept area (centred on it when larger), then the same for the frame itself.
QRect PlacedBox(QRect box, QSize frame, double frameShape, const PicturePlacement& placement);

} // namespace lumelle::pgs
