#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace lumelle {

namespace {

// The window's frame as it will be on screen. Before a window manager has framed it the frame
// is not known: the frame of the program's main window stands in, so that the title bar is
// counted too.
QRect expectedFrame(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    if (frame.size() != window->size() || !window->parentWidget())
        return frame;
    const QWidget* main = window->parentWidget()->window();
    const QMargins margins(main->geometry().left() - main->frameGeometry().left(),
                           main->geometry().top() - main->frameGeometry().top(),
                           main->frameGeometry().right() - main->geometry().right(),
                           main->frameGeometry().bottom() - main->geometry().bottom());
    return QRect(frame.topLeft(), window->size().grownBy(margins));
}

QScreen* screenOf(const QRect& frame)
{
    QScreen* best = nullptr;
    qint64 bestArea = -1;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect common = frame.intersected(screen->availableGeometry());
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best ? best : QGuiApplication::primaryScreen();
}

} // namespace

QPoint InsideArea(const QRect& frame, const QRect& area)
{
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    return QPoint(x, y);
}

void KeepInsideAvailableArea(QWidget* window)
{
    const QRect frame = expectedFrame(window);
    QScreen* screen = screenOf(frame);
    if (!screen)
        return;
    const QPoint topLeft = InsideArea(frame, screen->availableGeometry());
    // move() places the frame's top-left corner for a top-level window.
    if (topLeft != frame.topLeft())
        window->move(topLeft);
}

void PlaceOver(QWidget* window, const QWidget* over)
{
    if (over) {
        const QRect frame = expectedFrame(window);
        const QPoint centre = over->frameGeometry().center();
        window->move(centre - QPoint(frame.width() / 2, frame.height() / 2));
    }
    KeepInsideAvailableArea(window);
}

} // namespace lumelle
