// How large one script event can make libass draw, judged from its text and styles before it is
// drawn: libass holds every letter, border and drawing of an event as a whole bitmap, so an event
// with letters many frames tall ({\fs100000}, or PlayResY: 1) would take gigabytes for a
// picture nobody could see. Such an event is named and left out instead.
#pragma once

#include <QSize>
#include <QString>
#include <ass/ass.h>

namespace lumelle {

// Why `event` of `track` cannot be drawn within the bounds of a `frame`-sized picture, or an
// empty string when it can: letters larger than the frame's larger side, or covering more than
// eight frames together; a border, shadow or blur more than half that side; a drawing whose
// square covers more than eight frames.
QString AssEventTooLarge(const ASS_Track& track, const ASS_Event& event, QSize frame);

} // namespace lumelle
