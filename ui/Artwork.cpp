#include "ui/Artwork.h"

#include "platform/Colour.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace lumelle {

QPixmap ButtonFace(const QString& upper, const QString& lower)
{
    QImage face(46, 20, QImage::Format_ARGB32);
    face.fill(Qt::transparent);
    QPainter painter(&face);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    // The largest bold size at which both lines fit the face.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    for (int pixels = 10; pixels >= 6; --pixels) {
        font.setPixelSize(pixels);
        QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(upper) <= 45 && metrics.horizontalAdvance(lower) <= 45 &&
            metrics.height() <= 10)
            break;
    }
    painter.setFont(font);
    painter.setPen(QColor(20, 40, 90));
    painter.drawText(QRect(0, 0, 46, 10), Qt::AlignCenter, upper);
    painter.drawText(QRect(0, 10, 46, 10), Qt::AlignCenter, lower);
    painter.end();
    return QPixmap::fromImage(face);
}

QPixmap ProgramIconPixmap()
{
    return QPixmap::fromImage(ProgramIconImage(48));
}

QImage ProgramIconImage(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Drawn on a 48-unit grid, scaled to the size asked for.
    painter.scale(size / 48.0, size / 48.0);

    // Film strip: dark body with sprocket holes above and below.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 30, 38));
    painter.drawRoundedRect(QRectF(2, 6, 44, 36), 4, 4);
    painter.setBrush(QColor(230, 230, 235));
    for (int x = 5; x < 44; x += 8) {
        painter.drawRect(QRectF(x, 8, 4, 3));
        painter.drawRect(QRectF(x, 37, 4, 3));
    }
    // The picture: a blue frame, as the output pictures are.
    painter.setBrush(
        QColor(redOf(kBackgroundBlue), greenOf(kBackgroundBlue), blueOf(kBackgroundBlue)));
    painter.drawRect(QRectF(6, 13, 36, 22));
    // A subtitle band: white text strokes with a black outline near the bottom.
    painter.setBrush(QColor(0, 0, 0));
    painter.drawRoundedRect(QRectF(10, 25, 28, 7), 2, 2);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRect(QRectF(12, 27, 7, 3));
    painter.drawRect(QRectF(21, 27, 5, 3));
    painter.drawRect(QRectF(28, 27, 8, 3));
    painter.end();
    return icon;
}

QIcon ProgramIcon()
{
    return QIcon(ProgramIconPixmap());
}

} // namespace lumelle
