// Keeps the program's windows where a user can reach them: wholly inside the available area of
// a screen (the desktop without panels), however small the screen.
#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace lumelle {

// The top-left corner that moves `frame` wholly inside `area`; a frame larger than the area
// keeps its top-left corner (and with it the title bar) inside.
QPoint InsideArea(const QRect& frame, const QRect& area);

// Moves a top-level window, frame included, wholly inside the available area of the screen it
// is mostly on.
void KeepInsideAvailableArea(QWidget* window);

// Centres `window` over `over`, then keeps it inside the available area.
void PlaceOver(QWidget* window, const QWidget* over);

} // namespace lumelle
