// One shaped line drawn unsmoothed with its outline and antialias rings, grown from the glyphs
// row by row in bits, onto 32-bit pixels and into the layers of a picture. For render/ only.
#pragma once

#include "render/Picture.h"
#include "render/RenderSettings.h"
#include "render/ShapedLine.h"

#include <QImage>
#include <QRect>
#include <QSize>

namespace lumelle {

// The rectangle of surface pixels a drawing wrote; empty when it wrote none.
struct Painted
{
    QRect rect;
    void add(const QRect& other) { rect = rect.united(other); }
};

// Draws one line onto `surface` (when given) and into `masks` (when given); `frame` is the
// size of both.
Painted drawLine(QImage* surface, QSize frame, const LinePieces& line, int x, int y,
                 const RenderSettings& settings, LayerMasks* masks);
// The same onto `surface` alone, in a frame of its size.
Painted drawLine(QImage& surface, const LinePieces& line, int x, int y,
                 const RenderSettings& settings);

} // namespace lumelle
