// The program's own pictures, drawn at start-up: the faces of the two picture buttons and the
// window icon.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace lumelle {

// A 46 x 20 face with two lines of small text, for a picture button.
QPixmap ButtonFace(const QString& upper, const QString& lower);
// The 48 x 48 window icon: a film frame with a subtitle band.
QIcon ProgramIcon();
QPixmap ProgramIconPixmap();
// The same icon drawn at `size` x `size` pixels, for the icon theme of an installed program.
QImage ProgramIconImage(int size);

} // namespace lumelle
