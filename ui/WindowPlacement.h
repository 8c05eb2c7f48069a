// Keeps the program's windows where a user can reach them: wholly inside the available area of
// a screen (the desktop without panels), however small the screen.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

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

// The client size of a fixed-layout window of `designed` size on a screen whose available area
// is `available`, with `frame` the window manager's frame around the client area: the designed
// size where it fits, else as much as fits, with room for the scroll bar of the other direction
// where the area allows (so that a window cut in height does not also need to scroll sideways).
QSize FittedClientSize(QSize designed, QSize available, QMargins frame, int scrollBarExtent);

// Puts every control of a fixed-layout window into a scroll area the size of the window, so
// that FitToAvailableArea can make the window smaller than its layout. Call it once, after the
// controls are made; they keep their positions inside the layout.
void MakeScrollable(QWidget* window);

// The client area a top-level window can have on the screen it is mostly on: the screen's
// available area without the window manager's frame.
QSize AvailableClientRoom(const QWidget* window);

// Gives a window made scrollable its designed size, or as much of it as the available area of
// its screen holds (the controls scroll then), and keeps it wholly inside that area.
void FitToAvailableArea(QWidget* window);

} // namespace lumelle
