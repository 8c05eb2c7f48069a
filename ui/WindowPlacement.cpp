#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
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

const char kScrollAreaName[] = "WindowScrollArea";

// The frame a window manager puts around a window's client area; before one has framed the
// window the main window's frame stands in, and before that a title bar of usual height.
QMargins frameMargins(const QWidget* window)
{
    const QRect frame = expectedFrame(window);
    const QRect client = window->geometry();
    if (frame.size() != client.size())
        return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                        frame.right() - client.right(), frame.bottom() - client.bottom());
    return QMargins(0, 2 * window->fontMetrics().height() + 6, 0, 0);
}

} // namespace

QSize FittedClientSize(QSize designed, QSize available, QMargins frame, int scrollBarExtent)
{
    const QSize room = available.shrunkBy(frame).expandedTo(QSize(1, 1));
    QSize size = designed.boundedTo(room);
    // A cut height brings a vertical scroll bar: widen by it where the area allows, and the
    // same for a cut width.
    if (size.height() < designed.height())
        size.setWidth(std::min(designed.width() + scrollBarExtent, room.width()));
    if (size.width() < designed.width())
        size.setHeight(std::min(designed.height() + scrollBarExtent, room.height()));
    return size;
}

void MakeScrollable(QWidget* window)
{
    auto* area = new QScrollArea(window);
    area->setObjectName(QLatin1String(kScrollAreaName));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    // The keyboard walks the controls, not the area around them.
    area->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QWidget;
    layout->setObjectName(QStringLiteral("WindowLayout"));
    for (QObject* child : window->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (control && control != area && !control->isWindow())
            control->setParent(layout);
    }
    layout->setFixedSize(window->size());
    area->setWidget(layout);
    area->setGeometry(window->rect());
}

QSize AvailableClientRoom(const QWidget* window)
{
    QScreen* screen = screenOf(expectedFrame(window));
    if (!screen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return screen->availableGeometry().size().shrunkBy(frameMargins(window));
}

void FitToAvailableArea(QWidget* window)
{
    auto* area =
        window->findChild<QScrollArea*>(QLatin1String(kScrollAreaName), Qt::FindDirectChildrenOnly);
    if (!area || !area->widget())
        return;
    const QRect frame = expectedFrame(window);
    QScreen* screen = screenOf(frame);
    if (!screen)
        return;
    const int scrollBar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
    const QSize size = FittedClientSize(area->widget()->size(), screen->availableGeometry().size(),
                                        frameMargins(window), scrollBar);
    if (size != window->size())
        window->setFixedSize(size);
    area->setGeometry(window->rect());
    KeepInsideAvailableArea(window);
}

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
